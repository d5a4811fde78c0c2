#include <gtest/gtest.h>

#include "model/mem_table.h"

namespace rb {
namespace {

// A small table of the kinds the farm uses: a description, an amount, a head
// count and a flag.
void defineLedger(MemTable& table) {
  table.AddFieldDef("Description", FieldType::String, 20);
  table.AddFieldDef("Dollars", FieldType::Float);
  table.AddFieldDef("Head", FieldType::Integer);
  table.AddFieldDef("Paid", FieldType::Boolean);
  table.CreateColumns();
  table.Open();
}

void appendLine(MemTable& table, const std::string& description, double dollars) {
  table.Append();
  table.FieldByName("Description").SetAsString(description);
  table.FieldByName("Dollars").SetAsFloat(dollars);
  table.Post();
}

std::vector<std::string> descriptions(MemTable& table) {
  std::vector<std::string> result;
  for (int row = 0; row < table.RecordCount(); ++row) result.push_back(table.StringAt(row, 0));
  return result;
}

TEST(MemTable, EmptyTableCursor) {
  MemTable table("memTest");
  defineLedger(table);
  table.First();
  EXPECT_TRUE(table.Eof());
  EXPECT_EQ(table.RecNo(), 0);
  EXPECT_THROW(table.Delete(), Error);
  try {
    table.Delete();
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Cannot perform this operation on an empty dataset");
  }
}

TEST(MemTable, EditOnEmptyTableInsertsARow) {
  MemTable table("memTest");
  defineLedger(table);
  table.Edit();
  EXPECT_EQ(table.State(), TableState::Insert);
  table.FieldByName("Dollars").SetAsFloat(12.5);
  table.Post();
  ASSERT_EQ(table.RecordCount(), 1);
  table.First();
  EXPECT_TRUE(table.FieldByName("Description").IsNull());
  EXPECT_DOUBLE_EQ(table.FieldByName("Dollars").AsFloat(), 12.5);
}

TEST(MemTable, NavigationAndEof) {
  MemTable table("memTest");
  defineLedger(table);
  for (const char* name : {"a", "b", "c"}) appendLine(table, name, 1);
  table.First();
  EXPECT_EQ(table.RecNo(), 1);
  table.MoveBy(5);  // stops at the last row and flags the end
  EXPECT_EQ(table.RecNo(), 3);
  EXPECT_TRUE(table.Eof());
  table.Prior();
  EXPECT_FALSE(table.Eof());
  EXPECT_EQ(table.FieldByName("description").AsString(), "b");
  table.MoveBy(-7);
  EXPECT_EQ(table.RecNo(), 1);
  int visited = 0;
  for (table.First(); !table.Eof(); table.Next()) ++visited;
  EXPECT_EQ(visited, 3);
}

TEST(MemTable, AssigningWhileBrowsingFails) {
  MemTable table("memTest");
  defineLedger(table);
  appendLine(table, "a", 1);
  EXPECT_THROW(table.FieldByName("Dollars").SetAsFloat(2), Error);
  try {
    table.FieldByName("Dollars").SetAsFloat(2);
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Dataset not in edit or insert mode");
  }
}

TEST(MemTable, TextConversions) {
  MemTable table("memTest");
  defineLedger(table);
  table.Append();
  Field& description = table.FieldByName("DESCRIPTION");
  Field& dollars = table.FieldByName("Dollars");
  Field& head = table.FieldByName("Head");
  Field& paid = table.FieldByName("Paid");

  description.SetAsString("123456789012345678901");  // 21 characters
  EXPECT_EQ(description.AsString(), "12345678901234567890");

  dollars.SetAsString("");
  EXPECT_TRUE(dollars.IsNull());
  EXPECT_EQ(dollars.AsFloat(), 0);
  EXPECT_EQ(dollars.AsString(), "");

  struct BooleanCase {
    const char* text;
    bool expected;
  };
  for (const BooleanCase& c : {BooleanCase{"f", false}, {"FALSE", false}, {"Fa", false}, {"t", true}, {"True", true}}) {
    paid.SetAsString(c.text);
    EXPECT_EQ(paid.AsBoolean(), c.expected) << c.text;
  }
  paid.SetAsString("");
  EXPECT_TRUE(paid.IsNull());

  head.SetAsFloat(2.5);
  EXPECT_EQ(head.AsInteger(), 2);
  head.SetAsFloat(3.5);
  EXPECT_EQ(head.AsInteger(), 4);
}

TEST(MemTable, ConversionMessagesNameTheTextAndTheColumn) {
  MemTable table("memTest");
  defineLedger(table);
  table.FieldByName("Dollars").SetDisplayLabel("Total~Dollars");
  table.Append();
  struct Case {
    const char* column;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"Dollars", "12x", "'12x' is not a valid floating point value for field 'Total~Dollars'"},
      {"Head", "2.5", "'2.5' is not a valid integer value for field 'Head'"},
      {"Paid", "yes", "'yes' is not a valid boolean value for field 'Paid'"},
  };
  for (const Case& c : cases) {
    table.FieldByName(c.column).SetAsFloat(7);
    try {
      table.FieldByName(c.column).SetAsString(c.text);
      ADD_FAILURE() << c.text << " was accepted";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
    // The failed assignment leaves the cell and the state as they were.
    EXPECT_EQ(table.FieldByName(c.column).AsFloat(), c.column == std::string("Paid") ? 1 : 7);
    EXPECT_EQ(table.State(), TableState::Insert);
  }
  EXPECT_THROW(table.FieldByName("Missing"), Error);
  EXPECT_EQ(table.FindField("Missing"), nullptr);
}

TEST(MemTable, StructureErrors) {
  MemTable table("memTest");
  table.AddFieldDef("Amount", FieldType::Float, 20);
  EXPECT_THROW(table.CreateColumns(), Error);
  table.ClearFieldDefs();
  table.AddFieldDef("Mystery", FieldType::Unknown);
  try {
    table.CreateColumns();
    ADD_FAILURE();
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Field 'Mystery' is of an unknown type");
  }
  EXPECT_FALSE(table.Active());
}

TEST(MemTable, SortTiesFallBackToCreationOrder) {
  MemTable table("memTest");
  defineLedger(table);
  appendLine(table, "first", 50);
  appendLine(table, "second", 10);
  appendLine(table, "third", 50);
  table.Last();
  table.Insert();  // placed before "third", but created last
  table.FieldByName("Description").SetAsString("inserted");
  table.FieldByName("Dollars").SetAsFloat(10);
  table.Post();
  EXPECT_EQ(descriptions(table), (std::vector<std::string>{"first", "second", "inserted", "third"}));

  table.SortOnFields("Dollars", false, false);
  EXPECT_EQ(descriptions(table), (std::vector<std::string>{"second", "inserted", "first", "third"}));
  table.SortOnFields("Dollars", false, true);  // equal weights keep entry order reversed
  EXPECT_EQ(descriptions(table), (std::vector<std::string>{"third", "first", "inserted", "second"}));
  table.SortOnFields("", true, false);
  EXPECT_EQ(descriptions(table), (std::vector<std::string>{"first", "second", "third", "inserted"}));
  table.SortOnFields("", true, true);
  EXPECT_EQ(descriptions(table), (std::vector<std::string>{"inserted", "third", "second", "first"}));
}

TEST(MemTable, SortPutsNullsFirstAndKeepsTheCursorOnItsRow) {
  MemTable table("memTest");
  defineLedger(table);
  appendLine(table, "b", 1);
  appendLine(table, "A", 2);
  table.Append();
  table.FieldByName("Dollars").SetAsFloat(3);
  table.Post();
  table.First();
  table.SortOnFields("Description", false, false);
  EXPECT_EQ(descriptions(table), (std::vector<std::string>{"", "A", "b"}));
  EXPECT_EQ(table.FieldByName("Description").AsString(), "b");
  table.SortOnFields("Description", true, true);
  EXPECT_EQ(descriptions(table), (std::vector<std::string>{"b", "A", ""}));
}

TEST(MemTable, BookmarksFollowTheirRowThroughSorting) {
  MemTable table("memTest");
  defineLedger(table);
  appendLine(table, "x", 3);
  appendLine(table, "y", 1);
  table.First();
  const auto bookmark = table.GetBookmark();
  table.SortOnFields("Dollars", false, false);
  table.First();
  table.GotoBookmark(bookmark);
  EXPECT_EQ(table.FieldByName("Description").AsString(), "x");
  EXPECT_EQ(table.RecNo(), 2);
}

TEST(MemTable, DeleteMovesToTheFollowingRow) {
  MemTable table("memTest");
  defineLedger(table);
  for (const char* name : {"a", "b", "c"}) appendLine(table, name, 1);
  table.First();
  table.Next();
  table.Delete();
  EXPECT_EQ(table.FieldByName("Description").AsString(), "c");
  table.Delete();  // the last row: the cursor goes to the new last row
  EXPECT_EQ(table.FieldByName("Description").AsString(), "a");
  table.Append();
  table.Delete();  // abandons the new row
  EXPECT_EQ(table.RecordCount(), 1);
}

TEST(MemTable, NotificationsAndTheirLock) {
  MemTable table("memTest");
  defineLedger(table);
  std::vector<std::string> seen;
  table.OnDataChange.connect([&](MemTable&, const Field* field) { seen.push_back(field ? field->FieldName() : "-"); });

  table.Append();
  table.FieldByName("Dollars").SetAsFloat(4);
  table.Post();
  EXPECT_EQ(seen, (std::vector<std::string>{"-", "Dollars", "-"}));

  seen.clear();
  table.DisableControls();
  table.DisableControls();
  table.Edit();
  table.FieldByName("Dollars").SetAsFloat(5);
  table.Post();
  table.EnableControls();
  EXPECT_TRUE(seen.empty());
  table.EnableControls();  // the outermost one tells subscribers once
  EXPECT_EQ(seen, (std::vector<std::string>{"-"}));
}

TEST(MemTable, EventsRunBeforeTheStateChanges) {
  MemTable table("memTest");
  defineLedger(table);
  appendLine(table, "z", 2);
  appendLine(table, "a", 1);
  std::vector<TableState> statesSeen;
  table.BeforeEdit.connect([&](MemTable& t) {
    statesSeen.push_back(t.State());
    t.SortOnFields("Description", false, false);  // a handler may sort first
  });
  int newRecords = 0;
  table.OnNewRecord.connect([&](MemTable&) { ++newRecords; });
  table.First();  // "z"
  table.Edit();
  table.FieldByName("Dollars").SetAsFloat(9);
  table.Post();
  EXPECT_EQ(statesSeen, (std::vector<TableState>{TableState::Browse}));
  EXPECT_EQ(descriptions(table), (std::vector<std::string>{"a", "z"}));
  EXPECT_EQ(table.FloatAt(1, 1), 9);
  table.Append();
  EXPECT_EQ(newRecords, 1);
}

TEST(MemTable, CopyTableCopiesStructureAndRows) {
  MemTable source("memSource");
  defineLedger(source);
  appendLine(source, "hay", 120.5);
  source.Append();
  source.Post();
  MemTable dest("memDest");
  CopyTable(source, dest);
  ASSERT_EQ(dest.FieldCount(), 4);
  EXPECT_EQ(dest.FieldAt(0).Size(), 20);
  ASSERT_EQ(dest.RecordCount(), 2);
  EXPECT_EQ(dest.StringAt(0, 0), "hay");
  EXPECT_EQ(dest.FloatAt(0, 1), 120.5);
  EXPECT_TRUE(isNull(dest.ValueAt(1, 1)));
  EXPECT_TRUE(source.Eof());

  MemTable empty("memEmpty");
  defineLedger(empty);
  CopyTable(empty, dest);
  EXPECT_EQ(dest.RecordCount(), 0);
  EXPECT_EQ(dest.FieldCount(), 4);
}

}  // namespace
}  // namespace rb
