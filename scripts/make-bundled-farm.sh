#!/usr/bin/env bash
# Rebuilds data/ranchbook.rbd, the farm the program opens at start-up, with the
# program's own operations: the configuration writer (`new`), typed grid edits
# (`set`), and the inventory, transfer and crop-allocation dialogs' steps.
#
# Willow Creek Ranch, fiscal year 2026: a 150-cow herd with its replacement
# heifers, a backgrounding lot, hay, barley and straw, two pastures, aftermath
# grazing and a custom silage business. Two gaps are left on purpose so the
# error log has something to show: an unallocated revenue line and an
# unallocated expense line.
#
# Usage: scripts/make-bundled-farm.sh [CLI] [OUT]
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-build/src/ranchbook-cli}
out=${2:-data/ranchbook.rbd}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
farm="$work/farm.rbd"

# Runs one command that reads the farm and writes it back.
step() {
  local command=$1
  shift
  "$cli" "$command" "$farm" "$work/next.rbd" "$@"
  mv "$work/next.rbd" "$farm"
}

# Ledger lines. `line TABLE COL=VALUE...` appends one line: the first cell goes
# to a new row, the others to that row, in the order given.
declare -A rowCount=()
cells=()
line() {
  local table=$1
  shift
  local row=$((${rowCount[$table]:-0} + 1))
  rowCount[$table]=$row
  local first=1 assignment
  for assignment in "$@"; do
    if [ $first -eq 1 ]; then
      cells+=("$table:+:$assignment")
      first=0
    else
      cells+=("$table:$row:$assignment")
    fi
  done
}
flush() {
  step set "${cells[@]}"
  cells=()
}

"$cli" new "$farm" --config data/sample-configuration.json

# --- Revenue ------------------------------------------------------------------
R=memRevenue
line $R "Description=Steer calves - Oct sale" Dollars=69030 Category=Calves cowcalf1=1
line $R "Description=Heifer calves - Oct sale" Dollars=41202 Category=Calves cowcalf1=1
line $R "Description=Cull cows" Dollars=26100 "Category=Breeding herd" cowcalf1=1
line $R "Description=Cull bull" Dollars=3400 "Category=Breeding herd" cowcalf1=1
line $R "Description=Open heifers" Dollars=6200 "Category=Breeding herd" cowcalf2=1
line $R "Description=Fed steers to packer" Dollars=226575 "Category=Feeder/Slaughter Cattle" feeders1=1
line $R "Description=Barley sales" Dollars=108000 "Category=Grain crop" grain1=1
line $R "Description=Alfalfa hay sales" Dollars=81000 "Category=Forage crop" forage1=1
line $R "Description=Timothy hay sales" Dollars=8000 "Category=Forage crop" forage1=1
line $R "Description=Straw sales" Dollars=3500 "Category=Grazing/Aftermath/Straw" straw1=1
line $R "Description=Pasture rent received" Dollars=4200 "Category=Grazing/Aftermath/Straw" pasture2=1
line $R "Description=Custom silage work" Dollars=38500 Category=Miscellaneous other1=1
line $R "Description=Program payment" Dollars=6500 Category=Miscellaneous
flush

