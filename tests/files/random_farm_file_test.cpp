// Randomly generated farm files, laid out by hand the way the writer lays
// them out: loading one and saving it again must give back the same bytes,
// and the tolerances of the reader (padding, old column types, counts that
// disagree, empty elements, other line ends) must not change what is saved.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "files/farm_file_reader.h"
#include "files/farm_file_writer.h"
#include "model/farm_data_sets.h"
#include "model/text_util.h"
#include "model/values.h"

namespace rb {
namespace {

struct Column {
  std::string name;
  char type;  // 'S', 'I', 'F', 'B'
  int length;
};

struct DataSet {
  std::string tableName;
  std::string name;
  std::vector<Column> columns;
  std::vector<std::vector<std::string>> rows;
};

const char* typeText(char type) {
  switch (type) {
    case 'S': return "STRING";
    case 'I': return "INTEGER";
    case 'F': return "FLOAT";
    default: return "BOOLEAN";
  }
}

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }

  // Printable text with inner blanks, tabs and line breaks but none at either
  // end (the reader trims them) and no "<".
  std::string text(int maxLength) {
    static const std::string inner = "abcXYZ019 .,;:&'\"/=>?!#%()-_+*~\t\r\n";
    static const std::string edge = "abcdefXYZ0189.&'\"/=>?!#%()-_+*~";
    const int length = 1 + below(std::max(1, maxLength));
    std::string out;
    for (int i = 0; i < length; ++i) {
      const std::string& pool = (i == 0 || i == length - 1) ? edge : inner;
      out += pool[static_cast<std::size_t>(below(static_cast<int>(pool.size())))];
    }
    return out;
  }

  std::string floatText() {
    static const char* fixed[] = {"0", "1", "-1", "0.5", "123.5", "150", "0.25", "0.00001", "1E-6", "-1.5E-7",
                                  "123456789012345", "1E15", "9.99999999999999E20", "0.1", "0.3", "2.5",
                                  "-0.005", "1234567.89", "1E-300", "1.7976931348623E308"};
    switch (below(4)) {
      case 0: return fixed[below(static_cast<int>(std::size(fixed)))];
      case 1: return floatToText(below(2000000) / 100.0 - 10000);
      case 2: return floatToText(std::uniform_real_distribution<double>(-1e6, 1e6)(random_));
      default: {
        const double mantissa = std::uniform_real_distribution<double>(1, 10)(random_);
        return floatToText((chance(0.5) ? -1 : 1) * mantissa * std::pow(10.0, below(41) - 20));
      }
    }
  }

  std::string cell(const Column& column) {
    if (chance(0.25)) return "";
    switch (column.type) {
      case 'S': return text(column.length);
      case 'I': return integerToText(std::uniform_int_distribution<std::int32_t>(-2147483647 - 1, 2147483647)(random_) /
                                     (chance(0.7) ? 100000 : 1));
      case 'F': return floatText();
      default: return chance(0.5) ? "True" : "False";
    }
  }

  // A few extra columns of any type the table's name keeps as declared.
  void addExtraColumns(DataSet& set) {
    const std::string lower = lowerCase(set.tableName);
    bool integersBecomeFloats = containsText(lower, "alloc");
    for (const char* part : {"rev", "exp", "mach", "build", "acrec", "acpay", "supp", "purch", "unp"})
      integersBecomeFloats = integersBecomeFloats || containsText(lower, part);
    for (int n = below(3); n > 0; --n) {
      const char type = "SIFB"[below(4)];
      if (type == 'I' && integersBecomeFloats) continue;
      set.columns.push_back({"Extra" + std::to_string(set.columns.size()), type, type == 'S' ? 1 + below(40) : 0});
    }
  }

  void fillRows(DataSet& set, int maxRows) {
    for (int row = below(maxRows + 1); row > 0; --row) {
      std::vector<std::string> cells;
      for (const Column& column : set.columns) cells.push_back(cell(column));
      set.rows.push_back(std::move(cells));
    }
  }

 private:
  std::mt19937 random_;
};

