#include "export/text_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "reports/report_fixtures.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

using testing::appendRow;

std::string fromThirdLine(const std::string& text) {
  std::size_t at = 0;
  for (int line = 0; line < 2; ++line) at = text.find("\r\n", at) + 2;
  return text.substr(at);
}

class TextExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::FarmSpec farmSpec;
    farmSpec.cowcalf = {"Home Herd"};
    farmSpec.name = "Test Farm";
    testing::makeFarm(farm, farmSpec);
    farm.applyAllTitleSteps();
  }
  Farm farm;
};

TEST_F(TextExportTest, OpeningLinesThenOnlyTheSectionsWithRows) {
  const std::string text = textExport(farm, {"/farms/test.rbd", {2026, 12, 11}});
  EXPECT_TRUE(text.starts_with("Export from RanchBook$ Produced 12/11/26\r\nFILE: /farms/test.rbd Test Farm  "
                               "31-12-2026\r\n\r\nCowcalf1 - Home Herd\r\n"))
      << text;
  EXPECT_EQ(text.find("Revenue"), std::string::npos);  // empty ledgers write nothing
}

TEST_F(TextExportTest, CellsColumnsAndSectionsByteForByte) {
  MemTable& revenue = farm.table("memRevenue");
  appendRow(revenue, {{"Description", std::string("Calf sales")}, {"Dollars", 123.5}, {"Category", std::string("Calves")},
                      {"cowcalf1", 1.0}});
  appendRow(revenue, {{"Description", std::string("Refund")}, {"Dollars", -2.0}, {"Category", std::string("Miscellaneous")}});
  appendRow(revenue, {{"Description", std::string("Nothing")}, {"Dollars", 0.0}});
  revenue.SortOnFields("Description", true, false);  // exported in the order the user sorted
  appendRow(farm.table("memTransfer"), {{"FromEnterprise", std::string("cowcalf1")}, {"FromCategory", 1},
                                        {"ToEnterprise", std::string("cowcalf1")}, {"NumHead", 10},
                                        {"LbsPerHead", 550.25}});
  // A bookkeeping column is left out wherever it stands.
  farm.table("memTransfer").FieldByName("ToCategory").SetDisplayLabel("SortOrder");
  MemTable& herd = farm.enterpriseTable("cowcalf1");
  herd.First();
  herd.Edit();
  herd.FieldByName("bullsteercalves").SetAsInteger(42);
  herd.FieldByName("bsweights").SetAsFloat(0);
  herd.Post();
  // Worksheets of enterprises that are not registered stay out; the
  // aftermath sheet goes out whenever it has rows.
  appendRow(farm.table("memcowcalf2"), {{"Description", std::string("stray")}});
  appendRow(farm.table("memaftermath1"), {{"Description", std::string("Stubble")}, {"NumAnimals", 50},
                                          {"AUE", 1.0}, {"NumDays", 30}});

  const std::string expected =
      "\r\n"
      "Revenue\r\n"
      "Description\tDollars\tCategory\t Home~ Herd\t Aftermath\r\n"
      "Calf sales\t123.5000\tCalves\t1.0000\t\r\n"
      "Nothing\t0.0000\t\t\t\r\n"
      "Refund\t-2.0000\tMiscellaneous\t\t\r\n"
      "\r\n"
      "Transfers between and within enterprises\r\n"
      "FromEnterprise\tFromCategory\tToEnterprise\tDescription\tNumHead\tLbsPerHead\tPricePerHead\tPricePerLB\r\n"
      "cowcalf1\t1\tcowcalf1\t\t10\t550.2500\t\t\r\n"
      "\r\n"
      "Cowcalf1 - Home Herd\r\n"
      "Description\tBull/Steer~Calves\tBull/Steer~Calf Weights\tHeifer~Calves\tHeifer Calf~Weights\tYearling~Bulls\t"
      "Yearling~Heifers\tBulls\tCows/Bred~Heifers\r\n"
      "Beginning Inv.\t42\t0.0000\t\t\t\t\t\t\r\n"
      "Price per Head\t\t\t\t\t\t\t\t\r\n"
      "Live Births\t\t\t\t\t\t\t\t\r\n"
      "Purchases\t\t\t\t\t\t\t\t\r\n"
      "Deaths\t\t\t\t\t\t\t\t\r\n"
      "Sales\t\t\t\t\t\t\t\t\r\n"
      "Transfers in\t\t\t\t\t\t\t\t\r\n"
      "Transfers out\t\t\t\t\t\t\t\t\r\n"
      "Ending Inv.\t\t\t\t\t\t\t\t\r\n"
      "Ending Price\t\t\t\t\t\t\t\t\r\n"
      "\r\n"
      "Aftermath Grazing\r\n"
      "Description\t# of~Animals\tAnimal Unit~Equivalent\t# of~Days\tTotal AUMs~Provided\t$ per~AUM\tTotal~Value\t"
      "Home Herd\r\n"
      "Stubble\t50\t1.0000\t30\t\t\t\t\r\n"
      "\r\n";
  EXPECT_EQ(fromThirdLine(textExport(farm, {"test.rbd", {2026, 12, 11}})), expected);

  const std::string path = testing::temporaryPath("export.txt");
  ExportTextFile(farm, {"test.rbd", {2026, 12, 11}}, path);
  EXPECT_EQ(fromThirdLine(testing::readFile(path)), expected);
}

TEST_F(TextExportTest, AFileThatCannotBeCreatedIsReportedAndNothingIsWritten) {
  const std::string path = testing::temporaryPath("missing/export.txt");
  try {
    ExportTextFile(farm, {"test.rbd"}, path);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Could not open File \"" + path + "\". Bad name, or in use by another application.");
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace rb