# --- Expenses -----------------------------------------------------------------
E=memExpenses
line $E "Description=Auction steers" Dollars=62700 "Category=Cattle Purchases" feeders1=1
line $E "Description=Herd bull" Dollars=5800 "Category=Cattle Purchases" cowcalf1=1
line $E "Description=Purchased hay" Dollars=9600 "Category=Winter feed" cowcalf1=70 cowcalf2=30
line $E "Description=Feedlot supplement" Dollars=14800 "Category=Winter feed" feeders1=1
line $E "Description=Mineral and salt" Dollars=6350 "Category=Winter feed" cowcalf1=75 cowcalf2=15 feeders1=10
line $E "Description=Bedding straw bought" Dollars=2400 Category=Bedding feeders1=1
line $E "Description=Community pasture fees" Dollars=7900 Category=Pasture cowcalf2=1
line $E "Description=Lease pasture rent" Dollars=9000 Category=Pasture pasture2=1
line $E "Description=Vet and vaccines" Dollars=11250 "Category=Veterninary & medicine" cowcalf1=60 cowcalf2=10 feeders1=30
line $E "Description=Semen and AI" Dollars=3100 "Category=Breeding fees / Bull rental" cowcalf2=1
line $E "Description=Seed barley" Dollars=9800 Category=Seed grain1=1
line $E "Description=Forage seed" Dollars=3400 Category=Seed forage1=1
line $E "Description=Fertilizer" Dollars=31500 Category=Fertilizer grain1=75 forage1=25
line $E "Description=Herbicide" Dollars=12700 Category=Chemicals grain1=1
line $E "Description=Hail insurance" Dollars=4100 "Category=Hail/Crop insurance premiums" grain1=1
line $E "Description=Trucking cattle" Dollars=6800 "Category=Trucking & Marketing" cowcalf1=40 feeders1=60
line $E "Description=Grain trucking" Dollars=3900 "Category=Trucking & Marketing" grain1=1
line $E "Description=Diesel and gasoline" Dollars=24600 Category=Fuel forage1=30 grain1=40 straw1=5 cowcalf1=15 other1=10
line $E "Description=Machinery repairs" Dollars=18900 "Category=Repairs - Machinery" forage1=30 grain1=40 other1=30
line $E "Description=Corral repairs" Dollars=4300 "Category=Repairs - Buildings /Corrals" cowcalf1=70 feeders1=30
line $E "Description=Power and phone" Dollars=5600 "Category=Utilities & Miscellaneous" cowcalf1=40 cowcalf2=10 feeders1=20 grain1=20 forage1=10
line $E "Description=Custom combining" Dollars=14400 "Category=Custom work & Spec. labour" grain1=1
line $E "Description=Operating loan interest" Dollars=7300 "Category=Operating interest paid" cowcalf1=30 feeders1=40 grain1=30
line $E "Description=Hired man wages" Dollars=38000 "Category=Paid labour & benefits" cowcalf1=40 cowcalf2=10 feeders1=20 grain1=15 forage1=10 other1=5
line $E "Description=Land rent" Dollars=18000 "Category=Crop Share / Rent" grain1=60 forage1=40
line $E "Description=Property taxes" Dollars=6900 "Category=Taxes Water Rates & Insurance" cowcalf1=30 grain1=40 forage1=20 pasture1=10
line $E "Description=Farm insurance" Dollars=5200 "Category=Taxes Water Rates & Insurance" cowcalf1=30 feeders1=20 grain1=30 forage1=20
line $E "Description=Mortgage interest" Dollars=12500 "Category=Capital Interest" cowcalf1=40 grain1=40 forage1=20
line $E "Description=Accounting fees" Dollars=2800 "Category=Utilities & Miscellaneous"
flush

