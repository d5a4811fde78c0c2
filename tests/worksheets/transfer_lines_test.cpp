#include <gtest/gtest.h>

#include "worksheets/rules_fixture.h"
#include "worksheets/transfer_lines.h"
#include "worksheets/worksheet_layout.h"

namespace rb {
namespace {

using testing::FarmSpec;
using testing::RuledFarm;

FarmSpec livestockFarm() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.feeders = {"Growers", "Finishers"};
  return farmSpec;
}

std::vector<std::string> descriptions(const std::vector<TransferLine>& lines) {
  std::vector<std::string> texts;
  for (const TransferLine& l : lines) texts.push_back(l.description + "|" + l.toEnterprise + "|" + std::to_string(l.toCategory));
  return texts;
}

TEST(Transfers, OfferedDestinations) {
  RuledFarm f(livestockFarm());
  EXPECT_EQ(descriptions(offeredTransferLines(f.farm, "feeders1", 0)),
            (std::vector<std::string>{"Home Herd  [Yearling Bulls]|cowcalf1|3", "Home Herd  [Yearling Heifers]|cowcalf1|4",
                                      "Home Herd  [Bulls]|cowcalf1|5", "Home Herd  [Cows / Bred Heifers]|cowcalf1|6",
                                      "Heifers  [Yearling Bulls]|cowcalf2|3", "Heifers  [Yearling Heifers]|cowcalf2|4",
                                      "Heifers  [Bulls]|cowcalf2|5", "Heifers  [Cows / Bred Heifers]|cowcalf2|6",
                                      "Finishers  [Feeders]|feeders2|0"}));
  EXPECT_EQ(descriptions(offeredTransferLines(f.farm, "cowcalf1", 2)),
            (std::vector<std::string>{"Home Herd  [Yearling Heifers]|cowcalf1|4", "Heifers  [Yearling Heifers]|cowcalf2|4",
                                      "Growers [Feeders]|feeders1|0", "Finishers [Feeders]|feeders2|0"}));
  // Bulls of a herd are not offered their own herd.
  EXPECT_EQ(descriptions(offeredTransferLines(f.farm, "cowcalf2", 5)),
            (std::vector<std::string>{"Home Herd  [Bulls]|cowcalf1|5", "Growers [Feeders]|feeders1|0",
                                      "Finishers [Feeders]|feeders2|0"}));
  for (const TransferLine& l : offeredTransferLines(f.farm, "cowcalf2", 5)) {
    EXPECT_EQ(l.fromEnterprise, "cowcalf2");
    EXPECT_EQ(l.fromCategory, 5);
    EXPECT_FALSE(l.numHead.has_value());
  }
  EXPECT_EQ(transferDialogTitle(f.farm, "cowcalf1", 2), "Heifer Calves from Home Herd");
  EXPECT_EQ(transferDialogTitle(f.farm, "feeders2", 0), "Feeders from Finishers");
}

TEST(Transfers, HeiferCalvesKeptInTheHerdArriveAsYearlingHeifers) {
  RuledFarm f(livestockFarm());
  f.type("memcowcalf1", cowcalf::kBeginning, "Heifercalves", "40");
  f.type("memcowcalf1", cowcalf::kPurchases, "Heifercalves", "5");
  f.type("memcowcalf1", cowcalf::kDeaths, "Heifercalves", "1");
  f.type("memcowcalf1", cowcalf::kSales, "Heifercalves", "20");

  std::vector<TransferLine> lines = openTransferLines(f.farm, "cowcalf1", 2);
  ASSERT_EQ(lines.size(), 4u);
  lines[0].numHead = 10;
  lines[0].lbsPerHead = 600;
  lines[0].pricePerLb = 1.5;
  transferLineChanged(lines[0], TransferColumn::PricePerLb);
  EXPECT_DOUBLE_EQ(*lines[0].pricePerHead, 900);
  EXPECT_EQ(updateTransfers(f.farm, "cowcalf1", 2, lines), 10);

  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kTransfersOut, "Heifercalves"), 10);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEnding, "Heifercalves"), 14);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kTransfersIn, "yearlingheifers"), 10);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEnding, "yearlingheifers"), 10);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf2", cowcalf::kTransfersIn, "yearlingheifers"), 0);

  // Reopening shows exactly the stored lines, the empty ones too.
  EXPECT_EQ(loadTransferLines(f.farm, "cowcalf1", 2), lines);
  EXPECT_EQ(openTransferLines(f.farm, "cowcalf1", 2), lines);

  const TransfersInNarrative narrative = transfersInNarrative(f.farm, "cowcalf1", 4);
  EXPECT_EQ(narrative.caption, "Transfers into Feeder Enterprise: Home Herd Yearling Heifers");
  EXPECT_EQ(narrative.lines, (std::vector<std::string>{
                                 "... ", "Within Enterprise Transfer of 10 animals from: Heifer Calves",
                                 "Weight: 600 | Price Per Lb: 1.50 | Price Per Head : 900.00"}));
  EXPECT_EQ(transfersInNarrative(f.farm, "cowcalf1", 2).lines, std::vector<std::string>{"No Transfers found..."});

  // Taking the head off again empties the receiving cell.
  lines[0].numHead = 0;
  updateTransfers(f.farm, "cowcalf1", 2, lines);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kTransfersIn, "yearlingheifers"), 0);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kEnding, "Heifercalves"), 24);
}