// The columns of a data set as the program's own tables define them.
std::vector<Column> builtInColumns(const std::string& tableName) {
  static const Farm farm;
  std::vector<Column> columns;
  const MemTable& table = farm.table(tableName);
  for (int i = 0; i < table.FieldCount(); ++i) {
    const Field& field = table.FieldAt(i);
    const char type = field.DataType() == FieldType::String    ? 'S'
                      : field.DataType() == FieldType::Integer ? 'I'
                      : field.DataType() == FieldType::Float   ? 'F'
                      : field.DataType() == FieldType::Boolean ? 'B'
                                                               : 'S';  // the year end's DATE reads as text
    columns.push_back({field.FieldName(), type, type == 'S' ? (field.Size() > 0 ? field.Size() : 20) : 0});
  }
  return columns;
}

struct RandomFarm {
  std::vector<DataSet> dataSets;
};

RandomFarm randomFarm(Generator& g) {
  RandomFarm farm;
  DataSet info{"memInfo", "Information", builtInColumns("memInfo"), {}};
  std::vector<std::string> infoRow;
  for (const Column& column : info.columns) infoRow.push_back(g.cell(column));
  info.rows.push_back(infoRow);
  farm.dataSets.push_back(info);

  struct Enterprise {
    int kind;
    int index;
    std::string label;
  };
  std::vector<Enterprise> enterprises;
  DataSet master{"memMaster", "Master", builtInColumns("memMaster"), {}};
  for (int kind = 1; kind <= kKindCount; ++kind) {
    const int count = g.below(maxEnterprisesOfKind(kind) + 1) * (g.chance(0.6) ? 1 : 0);
    for (int index = 1; index <= count; ++index) {
      std::vector<std::string> row(master.columns.size());
      row[0] = std::to_string(enterprises.size() + 1);
      row[1] = std::to_string(kind);
      row[2] = std::to_string(index);
      row[3] = enterpriseId(kind, index);
      row[4] = g.text(12);
      const int crops = isCropKindCode(kind) ? 1 + g.below(kMaxCrops) : 0;
      row[5] = std::to_string(crops);
      for (int k = 0; k < crops; ++k) row[static_cast<std::size_t>(6 + k)] = g.text(12);
      enterprises.push_back({kind, index, row[4]});
      master.rows.push_back(row);
    }
  }
  farm.dataSets.push_back(master);

  auto allocationColumns = [&](bool livestockOnly) {
    std::vector<Column> columns;
    for (const Enterprise& e : enterprises)
      if (!livestockOnly || e.kind == kCowCalf || e.kind == kFeeders || e.kind == kOther)
        columns.push_back({enterpriseId(e.kind, e.index), 'F', 0});
    return columns;
  };
  for (const WholeFarmTable& entry : wholeFarmTables()) {
    DataSet set{entry.table, entry.dataSet, builtInColumns(entry.table), {}};
    const std::string table = entry.table;
    if (table != "memTransfer" && table != "memInventory") {
      const bool livestockOnly = table == "memPurchFeedInv" || table == "memCropAlloc";
      for (const Column& column : allocationColumns(livestockOnly)) set.columns.push_back(column);
    }
    g.addExtraColumns(set);
    g.fillRows(set, 6);
    farm.dataSets.push_back(set);
  }
  for (const Enterprise& e : enterprises) {
    const std::string table = "mem" + enterpriseId(e.kind, e.index);
    DataSet set{table, e.label, builtInColumns(table), {}};
    if (e.kind == kPasture || e.kind == kAftermath)
      for (const Column& column : allocationColumns(true)) set.columns.push_back(column);
    g.addExtraColumns(set);
    g.fillRows(set, 12);
    farm.dataSets.push_back(set);
  }
  return farm;
}

// The file exactly as the program writes it.
std::string canonicalText(const RandomFarm& farm) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<COPDATASETS TYPE=\"COPDATA\" VERSION=\"v3.02\">\r\n";
  for (const DataSet& set : farm.dataSets) {
    const std::size_t rowCount = set.tableName == "memInfo" ? 1 : set.rows.size();
    out += "\t<DATASET NAME=\"" + set.name + "\" attributes ROWCOUNT=\"" + std::to_string(rowCount) + "\" COLCOUNT=\"" +
           std::to_string(set.columns.size()) + "\">\r\n\t\t<HEADER>\r\n";
    for (const Column& column : set.columns) {
      const int length = column.name.find("fiscal") != std::string::npos ? 20 : column.length;
      out += "\t\t\t<COLDESC NAME=\"" + column.name + "\" TYPE=\"" + typeText(column.type) + "\" LENGTH=\"" +
             std::to_string(length) + "\"/>\r\n";
    }
    out += "\t\t</HEADER>\r\n";
    for (const auto& row : set.rows) {
      out += "\t\t<ROW>\r\n";
      for (const std::string& cell : row) out += "\t\t\t<COL>" + cell + "</COL>\r\n";
      out += "\t\t</ROW>\r\n";
    }
    out += "\t</DATASET>\r\n";
  }
  return out + "</COPDATASETS>\r\n";
}

