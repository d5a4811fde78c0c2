#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <map>

#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "support/farm_fixtures.h"

namespace rb {
namespace {

using testing::FarmSpec;
using testing::makeFarm;

// ---------------------------------------------------------------------------
// Writing and reading back
// ---------------------------------------------------------------------------

FarmSpec homeFarm() {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Home Herd", "Heifers"};
  farmSpec.forage = {{"Hay", {"Alfalfa", "Timothy"}}};
  return farmSpec;
}

void addRevenueLine(Farm& farm, const std::string& description, double dollars, double weight) {
  MemTable& revenue = farm.table("memRevenue");
  revenue.Append();
  revenue.FieldByName("Description").SetAsString(description);
  revenue.FieldByName("Dollars").SetAsFloat(dollars);
  revenue.FieldByName("Category").SetAsString("Calves");
  revenue.FieldByName("cowcalf1").SetAsFloat(weight);
  revenue.Post();
}

TEST(FarmFile, WritesTheFixedLayout) {
  Farm farm;
  makeFarm(farm, homeFarm());
  addRevenueLine(farm, "Steer calves", 1234.5, 1);
  const std::string text = farmFileText(farm);
  EXPECT_TRUE(
      text.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<COPDATASETS TYPE=\"COPDATA\" VERSION=\"v3.02\">\r\n"));
  for (const char* line :
       {"\t<DATASET NAME=\"Information\" attributes ROWCOUNT=\"1\" COLCOUNT=\"11\">\r\n\t\t<HEADER>\r\n",
        "\t\t\t<COLDESC NAME=\"fiscalyearend\" TYPE=\"STRING\" LENGTH=\"20\"/>\r\n",
        "\t<DATASET NAME=\"Revenue\" attributes ROWCOUNT=\"1\" COLCOUNT=\"7\">\r\n",
        "\t\t\t<COLDESC NAME=\"cowcalf1\" TYPE=\"FLOAT\" LENGTH=\"0\"/>\r\n",
        "\t\t<ROW>\r\n\t\t\t<COL>Steer calves</COL>\r\n\t\t\t<COL>1234.5</COL>\r\n\t\t\t<COL>Calves</COL>\r\n"
        "\t\t\t<COL>1</COL>\r\n\t\t\t<COL></COL>\r\n",
        "\t<DATASET NAME=\"Home Herd\" attributes ROWCOUNT=\"10\" COLCOUNT=\"9\">\r\n",
        "\t<DATASET NAME=\"Hay\" attributes ROWCOUNT=\"11\" COLCOUNT=\"8\">\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_TRUE(text.ends_with("\t</DATASET>\r\n</COPDATASETS>\r\n"));
}

TEST(FarmFile, SavingAgainIsByteIdentical) {
  Farm farm;
  makeFarm(farm, homeFarm());
  addRevenueLine(farm, "Steer calves", 0.1 + 0.2, 2.5);
  addRevenueLine(farm, "Heifer calves", 1e-7, 1);
  MemTable& notes = farm.info();
  notes.Edit();
  notes.FieldByName("notes").SetAsString("Line one\r\nLine two\twith a tab & more");
  notes.Post();
  const std::string first = testing::temporaryPath("first.rbd");
  const std::string second = testing::temporaryPath("second.rbd");
  SaveFarmFile(farm, first);

  Farm reloaded;
  LoadFarmFile(reloaded, first);
  SaveFarmFile(reloaded, second);
  EXPECT_EQ(testing::readFile(first), testing::readFile(second));
  EXPECT_EQ(reloaded.table("memRevenue").StringAt(1, 1), "1E-7");
  EXPECT_EQ(reloaded.info().StringAt(0, reloaded.info().FieldIndex("notes")), "Line one\r\nLine two\twith a tab & more");
}

TEST(FarmFile, RevenueAndExpensesAreStoredInEntryOrder) {
  Farm farm;
  makeFarm(farm, homeFarm());
  addRevenueLine(farm, "first", 300, 1);
  addRevenueLine(farm, "second", 100, 1);
  farm.table("memRevenue").SortOnFields("Dollars", false, false);
  const std::string text = farmFileText(farm);
  EXPECT_LT(text.find("<COL>first</COL>"), text.find("<COL>second</COL>"));
}

TEST(FarmFile, ReadingBackTrimsTextsAndEmptiesBecomeNull) {
  Farm farm;
  makeFarm(farm, homeFarm());
  MemTable& revenue = farm.table("memRevenue");
  revenue.Append();
  revenue.FieldByName("Description").SetAsString("  padded  ");
  revenue.FieldByName("Category").SetAsString("");
  revenue.FieldByName("Dollars").SetAsFloat(1.0 / 3.0);
  revenue.Post();
  Farm reloaded;
  loadFarmText(reloaded, farmFileText(farm), "farm.rbd");
  const MemTable& back = reloaded.table("memRevenue");
  EXPECT_EQ(back.StringAt(0, 0), "padded");
  EXPECT_TRUE(isNull(back.ValueAt(0, 2)));
  EXPECT_EQ(back.FloatAt(0, 1), 0.333333333333333);
}

TEST(FarmFile, LessThanSignsSurviveInValuesAndLabels) {
  Farm farm;
  makeFarm(farm, homeFarm());
  MemTable& master = farm.master();
  master.First();
  master.Edit();
  master.FieldByName("enterpriseLabel").SetAsString("A</DATASET>");
  master.Post();
  addRevenueLine(farm, "less <than> more", 5, 1);
  const std::string text = farmFileText(farm);
  EXPECT_NE(text.find("NAME=\"A&lt;/DATASET>\""), std::string::npos);
  Farm reloaded;
  loadFarmText(reloaded, text, "farm.rbd");
  EXPECT_EQ(reloaded.master().StringAt(0, reloaded.master().FieldIndex("enterpriseLabel")), "A</DATASET>");
  EXPECT_EQ(reloaded.table("memRevenue").StringAt(0, 0), "less <than> more");
  EXPECT_EQ(reloaded.table("memcowcalf1").RecordCount(), 10);
  EXPECT_EQ(farmFileText(reloaded), text);
}

TEST(FarmFile, TextsThatLookLikeEscapesComeBackAsTyped) {
  struct Case {
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {
      {"R&D", "R&D"},
      {"a &amp; b", "a &amp; b"},
      {"<", "&lt;"},
      {"&lt;", "&amp;lt;"},
      {"&amp;lt;", "&amp;amp;lt;"},
      {"&<", "&&lt;"},
      {"&amp;<", "&amp;&lt;"},
      {"x &lt y", "x &lt y"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(escapeFileText(c.typed), c.stored) << c.typed;
    EXPECT_EQ(unescapeFileText(c.stored), c.typed) << c.stored;
  }
  Farm farm;
  makeFarm(farm, homeFarm());
  for (const Case& c : cases) addRevenueLine(farm, c.typed, 1, 1);
  Farm reloaded;
  loadFarmText(reloaded, farmFileText(farm), "farm.rbd");
  for (int row = 0; row < static_cast<int>(std::size(cases)); ++row)
    EXPECT_EQ(reloaded.table("memRevenue").StringAt(row, 0), cases[row].typed);
}

TEST(FarmFile, TextEncoding) {
  Farm farm;
  makeFarm(farm, homeFarm());
  addRevenueLine(farm, "Caf\xC3\xA9 \xE2\x82\xAC", 1, 1);  // "Café €": fits Windows-1252
  const std::string path = testing::temporaryPath("encoding.rbd");
  SaveFarmFile(farm, path);
  const std::string bytes = testing::readFile(path);
  EXPECT_NE(bytes.find("Caf\xE9 \x80"), std::string::npos);

  Farm reloaded;
  LoadFarmFile(reloaded, path);
  EXPECT_EQ(reloaded.table("memRevenue").StringAt(0, 0), "Caf\xC3\xA9 \xE2\x82\xAC");

  // A character outside Windows-1252 keeps the whole file in UTF-8.
  addRevenueLine(farm, "\xC5\x9D", 1, 1);
  SaveFarmFile(farm, path);
  EXPECT_NE(testing::readFile(path).find("Caf\xC3\xA9"), std::string::npos);
  LoadFarmFile(reloaded, path);
  EXPECT_EQ(reloaded.table("memRevenue").StringAt(1, 0), "\xC5\x9D");
}

// ---------------------------------------------------------------------------
// The tolerant reader
// ---------------------------------------------------------------------------

// A hand-made file: the Information and Master data sets of a one-herd farm,
// then the given whole-farm data sets (empty ones fill the rest), then the
// herd's sheet.
std::string handMadeFile(const std::map<std::string, std::string>& dataSets, const std::string& version = "v3.02") {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Herd"};
  std::string text = testing::configurationText(farmSpec);
  text.replace(text.find("VERSION=\"v3.02\""), 15, "VERSION=\"" + version + "\"");
  for (const auto& [name, replacement] : dataSets) {
    const std::string start = "\t<DATASET NAME=\"" + name + "\"";
    const std::size_t from = text.find(start);
    const std::size_t to = text.find("\t</DATASET>\r\n", from) + 13;
    text.replace(from, to - from, replacement);
  }
  return text;
}

std::string dataSet(const std::string& name, const std::vector<std::string>& columns,
                    const std::vector<std::vector<std::string>>& rows) {
  std::string text = "\t<DATASET NAME=\"" + name + "\" attributes ROWCOUNT=\"99\" COLCOUNT=\"1\">\r\n\t\t<HEADER>\r\n";
  for (const std::string& column : columns) text += "\t\t\t" + column + "\r\n";
  text += "\t\t</HEADER>\r\n";
  for (const auto& row : rows) {
    text += "\t\t<ROW>\r\n";
    for (const std::string& cell : row) text += "\t\t\t<COL>" + cell + "</COL>\r\n";
    text += "\t\t</ROW>\r\n";
  }
  return text + "\t</DATASET>\r\n";
}

const std::string kMoneyHeader[] = {"<COLDESC NAME=\"Description\" TYPE=\"STRING\" LENGTH=\"25\"/>",
                                    "<COLDESC NAME=\"Dollars\" TYPE=\"FLOAT\" LENGTH=\"0\"/>",
                                    "<COLDESC NAME=\"Category\" TYPE=\"STRING\" LENGTH=\"30\"/>",
                                    "<COLDESC NAME=\"cowcalf1\" TYPE=\"INTEGER\" LENGTH=\"0\"/>"};

TEST(FarmFileReader, CompatibilityRulesForOlderColumnTypes) {
  const std::vector<std::string> money(std::begin(kMoneyHeader), std::end(kMoneyHeader));
  const std::string file = handMadeFile(
      {{"Revenue", dataSet("Revenue", money, {{"Calves", "100", "Calves", "50"}, {"More", "1", "", "25"}})},
       {"Crop Allocations",
        dataSet("Crop Allocations",
                {"<COLDESC NAME=\"Enterprise\" TYPE=\"STRING\" LENGTH=\"20\"/>",
                 "<COLDESC NAME=\"Crop\" TYPE=\"INTEGER\" LENGTH=\"0\"/>",
                 "<COLDESC NAME=\"crop2\" TYPE=\"INTEGER\" LENGTH=\"0\"/>",
                 "<COLDESC NAME=\"FeedName\" TYPE=\"STRING\" LENGTH=\"30\"/>",
                 "<COLDESC NAME=\"Later\" TYPE=\"DATE\" LENGTH=\"0\"/>"},
                {})}});
  Farm farm;
  loadFarmText(farm, file, "old.rbd");
  const MemTable& revenue = farm.table("memRevenue");
  EXPECT_EQ(revenue.FieldByName("cowcalf1").DataType(), FieldType::Float);
  EXPECT_EQ(revenue.FloatAt(0, 3), 50);
  EXPECT_EQ(revenue.FloatAt(1, 3), 25);
  const MemTable& alloc = farm.table("memCropAlloc");
  EXPECT_EQ(alloc.FieldByName("Crop").DataType(), FieldType::Float);
  EXPECT_EQ(alloc.FieldByName("crop2").DataType(), FieldType::Integer);
  EXPECT_EQ(alloc.FieldByName("FeedName").Size(), 14);
  EXPECT_EQ(alloc.FieldByName("Later").DataType(), FieldType::String);  // the type of the column before
  const Field& yearEnd = farm.info().FieldByName("fiscalyearend");
  EXPECT_EQ(yearEnd.DataType(), FieldType::String);
  EXPECT_EQ(yearEnd.Size(), 20);
}

TEST(FarmFileReader, ToleratesWhatOlderWritersProduced) {
  const std::vector<std::string> money(std::begin(kMoneyHeader), std::end(kMoneyHeader));
  std::string revenue = dataSet("Revenue", money, {{"  word  ", "12,5", "R&D", "1"}, {"a<b", "", "", ""}});
  // An empty element does not take a column position.
  revenue.replace(revenue.find("<COL>12,5</COL>"), 0, "<COL/>");
  Farm farm;
  loadFarmText(farm, handMadeFile({{"Revenue", revenue}}, "1.43"), "old.rbd");
  const MemTable& table = farm.table("memRevenue");
  ASSERT_EQ(table.RecordCount(), 2);
  EXPECT_EQ(table.StringAt(0, 0), "word");
  EXPECT_EQ(table.FloatAt(0, 1), 12.5);
  EXPECT_EQ(table.StringAt(0, 2), "R&D");
  EXPECT_EQ(table.StringAt(1, 0), "a");
}

TEST(FarmFileReader, DataSetWithoutHeaderAppendsToTheTable) {
  Farm farm;
  makeFarm(farm, homeFarm());
  addRevenueLine(farm, "kept", 10, 1);
  std::string rows = "\t<DATASET NAME=\"Revenue\" attributes>\r\n\t\t<ROW>\r\n\t\t\t<COL>added</COL>\r\n"
                     "\t\t</ROW>\r\n\t</DATASET>\r\n";
  FarmSpec farmSpec = homeFarm();
  std::string text = testing::configurationText(farmSpec);
  const std::size_t from = text.find("\t<DATASET NAME=\"Revenue\"");
  text.replace(from, text.find("\t</DATASET>\r\n", from) + 13 - from, rows);
  loadFarmText(farm, text, "farm.rbd");
  const MemTable& revenue = farm.table("memRevenue");
  ASSERT_EQ(revenue.RecordCount(), 2);
  EXPECT_EQ(revenue.StringAt(0, 0), "kept");
  EXPECT_EQ(revenue.StringAt(1, 0), "added");
}

TEST(FarmFileReader, EnterpriseDataSetsAreMatchedByPositionNotName) {
  FarmSpec farmSpec;
  farmSpec.cowcalf = {"Twin", "Twin"};
  Farm farm;
  makeFarm(farm, farmSpec);
  MemTable& second = farm.table("memcowcalf2");
  second.First();
  second.Edit();
  second.FieldByName("bulls").SetAsInteger(3);
  second.Post();
  Farm reloaded;
  loadFarmText(reloaded, farmFileText(farm), "twins.rbd");
  EXPECT_EQ(reloaded.table("memcowcalf2").StringAt(0, 7), "3");
  EXPECT_TRUE(isNull(reloaded.table("memcowcalf1").ValueAt(0, 7)));
  EXPECT_EQ(CountOfKind(reloaded.master(), "cowcalf"), 2);
  EXPECT_EQ(CountOfKind(reloaded.master(), "grain"), 0);
}

// ---------------------------------------------------------------------------
// A failed load changes nothing
// ---------------------------------------------------------------------------

TEST(FarmFileReader, FailedLoadsLeaveTheFarmAsItWas) {
  const std::vector<std::string> money(std::begin(kMoneyHeader), std::end(kMoneyHeader));
  const std::string good = handMadeFile({});
  struct Case {
    const char* what;
    std::string text;
    const char* message;
  };
  std::string truncated = good.substr(0, good.find("\t<DATASET NAME=\"Expenses\"") - 40);
  std::string badFloat = handMadeFile({{"Revenue", dataSet("Revenue", money, {{"x", "12x", "", ""}})}});
  std::string tooMany = handMadeFile({{"Revenue", dataSet("Revenue", money, {{"a", "1", "b", "1", "extra"}})}});
  std::string unknownType = handMadeFile(
      {{"Revenue", dataSet("Revenue", {"<COLDESC NAME=\"Description\" TYPE=\"TEXT\" LENGTH=\"25\"/>"}, {})}});
  std::string badSize = handMadeFile(
      {{"Revenue", dataSet("Revenue", {"<COLDESC NAME=\"fiscalDollars\" TYPE=\"FLOAT\" LENGTH=\"20\"/>"}, {})}});
  std::string noLength =
      handMadeFile({{"Revenue", dataSet("Revenue", {"<COLDESC NAME=\"Description\" TYPE=\"STRING\"/>"}, {})}});
  std::string badId = good;
  badId.replace(badId.find("<COL>cowcalf1</COL>"), 19, "<COL>cowcalf7</COL>");
  const Case cases[] = {
      {"no root", "just some text <b>bold</b>", "not a farm file"},
      {"truncated", truncated, "ends inside data set Revenue"},
      {"bad number", badFloat, "'12x' is not a valid floating point value for field 'Dollars'"},
      {"too many values", tooMany, "more values than its 4 columns"},
      {"unknown type", unknownType, "Field 'Description' is of an unknown type"},
      {"bad size", badSize, "Invalid field size"},
      {"missing attribute", noLength, "without LENGTH"},
      {"unknown id", badId, "\"cowcalf7\", which is not an enterprise id"},
  };

  Farm farm;
  makeFarm(farm, homeFarm());
  addRevenueLine(farm, "before", 42, 1);
  const std::string before = farmFileText(farm);
  for (const Case& c : cases) {
    try {
      loadFarmText(farm, c.text, "broken.rbd");
      ADD_FAILURE() << c.what << " loaded";
    } catch (const Error& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("broken.rbd"), std::string::npos) << message;
      EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
    }
    EXPECT_EQ(farmFileText(farm), before) << c.what;
    EXPECT_FALSE(farm.inProgramUpdate);
  }
}

// The window reads its start-up farm on a second thread, against a farm of
// its own, and applies it later to the farm it shows: the result must be the
// farm a direct load gives, and a failed reading must throw what a load throws.
TEST(FarmFileReader, AFileReadElsewhereAppliesAsADirectLoad) {
  const std::string text = testing::readFile(RB_SOURCE_DIR "/data/ranchbook.rbd");
  ASSERT_FALSE(text.empty());
  Farm direct;
  loadFarmText(direct, text, "ranchbook.rbd");

  auto reading = std::async(std::launch::async, [&text] {
    const Farm shape;
    return readFarmText(shape, text, "ranchbook.rbd");
  });
  Farm shown;
  makeFarm(shown, homeFarm());  // whatever the farm held before is replaced
  applyFarmFile(shown, reading.get());
  EXPECT_EQ(farmFileText(shown), farmFileText(direct));
  EXPECT_FALSE(shown.inProgramUpdate);

  const Farm shape;
  try {
    (void)readFarmText(shape, text.substr(0, text.size() / 2), "half.rbd");
    ADD_FAILURE() << "half a file was read";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("half.rbd: the file ends inside data set"), std::string::npos)
        << error.what();
  }
}

TEST(FarmFileWriter, AFailedSaveNamesTheFileAndKeepsTheOldOne) {
  Farm farm;
  makeFarm(farm, homeFarm());
  const std::string folder = testing::temporaryPath("a-folder");
  std::filesystem::create_directory(folder);
  try {
    SaveFarmFile(farm, folder);
    ADD_FAILURE() << "saved over a folder";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot create file \"" + folder + "\""), std::string::npos);
  }
  const std::string missing = testing::temporaryPath("no-such-folder/farm.rbd");
  EXPECT_THROW(SaveFarmFile(farm, missing), Error);
  EXPECT_FALSE(std::filesystem::exists(missing));

  const std::string existing = testing::temporaryPath("existing.rbd");
  testing::writeFile(existing, "old farm");
  SaveFarmFile(farm, existing);
  EXPECT_EQ(testing::readFile(existing), farmFileText(farm));
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(existing).parent_path()))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".existing.rbd"))
        << "temporary file left behind: " << entry.path();
}

}  // namespace
}  // namespace rb
