#include <gtest/gtest.h>

#include <string>

#include "model/enterprise_registry.h"
#include "model/farm_data_sets.h"
#include "model/fiscal_date.h"
#include "model/values.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

TEST(Registry, KindOfReadsTheFirstThreeLetters) {
  struct Case {
    const char* name;
    int kind;
  };
  for (const Case& c : {Case{"Cowcalf2", kCowCalf}, Case{"crop", 0}, Case{"Feed", kFeeders}, Case{"", 0},
                        Case{"FORAGE3", kForage}, Case{"pasture1", kPasture}, Case{"grain5", kGrain},
                        Case{"straw", kStraw}, Case{"aftermath1", kAftermath}, Case{"other4", kOther},
                        Case{"co", 0}})
    EXPECT_EQ(KindOf(c.name), c.kind) << c.name;
}

TEST(Registry, KindPredicatesFollowTheId) {
  EXPECT_TRUE(IsCropKind("forage2"));
  EXPECT_TRUE(IsCropKind("straw1"));
  EXPECT_FALSE(IsCropKind("pasture1"));
  EXPECT_TRUE(IsLivestock("feeders3"));
  EXPECT_FALSE(IsLivestock("grain1"));
  EXPECT_TRUE(IsGrazing("aftermath1"));
  EXPECT_TRUE(IsGrazing("pasture4"));
  EXPECT_FALSE(IsGrazing("other1"));
  EXPECT_TRUE(isKnownEnterpriseId("cowcalf5"));
  EXPECT_FALSE(isKnownEnterpriseId("cowcalf6"));
  EXPECT_FALSE(isKnownEnterpriseId("aftermath2"));
}

TEST(Registry, LabelLookupsAndLedgerTitles) {
  LabelTable labels;
  labels.set(kGrain, 2, "Barley");
  labels.set(kCowCalf, 1, "Home Herd");
  labels.set(kCowCalf, 2, "Herd");
  EXPECT_EQ(LabelOf(labels, "grain2"), "Barley");
  EXPECT_EQ(LabelOf(labels, " GRAIN2 "), "Barley");
  EXPECT_EQ(LabelOf(labels, "Dollars"), "Dollars");
  EXPECT_EQ(LabelOf(labels, "cowcalfX"), "cowcalfX");
  EXPECT_EQ(LabelOf(labels, "grain3"), "") << "a registered-looking id without a label";
  EXPECT_EQ(LedgerTitleOf(labels, "cowcalf1"), " Home~ Herd");
  EXPECT_EQ(LedgerTitleOf(labels, "cowcalf2"), " Herd");
  EXPECT_EQ(LedgerTitleOf(labels, "Dollars"), "Dollars");
}

TEST(Registry, NewEnterprisesGoAfterTheirKind) {
  Farm farm;
  testing::FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.forage = {{"Hay", {"Alfalfa"}}};
  farmSpec.other = {"Custom"};
  testing::makeFarm(farm, farmSpec);
  const MemTable& master = farm.master();
  ASSERT_EQ(master.RecordCount(), 5);  // cowcalf1, cowcalf2, forage1, aftermath1, other1

  struct Case {
    int kind;
    int insertBefore;
    int index;
    const char* id;
  };
  for (const Case& c : {Case{kCowCalf, 2, 3, "cowcalf3"}, Case{kFeeders, 2, 1, "feeders1"},
                        Case{kForage, 3, 2, "forage2"}, Case{kStraw, 3, 1, "straw1"},
                        Case{kOther, -1, 2, "other2"}}) {
    const RegistryPosition position = positionOfNewEnterprise(master, c.kind);
    EXPECT_EQ(position.insertBefore, c.insertBefore) << c.id;
    EXPECT_EQ(position.index, c.index) << c.id;
    EXPECT_EQ(position.id, c.id);
  }
  EXPECT_EQ(CountOfKind(master, "cowcalf"), 2);
  EXPECT_EQ(CountOfKind(master, "grain"), 0);
}

TEST(Registry, TheLabelTableKeepsLabelsOfRemovedEnterprises) {
  Farm farm;
  testing::FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  testing::makeFarm(farm, farmSpec);
  EXPECT_EQ(farm.LabelOf("cowcalf2"), "Heifers");
  MemTable& master = farm.master();
  master.First();
  master.Next();
  master.Delete();
  farm.refillLabelTable();
  EXPECT_EQ(farm.LabelOf("cowcalf1"), "Home Herd");
  EXPECT_EQ(farm.LabelOf("cowcalf2"), "Heifers") << "entries are overwritten, never emptied";
}

TEST(FiscalDate, ReadsDayFirstAndForgivesMonthFirst) {
  struct Case {
    const char* text;
    CalendarDate date;
  };
  for (const Case& c : {Case{"31-12-2026", {2026, 12, 31}}, Case{"12/31/2026", {2026, 12, 31}},
                        Case{"03-04-2026", {2026, 4, 3}}, Case{"2/29/2024", {2024, 2, 29}},
                        Case{"29-02-2024", {2024, 2, 29}}, Case{"1-13-2025", {2025, 1, 13}}})
    EXPECT_EQ(ParseFiscalDate(c.text), c.date) << c.text;
  EXPECT_EQ(formatFiscalDate({2027, 2, 3}), "03-02-2027");
}

TEST(FiscalDate, ShortTextsAreTodayAndNonsenseIsAnError) {
  EXPECT_EQ(ParseFiscalDate(""), today());
  EXPECT_EQ(ParseFiscalDate("12-31"), today());
  for (const char* text : {"31-xx-2026", "30-02-2026", "ab/cd/efgh", "31-12-", "257-12-2026", "12-257-2026"})
    EXPECT_THROW(ParseFiscalDate(text), Error) << text;
}

TEST(TitleSteps, LedgerAllocationTitlesComeFromTheLabels) {
  Farm farm;
  testing::FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd"};
  farmSpec.grain = {{"Barley", {"Barley"}}};
  testing::makeFarm(farm, farmSpec);
  farm.applyAllTitleSteps();
  const MemTable& revenue = farm.table("memRevenue");
  EXPECT_EQ(revenue.FieldByName("cowcalf1").DisplayLabel(), " Home~ Herd");
  EXPECT_EQ(revenue.FieldByName("grain1").DisplayLabel(), " Barley");
}

}  // namespace
}  // namespace rb