// The same farm as an older or sloppier writer might have stored it.
std::string noisyText(const RandomFarm& farm, Generator& g) {
  const std::string eol = g.chance(0.5) ? "\n" : "\r\n";
  std::string out = "<?xml version=\"1.0\"?>" + eol + "<COPDATASETS TYPE=\"COPCONFIG\" VERSION=\"1.43\">" + eol;
  for (const DataSet& set : farm.dataSets) {
    out += "<DATASET NAME=\"ignored\" attributes=none ROWCOUNT=\"" + std::to_string(g.below(99)) + "\" COLCOUNT=\"7\">" +
           eol + "<HEADER>" + eol;
    const std::string lower = lowerCase(set.tableName);
    const bool ledger = findLedger(set.tableName) != nullptr;
    std::vector<bool> declaredInteger;
    char previous = 0;
    for (const Column& column : set.columns) {
      // A ledger's whole-number FLOAT column may be declared INTEGER.
      bool whole = ledger && column.type == 'F';
      const std::size_t at = static_cast<std::size_t>(&column - set.columns.data());
      for (const auto& row : set.rows) {
        const std::string& v = row[at];
        whole = whole && (v.empty() || (v.find_first_not_of("-0123456789") == std::string::npos && v.size() < 10));
      }
      std::string type = whole && g.chance(0.7) ? "INTEGER" : typeText(column.type);
      if (previous == column.type && !whole && g.chance(0.3)) type = "DATE";  // takes the type of the column before
      previous = column.type;
      const int length = column.type == 'S' ? column.length : 0;
      out += "<COLDESC NAME = \"" + column.name + "\" TYPE= \"" + type + "\" LENGTH =\"" + std::to_string(length) +
             "\" />" + eol;
    }
    out += "</HEADER>" + eol;
    for (const auto& row : set.rows) {
      out += "<ROW>";
      for (std::size_t c = 0; c < row.size(); ++c) {
        std::string value = row[c];
        if (g.chance(0.2)) out += "<COL/>";
        const Column& column = set.columns[c];
        if (!value.empty() && column.type == 'S' && static_cast<int>(value.size()) == column.length && g.chance(0.5))
          value += "cut off";
        if (column.type == 'F' && value == "0" && g.chance(0.5)) value = "0.000";
        if (column.type == 'B' && !value.empty() && g.chance(0.5)) value = value == "True" ? "t" : "fALS";
        const std::string pad = g.chance(0.3) ? " \t" + eol : "";
        out += "<COL>" + pad + value + pad + "</COL>";
      }
      out += "</ROW>" + eol;
    }
    out += "</DATASET>" + eol;
  }
  return out + "</COPDATASETS>" + eol;
}

TEST(RandomFarmFiles, LoadingAndSavingGivesBackTheSameBytes) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    Generator g(seed);
    const RandomFarm random = randomFarm(g);
    const std::string text = canonicalText(random);
    Farm farm;
    try {
      loadFarmText(farm, text, "random.rbd");
    } catch (const Error& error) {
      FAIL() << "seed " << seed << ": " << error.what();
    }
    const std::string saved = farmFileText(farm);
    if (saved != text) {
      std::size_t at = 0;
      while (at < saved.size() && at < text.size() && saved[at] == text[at]) ++at;
      FAIL() << "seed " << seed << " differs at byte " << at << ":\nwritten " << text.substr(at > 80 ? at - 80 : 0, 200)
             << "\nsaved   " << saved.substr(at > 80 ? at - 80 : 0, 200);
    }
  }
}

TEST(RandomFarmFiles, TheReadersToleranceDoesNotChangeWhatIsSaved) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    Generator g(seed);
    const RandomFarm random = randomFarm(g);
    Farm farm;
    try {
      loadFarmText(farm, noisyText(random, g), "noisy.rbd");
    } catch (const Error& error) {
      FAIL() << "seed " << seed << ": " << error.what();
    }
    EXPECT_EQ(farmFileText(farm), canonicalText(random)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace rb
