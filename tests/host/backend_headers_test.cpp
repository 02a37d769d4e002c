// The back-end's records: sameness of accounts and counts by number.
#include <gtest/gtest.h>

#include "OrderBackEnd.h"

namespace {

TEST(AccountTypeTest, SameWhenKeyFieldsAgree) {
  AccountType a;
  a.m_strBrokerID = "9A00";
  a.m_strAccount = "1234567";
  a.m_nAccountType = 65;
  a.m_strSubAccount = "8";
  a.m_strCertID = "C1";
  AccountType b = a;
  b.m_strName = "other name";
  b.m_strDividendType = "2";
  b.m_nIndex = 9;
  EXPECT_TRUE(a == b);
  for (auto change : {+[](AccountType& x) { x.m_strBrokerID = "X"; },
                      +[](AccountType& x) { x.m_strAccount = "X"; },
                      +[](AccountType& x) { x.m_nAccountType = 51; },
                      +[](AccountType& x) { x.m_strSubAccount = "X"; },
                      +[](AccountType& x) { x.m_strCertID = "X"; }}) {
    AccountType c = a;
    change(c);
    EXPECT_TRUE(a != c);
  }
}

TEST(StorageStockInfoTest, CountsByNumberFollowRecordOrder) {
  CBaseOrder_StorageStockInfo info;
  for (int n = 1; n <= 39; ++n) *info.pnCount(n) = n;
  EXPECT_EQ(info.m_nCashYesterday, 3);
  EXPECT_EQ(info.m_nCashOrderSell, 7);
  EXPECT_EQ(info.m_nMarginYesterday, 12);
  EXPECT_EQ(info.m_nShortRushStock, 26);
  EXPECT_EQ(info.m_nLendAdjust, 39);
  EXPECT_EQ(info.pnCount(0), nullptr);
  EXPECT_EQ(info.pnCount(40), nullptr);
}

}  // namespace
