// Number texts, dates and language look-ups of the host's helpers.
#include "CommonUtilities.h"
#include "R7Format.h"
#include "ViewDataHelpers.h"
#include "host/environment.h"
#include "host_fixture.h"

namespace {

using HelpersTest = hosttest::HostTest;

TEST_F(HelpersTest, NumberTexts) {
  EXPECT_EQ(g_cszNormalizDouble(10.5), "10.5");
  EXPECT_EQ(g_cszNormalizDouble(100.0), "100");
  EXPECT_EQ(g_cszNormalizDouble(-0.25), "-0.25");
  EXPECT_EQ(g_cszNormalizDouble(-0.00001), "0");
  EXPECT_EQ(g_cszNormalizDouble(1.0 / 3.0), "0.3333");
  EXPECT_EQ(g_cszNormalizCstring("1234567.5"), "1,234,567.5");
  EXPECT_EQ(g_cszNormalizCstring("-1234"), "-1,234");
  EXPECT_EQ(g_cszNormalizCstring("999"), "999");
  EXPECT_EQ(g_cszNormalizCstring("--"), "--");
  EXPECT_EQ(g_cszNormalizCstring("12a34"), "12a34");
  EXPECT_EQ(g_cszNormalizCstring(""), "");
  EXPECT_TRUE(g_bDoubleIsEqual(0.1 + 0.2, 0.3));
  EXPECT_FALSE(g_bDoubleIsEqual(10.0, 10.01));
}

TEST_F(HelpersTest, DatesCountDaysAndReadAsEightDigits) {
  const R7Format today(0, 2024, 2, 27);
  const R7Format later = R7Format::FromDateNumber(20240312);
  EXPECT_EQ(later.lGetValue() - today.lGetValue(), 14);  // across a leap day
  EXPECT_EQ(s_GetAsString(later), "20240312");
  EXPECT_EQ(atoi(s_GetAsString(later)) / 10000, 2024);
  EXPECT_TRUE(R7Format(0, 2023, 2, 29).bIsEmpty());
  EXPECT_EQ(s_GetAsString(R7Format::FromDateNumber(0)), "");
  EXPECT_EQ(s_GetAsString(R7Format(612.5, 2)), "612.50");
  // No quote service: a date item reads as empty, a price as 0.
  EXPECT_EQ(s_GetAsString(g_xGetSymbolInfoByItem(16, "2330", 453)), "");
  EXPECT_EQ(g_GetSymbolInfoByItem(16, "2330", 125), 0.0);

  host::Services services = host::GetServices();
  services.quote = [](BYTE market, const std::string& code, WORD item, double& value) {
    if (market != 16 || code != "2330") return false;
    value = item == 453 ? 20240312 : 612.5;
    return true;
  };
  host::SetServices(services);
  EXPECT_EQ(s_GetAsString(g_xGetSymbolInfoByItem(16, "2330", 453)), "20240312");
  EXPECT_EQ(g_GetSymbolInfoByItem(16, "2330", 125), 612.5);
  EXPECT_EQ(g_GetSymbolInfoByItem(122, "2330", 125), 0.0);
}

TEST_F(HelpersTest, AMissingTextIsEmptyAndLoggedOnce) {
  log_.clear();
  EXPECT_FALSE(s_LangGetLangString("IDS_ORDER-EXT-TAB_STOCK_UNOFFSET").IsEmpty());
  EXPECT_TRUE(s_LangGetLangString("IDS_NO_SUCH_KEY").IsEmpty());
  EXPECT_TRUE(s_LangGetLangString("IDS_NO_SUCH_KEY").IsEmpty());
  int mentions = 0;
  for (const std::string& line : log_) mentions += line.find("IDS_NO_SUCH_KEY") != std::string::npos;
  EXPECT_EQ(mentions, 1);
  EXPECT_TRUE(g_ClientbWriteLog("委託送出"));
  EXPECT_FALSE(g_ClientbWriteLog(""));
  EXPECT_NE(log_.back().find("委託送出"), std::string::npos);
}

TEST_F(HelpersTest, OrderChecks) {
  const AccountType account = hosttest::LoginAccounts()[0];
  CBaseOrder_OrderInfo order;
  order.m_Commodity.m_strStockNo = "2330";
  order.m_Commodity.m_nTradeUnit = 'A';
  order.m_nSide = 'S';
  order.m_nQty = 2;
  CString message;
  EXPECT_TRUE(g_bCheckOrderInsurance(account, &order, message));
  EXPECT_TRUE(g_bCheckStockOrder(account, order));
  order.m_nQty = 500;
  EXPECT_FALSE(g_bCheckOrderInsurance(account, &order, message));
  EXPECT_FALSE(message.IsEmpty());
  order.m_nQty = 0;
  EXPECT_FALSE(g_bCheckOrderInsurance(account, &order, message));
  EXPECT_FALSE(g_bCheckStockOrder(account, order));
  EXPECT_FALSE(g_bCheckOrderInsurance(account, nullptr, message));
  EXPECT_FALSE(g_bCheckStockOrder(AccountType(), order));
}

}  // namespace
