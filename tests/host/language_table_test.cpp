#include "host/language_table.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/cp950_text.h"
#include "module_language_keys.h"

namespace {

std::string Utf8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

// Collects what the table logs.
struct LogSink {
  std::vector<std::string> lines;
  host::LanguageTable::Logger Logger() {
    return [this](std::string_view m) { lines.emplace_back(m); };
  }
};

// ---- The bundled table --------------------------------------------------------------

class BundledLanguageTable : public ::testing::Test {
 protected:
  void SetUp() override {
    table_.SetLogger(log_.Logger());
    result_ = table_.Load(QZ_LANGUAGE_FILE);
  }
  LogSink log_;
  host::LanguageTable table_;
  host::LanguageLoadResult result_;
};

TEST_F(BundledLanguageTable, LoadsCleanlyAndDefinesEveryKeyTheModuleUses) {
  ASSERT_TRUE(result_.ok()) << result_.Describe();
  EXPECT_EQ(result_.entries, table_.size());
  for (std::string_view key : hosttest::kModuleLanguageKeys) {
    EXPECT_TRUE(table_.Contains(key)) << key;
    EXPECT_FALSE(table_.Text(key).empty()) << key;
  }
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(BundledLanguageTable, TextsAreCp950AndConvertBackToUtf8) {
  EXPECT_EQ(table_.Text("IDS_ORDER-COMMON_STOCK_SHORT"), "證券");
  EXPECT_EQ(table_.Text("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_YSTOCK"), "昨餘");
  EXPECT_EQ(table_.Text("IDS_DIALOG-AVG-DEAL-PRICE_TITLE"), "重新設定股票持股平均成本");
  for (const std::string& key : table_.Keys()) {
    host::ConvertedText back = host::Cp950ToUtf8(table_.Text(key));
    EXPECT_TRUE(back.ok()) << key;
    EXPECT_EQ(host::Utf8ToCp950(back.text).text, table_.Text(key)) << key;
  }
}

TEST_F(BundledLanguageTable, DomesticInventoryCaptionsHaveAColumnWidth) {
  // The grid gives a column only to a caption of 4, 6, 8, 10 or 14 bytes.
  const char* captions[] = {
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_STOCKNAME",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_YSTOCK",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERBUY",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ORDERSELL",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALBUY",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_DEALSELL",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TSTOCK",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADEORDERBUY",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADEORDERSELL",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADEDEALBUY",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADEDEALSELL",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TRADESTOCK",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TSTOCKNUM",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_CASHREPAY",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_RUSHSTOCK",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_STOCKCASHREPAY",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_CRDBSHARES",
      "IDS_QZORDERVIEW_JQZORDERSTOCKDLG_ADJQUANTITY",
  };
  const std::set<size_t> widths = {4, 6, 8, 10, 14};
  for (const char* key : captions) {
    EXPECT_TRUE(widths.count(table_.Text(key).size()))
        << key << " is " << table_.Text(key).size() << " bytes";
  }
}

TEST_F(BundledLanguageTable, TextsTheDialogsInterpretKeepTheirMeaning) {
  // Pieces of display formats: a '%' would be taken for a conversion. A CP950 trail
  // byte is never 0x25, so a byte search is exact.
  for (const std::string& key : table_.Keys())
    EXPECT_EQ(table_.Text(key).find('%'), std::string::npos) << key;

  // Clicked action cells are told apart by their text: close, odd lot, day trade.
  const std::string prefix = "IDS_CTABFINANCESTOCKUNOFFSET-STRING_FILLLISTCTRL";
  std::set<std::string> close = {table_.Text(prefix + "14"), table_.Text(prefix + "16"),
                                 table_.Text(prefix + "18")};
  std::set<std::string> dayTrade = {table_.Text(prefix + "17"), table_.Text(prefix + "19")};
  const std::string& oddLot = table_.Text(prefix + "15");
  EXPECT_FALSE(close.count(oddLot));
  EXPECT_FALSE(dayTrade.count(oddLot));
  for (const std::string& text : dayTrade) EXPECT_FALSE(close.count(text));

  // The layout title names the market; the two must differ to pick the account kind.
  EXPECT_NE(table_.Text("IDS_ORDER-COMMON_STOCK_SHORT"),
            table_.Text("IDS_ORDER-COMMON_FSTOCK_SHORT"));

  // The classic dialog's total is a market value, not a profit or loss.
  const std::string& total = table_.Text("IDS_DIALOG-TABFINANCESTOCKUNOFFSET_STATIC_MARKETVALUE");
  EXPECT_NE(total.find("市值"), std::string::npos);
  EXPECT_EQ(total.find("損益"), std::string::npos);
  EXPECT_NE(table_.Text("IDS_QZORDERVIEW_JQZORDERSTOCKDLG_TOTALSTOCKVALUE").find("市值"),
            std::string::npos);
}

// ---- Files with faults ----------------------------------------------------------------

class LanguageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("qz_lang_" + std::to_string(getpid()) + "_" + info->name() + ".lang");
    table_.SetLogger(log_.Logger());
  }
  void TearDown() override { std::filesystem::remove(path_); }

  host::LanguageLoadResult LoadFile(const std::string& utf8) {
    std::ofstream(path_, std::ios::binary) << utf8;
    return table_.Load(path_.string());
  }
  std::string At(int line) const { return path_.string() + ":" + std::to_string(line) + ": "; }

