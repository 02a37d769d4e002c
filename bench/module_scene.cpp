#include "module_scene.h"

#include <afxmodule.h>
#include <headless/headless.h>

#include <cstdlib>
#include <filesystem>

#include "JqzOrderBaseDlg.h"
#include "OrderDataNotice.h"
#include "ViewDataHelpers.h"
#include "host/broker_services.h"
#include "host/environment.h"

namespace benchscene {

ModuleScene::ModuleScene(const char* viewClass, host::BrokerData data, int frameWidth,
                         const std::vector<std::pair<std::string, std::string>>& orderSettings) {
  headless::Reset();
  host::ResetEnvironment();
  home_ = (std::filesystem::temp_directory_path() / "qzbench-XXXXXX").string();
  if (!mkdtemp(home_.data())) std::abort();
  host::SetHomeDirectory(home_);
  if (!host::LoadLanguage(QZ_LANGUAGE_FILE).ok()) std::abort();
  for (const auto& [key, value] : orderSettings)
    ::WritePrivateProfileStringA("ORDER_SETTING", key.c_str(), value.c_str(),
                                 g_vGetOrderCfgFileName());
  host::Broker& broker = host::Broker::Instance();
  broker.Reset();
  host::ConnectBrokerToFramework();
  broker.Load(std::move(data));
  static HINSTANCE module = AfxLoadLibrary(QZ_MODULE_LIBRARY);
  if (!module) std::abort();

  frame = new CFrameWnd;
  frame->Create(nullptr, "交易", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, frameWidth, 700));
  frame->SetPaneLayout(CFrameWnd::paneRows);
  CCreateContext ctx;
  ctx.m_pNewViewClass = CRuntimeClass::FromName(viewClass);
  view = dynamic_cast<JqzOrderBaseView*>(frame->CreateView(&ctx));
  if (!view) std::abort();
  view->ShowWindow(SW_SHOW);
  headless::PumpMessages();
  broker.Login();
  headless::PumpMessages();
}

ModuleScene::~ModuleScene() {
  frame->DestroyWindow();
  host::Broker::Instance().Reset();
  host::DisconnectBrokerFromFramework();
  headless::Reset();
  host::ResetEnvironment();
  std::error_code ec;
  std::filesystem::remove_all(home_, ec);
}

HWND ModuleScene::Control(int id) const {
  return view->m_pBaseDlg ? ::GetDlgItem(view->m_pBaseDlg->GetSafeHwnd(), id) : nullptr;
}

void ModuleScene::NotifyHoldingsChanged(const AccountType& account) const {
  OrderDataNotice notice;
  notice.m_strKey = account.m_strBrokerID;
  notice.m_strAccount = account.m_strAccount;
  notice.m_nAccountType = account.m_nAccountType;
  ::SendMessageA(view->GetSafeHwnd(), WM_ORDER_REFRESHDATA, ORDERDATA_NOTIFY_UNOFFSET,
                 reinterpret_cast<LPARAM>(&notice));
}

}  // namespace benchscene
