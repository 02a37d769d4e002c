// The host's order list refuses entries when a scenario says so, and only as many as it said.
#include <gtest/gtest.h>

#include <headless/headless.h>

#include "OrderBK.h"
#include "host/broker.h"

namespace {

TEST(OrderListRefusalTest, TheNextEntriesAreRefusedWithTheMessageThenAcceptedAgain) {
  headless::Reset();
  host::Broker& broker = host::Broker::Instance();
  broker.Reset();
  host::BrokerData data;
  host::BrokerAccount a;
  a.account.m_strBrokerID = "9A95";
  a.account.m_strAccount = "0123456";
  a.account.m_nAccountType = 65;
  data.accounts = {a};
  broker.Load(data);
  broker.Login();

  CBaseOrder_OrderInfo order;
  order.m_strAccount = "0123456";
  order.m_Commodity.m_strStockNo = "2330";
  broker.RefuseOrderList(2, "list full");
  CString message;
  EXPECT_FALSE(OrderBK_bOrder2List(order, 65, message, false));
  EXPECT_EQ(message, CString("list full"));
  EXPECT_FALSE(OrderBK_bOrder2List(order, 65, message, false));
  EXPECT_TRUE(OrderBK_bOrder2List(order, 65, message, false));
  EXPECT_TRUE(message.IsEmpty());
  EXPECT_EQ(broker.OrderList().size(), 1u);
  broker.Reset();
  headless::Reset();
}

}  // namespace