  std::filesystem::path path_;
  LogSink log_;
  host::LanguageTable table_;
};

TEST_F(LanguageFile, ReadsCommentsBlanksEscapesAndLineEnds) {
  auto result =
      LoadFile(Utf8(u8"\uFEFF# a comment\r\n"
                    u8"\n"
                    u8"   # indented comment\n"
                    u8"IDS_A = 庫存查詢 \r\n"
                    u8"IDS_B=第一行\\n第二行\\t\\\\\n"
                    u8"IDS_C=\\s前後空白\\s\n"
                    u8"IDS_EMPTY=\n"
                    u8"IDS_EQ=a=b"));  // no line end on the last line
  ASSERT_TRUE(result.ok()) << result.Describe();
  EXPECT_EQ(result.entries, 5u);
  EXPECT_EQ(table_.Text("IDS_A"), "庫存查詢");
  EXPECT_EQ(table_.Text("IDS_B"), "第一行\n第二行\t\\");
  EXPECT_EQ(table_.Text("IDS_C"), " 前後空白 ");
  EXPECT_EQ(table_.Text("IDS_EQ"), "a=b");
  // Defined as empty is not missing: nothing is logged.
  EXPECT_TRUE(table_.Contains("IDS_EMPTY"));
  EXPECT_EQ(table_.Text("IDS_EMPTY"), "");
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(LanguageFile, ReportsEveryBadLineWithFileAndLineAndKeepsTheGoodOnes) {
  auto result =
      LoadFile(Utf8(u8"IDS_OK=現股\n"            // 1
                    u8"IDS_NO_EQUALS 融資\n"     // 2 malformed
                    u8"  = 融券\n"               // 3 empty key
                    u8"IDS_OK=零股\n"            // 4 duplicate
                    u8"IDS_HANGUL=한국\n"        // 5 not in CP950
                    u8"IDS_BAD_UTF8=\xC3\x28\n"  // 6 not UTF-8
                    u8"IDS BAD=空白\n"           // 7 blank inside the key
                    u8"IDS_ESC=\\q\n"            // 8 unknown escape
                    u8"IDS_LAST=借券\n"));       // 9
  ASSERT_EQ(result.errors.size(), 7u) << result.Describe();
  const int lines[] = {2, 3, 4, 5, 6, 7, 8};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(result.errors[i].file, path_.string());
    EXPECT_EQ(result.errors[i].line, lines[i]);
    EXPECT_EQ(result.errors[i].Describe().rfind(At(lines[i]), 0), 0u)
        << result.errors[i].Describe();
  }
  EXPECT_NE(result.errors[0].message.find("'='"), std::string::npos);
  EXPECT_NE(result.errors[1].message.find("empty key"), std::string::npos);
  EXPECT_NE(result.errors[2].message.find("already defined on line 1"), std::string::npos);
  EXPECT_NE(result.errors[3].message.find("U+D55C"), std::string::npos);
  EXPECT_NE(result.errors[4].message.find("UTF-8"), std::string::npos);

  // The first definition wins; lines in error define nothing.
  EXPECT_EQ(result.entries, 2u);
  EXPECT_EQ(table_.Text("IDS_OK"), "現股");
  EXPECT_EQ(table_.Text("IDS_LAST"), "借券");
  EXPECT_FALSE(table_.Contains("IDS_HANGUL"));
  EXPECT_FALSE(table_.Contains("IDS_BAD_UTF8"));

  // Describe() lists them all, one per line.
  std::string all = result.Describe();
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 7);
}

TEST_F(LanguageFile, UnreadableFileIsAnErrorWithoutLineAndEmptiesTheTable) {
  ASSERT_TRUE(LoadFile("IDS_A=x\n").ok());
  auto result = table_.Load(path_.string() + ".absent");
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_EQ(result.errors[0].line, 0);
  EXPECT_EQ(result.errors[0].Describe(), path_.string() + ".absent: cannot be read");
  EXPECT_EQ(table_.size(), 0u);

  auto directory = table_.Load(std::filesystem::temp_directory_path().string());
  ASSERT_EQ(directory.errors.size(), 1u);
  EXPECT_EQ(directory.errors[0].line, 0);
}

TEST_F(LanguageFile, MissingKeyGivesEmptyTextAndIsLoggedOncePerLoad) {
  ASSERT_TRUE(LoadFile("IDS_A=x\n").ok());
  EXPECT_EQ(table_.Text("IDS_NOT_THERE"), "");
  EXPECT_EQ(table_.Text("IDS_NOT_THERE"), "");
  ASSERT_EQ(log_.lines.size(), 1u);
  EXPECT_NE(log_.lines[0].find("IDS_NOT_THERE"), std::string::npos);
  EXPECT_NE(log_.lines[0].find(path_.string()), std::string::npos);

  EXPECT_EQ(table_.Text("IDS_ALSO_NOT_THERE"), "");
  EXPECT_EQ(log_.lines.size(), 2u);

  // A new load forgets what was reported.
  ASSERT_TRUE(LoadFile("IDS_A=y\n").ok());
  EXPECT_EQ(table_.Text("IDS_NOT_THERE"), "");
  EXPECT_EQ(log_.lines.size(), 3u);
}

}  // namespace