TEST(Transfers, FeederTransfersReachTheOtherGroupAndItsNarrative) {
  RuledFarm f(livestockFarm());
  std::vector<TransferLine> lines = offeredTransferLines(f.farm, "feeders1", 0);
  TransferLine& toFinishers = lines.back();
  toFinishers.numHead = 25;
  toFinishers.lbsPerHead = 800;
  toFinishers.pricePerHead = 1300;
  transferLineChanged(toFinishers, TransferColumn::PricePerHead);
  EXPECT_DOUBLE_EQ(*toFinishers.pricePerLb, 1.63);
  TransferLine priceFirst = lines.front();
  priceFirst.pricePerHead = 1100;
  transferLineChanged(priceFirst, TransferColumn::PricePerHead);
  priceFirst.lbsPerHead = 1000;
  transferLineChanged(priceFirst, TransferColumn::LbsPerHead);
  EXPECT_DOUBLE_EQ(*priceFirst.pricePerHead, 1100);
  EXPECT_DOUBLE_EQ(*priceFirst.pricePerLb, 1.1);
  updateTransfers(f.farm, "feeders1", 0, lines);
  EXPECT_DOUBLE_EQ(f.number("memfeeders1", feeders::kTransfersOut, "Feeders"), 25);
  EXPECT_DOUBLE_EQ(f.number("memfeeders2", feeders::kTransfersIn, "Feeders"), 25);
  EXPECT_EQ(f.table("memTransfer").RecordCount(), 9);
  EXPECT_EQ(transfersInNarrative(f.farm, "feeders2", 0).lines[1],
            "Transfer of  25 animals from: Growers  ");
  EXPECT_EQ(transfersInNarrative(f.farm, "feeders2", 0).caption, "Transfers into Feeder Enterprise: Finishers ");
}

TEST(Transfers, LinesWithoutAReceivingCellAreKeptAndCountedNowhere) {
  RuledFarm f(livestockFarm());
  MemTable& transfers = f.table("memTransfer");
  struct Stray {
    const char* to;
    int category;
  };
  for (Stray s : {Stray{"grain1", 0}, Stray{"cowcalf1", 9}, Stray{"feeders", 0}, Stray{"cowcalf2", 1},
                  Stray{"CowCalf2", 4}}) {
    transfers.Append();
    transfers.FieldByName("FromEnterprise").SetAsString("feeders1");
    transfers.FieldByName("ToEnterprise").SetAsString(s.to);
    transfers.FieldByName("ToCategory").SetAsInteger(s.category);
    transfers.FieldByName("NumHead").SetAsInteger(7);
    transfers.Post();
  }
  // A calf cell of "Transfers in" as an edited file may hold it.
  {
    ProgramUpdate busy(f.farm);
    MemTable& herd = f.table("memcowcalf1");
    herd.First();
    herd.MoveBy(cowcalf::kTransfersIn);
    herd.Edit();
    herd.FieldByName("Heifercalves").SetAsInteger(3);
    herd.Post();
  }
  rebuildTransfersIn(f.farm);
  EXPECT_EQ(transfers.RecordCount(), 5);
  EXPECT_DOUBLE_EQ(f.number("memfeeders1", feeders::kTransfersIn, "Feeders"), 0);
  // Calves sent into a herd have no receiving cell: the calf cells are never written.
  EXPECT_TRUE(f.isEmpty("memcowcalf2", cowcalf::kTransfersIn, "bullsteercalves"));
  EXPECT_TRUE(f.isEmpty("memcowcalf2", cowcalf::kEnding, "bullsteercalves"));
  EXPECT_DOUBLE_EQ(f.number("memcowcalf1", cowcalf::kTransfersIn, "Heifercalves"), 3);
  // The herd in the destination id is found whatever its case.
  EXPECT_DOUBLE_EQ(f.number("memcowcalf2", cowcalf::kTransfersIn, "yearlingheifers"), 7);
  EXPECT_DOUBLE_EQ(f.number("memcowcalf2", cowcalf::kEnding, "yearlingheifers"), 7);
}

TEST(Transfers, RefusedSourcesChangeNothing) {
  RuledFarm f(livestockFarm());
  EXPECT_THROW(updateTransfers(f.farm, "cowcalf3", 1, {}), Error);
  EXPECT_THROW(updateTransfers(f.farm, "cowcalf1", 0, {}), Error);
  EXPECT_THROW(updateTransfers(f.farm, "feeders1", 2, {}), Error);
  EXPECT_EQ(f.table("memTransfer").RecordCount(), 0);
}

}  // namespace
}  // namespace rb