# --- Capital and balances -----------------------------------------------------
line memMachinery "Description=4WD tractor" CurrentValue=185000 "DeprType=Power machinery" grain1=50 forage1=30 cowcalf1=20
line memMachinery "Description=Combine" CurrentValue=140000 "DeprType=Power machinery" grain1=1
line memMachinery "Description=Baler and haybine" CurrentValue=62000 "DeprType=Non-power machinery" forage1=80 straw1=20
line memMachinery "Description=Feed truck" CurrentValue=48000 "DeprType=Power machinery" cowcalf1=60 feeders1=40
line memMachinery "Description=Silage wagons" CurrentValue=30000 "DeprType=Non-power machinery" other1=1
line memBuildings "Description=Calving barn" CurrentValue=120000 DeprType=Standard cowcalf1=1
line memBuildings "Description=Feedlot pens" CurrentValue=65000 DeprType=Standard feeders1=1
line memBuildings "Description=Machine shed" CurrentValue=80000 DeprType=Standard grain1=50 forage1=30 other1=20
line memAcRec "Description=Barley sale owing" Beginning=12000 Ending=18500 grain1=1
line memAcRec "Description=Silage work owing" Beginning=4000 Ending=2500 other1=1
line memAcPay "Description=Fertilizer account" Beginning=8000 Ending=11200 grain1=75 forage1=25
line memAcPay "Description=Vet clinic" Beginning=1400 Ending=900 cowcalf1=1
line memSupplyInv "Description=Fuel on hand" Beginning=3200 Ending=2700 grain1=50 forage1=50
line memSupplyInv "Description=Vaccine on hand" Beginning=600 Ending=850 cowcalf1=1
line memPurchFeedInv "Description=Purchased hay" Type=Feed Beginning=4500 Ending=2800 cowcalf1=1
line memPurchFeedInv "Description=Supplement pellets" Type=Feed Beginning=2200 Ending=3100 feeders1=1
line memPurchFeedInv "Description=Bought straw" Type=Bedding Beginning=800 Ending=300 feeders1=1
line memUnpaid "Description=Owner labour" Hours=2400 DPerHour=22 cowcalf1=40 cowcalf2=10 feeders1=20 grain1=20 forage1=10
line memUnpaid "Description=Family help" Hours=600 DPerHour=15 cowcalf1=50 feeders1=50
flush

# --- Cow-calf herds -----------------------------------------------------------
# Rows: 1 Beginning Inv., 2 Price per Head, 3 Live Births, 4 Purchases,
# 5 Deaths, 6 Sales, 9 Ending Inv. (weights), 10 Ending Price.
H=memcowcalf1
step set \
  $H:1:cowsbredheifers=150 $H:1:bulls=6 \
  $H:2:cowsbredheifers=1900 $H:2:bulls=4200 \
  $H:3:bullsteercalves=72 $H:3:Heifercalves=70 \
  $H:4:bulls=1 \
  $H:5:bullsteercalves=3 $H:5:Heifercalves=2 $H:5:cowsbredheifers=2 \
  $H:6:bullsteercalves=40 $H:6:bsweights=585 $H:6:Heifercalves=28 $H:6:hcweights=545 \
  $H:6:cowsbredheifers=18 $H:6:bulls=1 \
  $H:10:cowsbredheifers=1950 $H:10:bulls=4300
H=memcowcalf2
step set \
  $H:1:yearlingheifers=22 $H:1:bulls=1 \
  $H:2:yearlingheifers=1500 $H:2:bulls=3800 \
  $H:5:yearlingheifers=1 \
  $H:6:yearlingheifers=4 \
  $H:10:yearlingheifers=1650 $H:10:bulls=3900

# Calves move on in the fall: steer calves and some heifer calves to the
# backgrounding lot, the keepers to the heifer herd; bred heifers join the cows.
step transfer cowcalf1 1 "feeders1|0|Steer calves to lot|29|560||2.65"
step transfer cowcalf1 2 "cowcalf2|4|Replacement heifers|25|540||2.60" "feeders1|0|Heifer calves to lot|15|530||2.55"
step transfer cowcalf2 4 "cowcalf1|6|Bred heifers to herd|20|1050|1700|"

# --- Backgrounding lot --------------------------------------------------------
step inventory feeders1 beginning "Steers on hand Jan 1|30|600||2.40"
step inventory feeders1 purchases "Auction steers|40|550||"
step inventory feeders1 sales "Fed steers to packer|95|900||"
step set memfeeders1:4:Feeders=2
step inventory feeders1 ending "Heifers on hand Dec 31|17|780||2.35"

