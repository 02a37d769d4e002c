// Orders: acceptance by the broker's rules and scripted refusals, the host's order list,
// serial numbers and the hand-off to the order window.
#include <cmath>

#include "host/broker.h"

namespace host {
namespace {

constexpr int kDefaultBoardLot = 1000;
constexpr int kMaxBoardLots = 499;  // a larger board-lot order must be split

nlohmann::json OrderJson(const CBaseOrder_OrderInfo& o) {
  auto letter = [](int c) { return c > 0 && c < 128 ? std::string(1, static_cast<char>(c)) : std::to_string(c); };
  return {{"account", ToUtf8(o.m_strAccount)},
          {"subAccount", ToUtf8(o.m_strSubAccount)},
          {"certId", ToUtf8(o.m_strCertID)},
          {"serial", ToUtf8(o.m_strSN)},
          {"exchange", ToUtf8(o.m_Commodity.m_strExchange)},
          {"symbol", ToUtf8(o.m_Commodity.m_strStockNo)},
          {"unit", letter(o.m_Commodity.m_nTradeUnit)},
          {"credit", letter(o.m_Commodity.m_nCreditType)},
          {"side", letter(o.m_nSide)},
          {"priceType", letter(o.m_nPriceType)},
          {"price", o.m_dPrice},
          {"quantity", o.m_nQty}};
}

bool Matches(const OrderRejection& r, const CBaseOrder_OrderInfo& o) {
  return (r.account.IsEmpty() || r.account == o.m_strAccount) &&
         (r.symbol.IsEmpty() || r.symbol.CompareNoCase(o.m_Commodity.m_strStockNo) == 0) &&
         (r.side == 0 || r.side == o.m_nSide);
}

}  // namespace

void Broker::AddRejection(OrderRejection rejection) {
  data_.rejections.push_back(std::move(rejection));
}

// The broker's rules: a logged-in user's account, a known symbol, side, unit and credit
// codes it knows, a positive quantity (below one lot for odd lots, at most 499 lots
// otherwise) and, for a priced order, a price within the day's limits when the quote
// memory has them. Scripted refusals come first.
bool Broker::SendOrder(CBaseOrder_OrderInfo& order, CString& message) {
  message.Empty();
  BrokerAccount* account = loggedIn_ ? FindAccountByNumber(order.m_strAccount) : nullptr;
  const CString& code = order.m_Commodity.m_strStockNo;
  int lot = BoardLot(code) > 0 ? BoardLot(code) : kDefaultBoardLot;
  const int unit = order.m_Commodity.m_nTradeUnit;
  const int credit = order.m_Commodity.m_nCreditType;
  bool known = SymbolExists(16, code) || SymbolExists(122, code) || SymbolExists(22, code) ||
               BoardLot(code) > 0;

  for (auto it = data_.rejections.begin(); message.IsEmpty() && it != data_.rejections.end(); ++it) {
    if (!Matches(*it, order)) continue;
    message = it->message;
    if (it->times > 0 && --it->times == 0) data_.rejections.erase(it);
    break;
  }
  if (!message.IsEmpty()) {
  } else if (!loggedIn_) {
    message = "尚未登入，無法下單";
  } else if (!account) {
    message = "查無此帳號";
  } else if (!known) {
    message = "查無此商品代號";
  } else if (order.m_nSide != 'B' && order.m_nSide != 'S') {
    message = "買賣別錯誤";
  } else if (unit != 'A' && unit != 'E') {
    message = "交易單位錯誤";
  } else if (credit != 'A' && credit != 'B' && credit != 'C') {
    message = "信用別錯誤";
  } else if (order.m_nQty <= 0 || (unit == 'E' && order.m_nQty >= lot) ||
             (unit == 'A' && order.m_nQty > kMaxBoardLots)) {
    message = "委託數量錯誤";
  } else if (order.m_dPrice < 0 || !std::isfinite(order.m_dPrice)) {
    message = "委託價格錯誤";
  } else if (order.m_dPrice > 0) {
    BYTE market = SymbolExists(16, code) ? 16 : SymbolExists(122, code) ? 122 : 22;
    double up = QuoteValue(market, code, 132);
    double down = QuoteValue(market, code, 133);
    if ((up > 0 && order.m_dPrice > up + 1e-9) || (down > 0 && order.m_dPrice < down - 1e-9)) {
      message = "委託價格超過漲跌停範圍";
    }
  }

  BrokerOrder record;
  record.accepted = message.IsEmpty();
  if (record.accepted) {
    order.m_strBrokerID = account->account.m_strBrokerID;
    order.m_strOrderNo.Format("X%04d", ++nextOrderNo_);
    order.m_nStatus = ORDER_STATUS_ACCEPTED;
    ApplyAcceptedOrder(*account, order);
  } else {
    order.m_nStatus = ORDER_STATUS_REJECTED;
  }
  record.order = order;
  record.message = message;
  orders_.push_back(record);

  nlohmann::json event = {{"event", "order"}, {"order", OrderJson(order)},
                          {"accepted", record.accepted}};
  if (record.accepted) {
    event["orderNo"] = ToUtf8(order.m_strOrderNo);
  } else {
    event["message"] = ToUtf8(message);
  }
  Emit(event);

  if (record.accepted) {
    Pending pending{};
    pending.type = Pending::Type::kOrderChanged;
    pending.account = account->account;
    Schedule(std::move(pending), data_.latencyMs);
  }
  return record.accepted;
}

// An accepted order counts as ordered at once, so that the next holdings query shows it.
void Broker::ApplyAcceptedOrder(BrokerAccount& account, const CBaseOrder_OrderInfo& order) {
  const CString& code = order.m_Commodity.m_strStockNo;
  int lot = BoardLot(code) > 0 ? BoardLot(code) : kDefaultBoardLot;
  int shares = order.m_Commodity.m_nTradeUnit == 'E' ? order.m_nQty : order.m_nQty * lot;
  for (auto& s : account.domestic) {
    if (s.m_strStockNo != code) continue;
    const bool sell = order.m_nSide == 'S';
    switch (order.m_Commodity.m_nCreditType) {
      case 'A':
        (sell ? s.m_nCashOrderSell : s.m_nCashOrderBuy) += shares;
        break;
      case 'B':
        (sell ? s.m_nMarginOrderSell : s.m_nMarginOrderBuy) += shares;
        break;
      case 'C':
        (sell ? s.m_nShortOrderSell : s.m_nShortOrderBuy) += shares;
        break;
      default:
        break;
    }
    return;
  }
}

bool Broker::AddToOrderList(CBaseOrder_OrderInfo& order, int accountKind, CString& message) {
  message.Empty();
  if (!loggedIn_) {
    message = "尚未登入";
  } else if (!FindAccountByNumber(order.m_strAccount)) {
    message = "查無此帳號";
  } else if (accountKind != ACCOUNTTYPE_DOMESTIC_STOCK && accountKind != ACCOUNTTYPE_FOREIGN_STOCK) {
    message = "帳號類別錯誤";
  } else if (orderListRefusals_ > 0) {
    --orderListRefusals_;
    message = orderListRefusal_;
  }
  bool ok = message.IsEmpty();
  if (ok) {
    order.m_nStatus = ORDER_STATUS_LISTED;
    orderList_.push_back(order);
  }
  nlohmann::json event = {{"event", "orderList"}, {"order", OrderJson(order)},
                          {"accountKind", accountKind}, {"accepted", ok}};
  if (!ok) event["message"] = ToUtf8(message);
  Emit(event);
  return ok;
}

void Broker::RefuseOrderList(int times, const CString& message) {
  orderListRefusals_ = times;
  orderListRefusal_ = message.IsEmpty() ? CString("委託清單無法加入") : message;
}

bool Broker::SetAverageCost(const AccountType& account, const CBaseOrder_Commodity& commodity,
                            double price, const CString& serial, CString& message) {
  message.Empty();
  BrokerAccount* held = loggedIn_ ? FindAccount(account) : nullptr;
  auto same = [&](const CBaseOrder_Commodity& c) {
    return c.m_strStockNo == commodity.m_strStockNo && c.m_nTradeUnit == commodity.m_nTradeUnit &&
           c.m_nCreditType == commodity.m_nCreditType &&
           (commodity.m_strExchange.IsEmpty() || c.m_strExchange == commodity.m_strExchange);
  };
  int changed = 0;
  if (!loggedIn_) {
    message = "尚未登入";
  } else if (!held) {
    message = "查無此帳號";
  } else if (!(price > 0) || !std::isfinite(price)) {
    message = "成本價格錯誤";
  } else {
    for (auto& p : held->positions) {
      if (!same(p.m_Commodity)) continue;
      p.m_dAvgPrice = price;
      ++changed;
    }
    if (changed == 0) message = "查無此持股部位";
  }
  // What the last answer gave the account shows the new cost too.
  if (changed > 0) {
    for (Answered& a : answered_) {
      if (a.account.m_strAccount != account.m_strAccount) continue;
      for (auto& p : a.positions)
        if (same(p.m_Commodity)) p.m_dAvgPrice = price;
    }
  }
  const bool ok = message.IsEmpty();
  auto letter = [](int c) { return c > 0 && c < 128 ? std::string(1, static_cast<char>(c)) : std::to_string(c); };
  nlohmann::json event = {{"event", "avgCost"},
                          {"account", ToUtf8(account.m_strAccount)},
                          {"symbol", ToUtf8(commodity.m_strStockNo)},
                          {"unit", letter(commodity.m_nTradeUnit)},
                          {"credit", letter(commodity.m_nCreditType)},
                          {"price", price},
                          {"serial", ToUtf8(serial)},
                          {"accepted", ok}};
  if (ok) {
    event["positions"] = changed;
  } else {
    event["message"] = ToUtf8(message);
  }
  Emit(event);
  return ok;
}

CString Broker::MakeSerialNumber() {
  CString sn;
  sn.Format("Q%07d", ++nextSerial_);
  return sn;
}

void Broker::SendPriceAgent(const COrderPriceAgent& a) {
  Emit({{"event", "priceAgent"},
        {"account", ToUtf8(a.m_strAccount)},
        {"market", a.m_byMarket},
        {"symbol", ToUtf8(a.m_strSymbol)},
        {"price", a.m_dPrice},
        {"quantity", a.m_nQty},
        {"side", a.m_nSide},
        {"syncGroup", a.m_bySyncType},
        {"board", std::string(1, a.m_cBoard ? a.m_cBoard : ' ')},
        {"tradeType", std::string(1, a.m_cTradeType ? a.m_cTradeType : ' ')},
        {"currency", ToUtf8(a.m_strCurrency)}});
}

}  // namespace host
