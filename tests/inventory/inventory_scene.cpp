#include "inventory_scene.h"

#include <headless/headless.h>
#include <input/input.h>

#include <CommonUtilities.h>
#include <OrderDataNotice.h>

namespace inventorytest {

CBaseOrder_StorageStockInfo DSRecord(const char* code,
                                     const std::function<void(CBaseOrder_StorageStockInfo&)>& set) {
  CBaseOrder_StorageStockInfo r;
  r.m_strStockNo = code;
  if (set) set(r);
  return r;
}

CBaseOrder_FSStorageStockInfo FSRecord(const char* code, int lot, int yesterday, int tSell,
                                       const char* currency) {
  CBaseOrder_FSStorageStockInfo r;
  r.m_strStockNo = code;
  r.m_nLotSize = lot;
  r.m_nYesterday = yesterday;
  r.m_nTSell = tSell;
  r.m_strCurrency = currency;
  return r;
}

void InventoryTest::SetUp() {
  ModuleTest::SetUp();
  data_ = moduletest::SampleBroker();
  SetOrderSetting("USE_NEWSTOCKUNOFFSET", "1");
}

void InventoryTest::Quote(BYTE market, const char* code, const char* name) {
  data_.quotes[{market, code}].name = name;
}

JqzOrderBaseView* InventoryTest::Open(BYTE syncGroup, bool selectAccount) {
  LoadBroker(data_);
  JqzOrderBaseView* view = AddView(moduletest::kHoldingsView, syncGroup, selectAccount);
  Login();
  WaitForAnswer();
  return view;
}

void InventoryTest::Pick(JqzOrderBaseView* view, const std::string& entry) {
  HWND combo = Control(view, IDC_COMBO_ACCOUNT);
  const LRESULT index = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(entry.c_str()));
  ASSERT_NE(index, CB_ERR) << entry;
  // The template's short drop-down shows only the first entries: a person scrolls its
  // list, which ends in the same selection change.
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(IDC_COMBO_ACCOUNT, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  headless::PumpMessages();
}

void InventoryTest::Choose(JqzOrderBaseView* view, const std::string& entry) {
  Pick(view, entry);
  WaitForAnswer();
}

std::string InventoryTest::AllAccountsEntry(int kind) {
  return s_LangGetLangString("IDS_ORDER-COMMON_ALL_ACCOUNT").str() + "(" +
         s_LangGetLangString(kind == 51 ? "IDS_ORDER-COMMON_FSTOCK_SHORT"
                                        : "IDS_ORDER-COMMON_STOCK_SHORT")
             .str() +
         ")";
}

JqzOrderStocksDlg* InventoryTest::Dialog(const JqzOrderBaseView* view) const {
  return view ? dynamic_cast<JqzOrderStocksDlg*>(view->m_pBaseDlg) : nullptr;
}

void InventoryTest::Notice(JqzOrderBaseView* view, int code, const AccountType& account) {
  OrderDataNotice notice;
  notice.m_strKey = account.m_strBrokerID;
  notice.m_strAccount = account.m_strAccount;
  notice.m_nAccountType = account.m_nAccountType;
  ::SendMessageA(view->GetSafeHwnd(), WM_ORDER_REFRESHDATA, static_cast<WPARAM>(code),
                 reinterpret_cast<LPARAM>(&notice));
  headless::PumpMessages();
}

}  // namespace inventorytest