# --- Crops --------------------------------------------------------------------
# Block rows: 1 Beginning Inv., 2 Production, 3 Sales, 4 Transfers Out,
# 5 Ending Inv.; the second crop's block starts at row 7.
F=memforage1
step set \
  $F:1:Units=bales $F:1:LbsPerUnit=1400 $F:1:NumUnits=200 $F:1:PricePerUnit=90 \
  $F:2:Units=bales $F:2:LbsPerUnit=1400 $F:2:NumUnits=1800 \
  $F:3:Units=bales $F:3:LbsPerUnit=1400 $F:3:NumUnits=900 \
  $F:5:Units=bales $F:5:LbsPerUnit=1400 $F:5:PricePerUnit=95 \
  $F:7:Units=bales $F:7:LbsPerUnit=1200 $F:7:NumUnits=50 $F:7:PricePerUnit=80 \
  $F:8:Units=bales $F:8:LbsPerUnit=1200 $F:8:NumUnits=600 \
  $F:9:Units=bales $F:9:LbsPerUnit=1200 $F:9:NumUnits=100 \
  $F:11:Units=bales $F:11:LbsPerUnit=1200 $F:11:PricePerUnit=85
G=memgrain1
step set \
  $G:1:Units=bushels $G:1:LbsPerUnit=48 $G:1:NumUnits=2000 $G:1:PricePerUnit=6 \
  $G:2:Units=bushels $G:2:LbsPerUnit=48 $G:2:NumUnits=24000 \
  $G:3:Units=bushels $G:3:LbsPerUnit=48 $G:3:NumUnits=18000 \
  $G:5:Units=bushels $G:5:LbsPerUnit=48 $G:5:PricePerUnit=6.1
S=memstraw1
step set \
  $S:1:Units=bales $S:1:LbsPerUnit=1000 $S:1:NumUnits=0 $S:1:PricePerUnit=35 \
  $S:2:Units=bales $S:2:LbsPerUnit=1000 $S:2:NumUnits=900 \
  $S:3:Units=bales $S:3:LbsPerUnit=1000 $S:3:NumUnits=100 \
  $S:5:Units=bales $S:5:LbsPerUnit=1000 $S:5:PricePerUnit=35

# Crops fed on the farm, and the straw used for feed and bedding.
step allocate-crop forage1 1 --unit bales --lbs 1400 --units 800 --price 90 cowcalf1=80 cowcalf2=20
step allocate-crop forage1 2 --unit bales --lbs 1200 --units 450 --price 80 feeders1=1
step allocate-crop grain1 1 --unit bushels --lbs 48 --units 6000 --price 6.25 cowcalf1=30 feeders1=70
step allocate-crop straw1 1 --unit bales --lbs 1000 --units 700 --price 35 --feed 1 --bedding 3 cowcalf1=60 feeders1=40

# --- Grazing --------------------------------------------------------------------
line mempasture1 "Description=Cows summer grazing" NumAnimals=150 AUE=1 NumDays=150 Dollars=28 cowcalf1=1
line mempasture1 "Description=Herd bulls" NumAnimals=6 AUE=1.5 NumDays=90 Dollars=28 cowcalf1=1
line mempasture2 "Description=Yearling heifers" NumAnimals=47 AUE=0.7 NumDays=120 Dollars=30 cowcalf2=1
line mempasture2 "Description=Fall backgrounders" NumAnimals=60 AUE=0.6 NumDays=45 Dollars=25 feeders1=1
line memaftermath1 "Description=Cows on aftermath" NumAnimals=150 AUE=1 NumDays=30 Dollars=15 cowcalf1=1
line memother1 "Description=Silage inoculant" BegQuantity=40 BegPrice=55 EndQuantity=25 EndPrice=58
line memother1 "Description=Wagon tarps" BegQuantity=6 BegPrice=180 EndQuantity=6 EndPrice=150
flush

mkdir -p "$(dirname "$out")"
"$cli" save "$farm" "$out"
echo "wrote $out"
"$cli" check "$out"
