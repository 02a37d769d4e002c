#include "module_fixture.h"

#include <commctrl.h>
#include <headless/headless.h>

#include <cstdlib>
#include <filesystem>

#include "JqzCfgIO2.h"
#include "JqzOrderBaseDlg.h"
#include "ViewDataHelpers.h"
#include "host/broker_services.h"
#include "host/environment.h"

namespace moduletest {
namespace {

HINSTANCE g_moduleHandle = nullptr;

// The library joins the chain once, as the host loads it once per process.
class ModuleLibrary : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(LoadModule()) << QZ_MODULE_LIBRARY; }
  void TearDown() override { UnloadModule(); }
};

[[maybe_unused]] ::testing::Environment* const g_library =
    ::testing::AddGlobalTestEnvironment(new ModuleLibrary);

AccountType MakeAccount(const char* number, int kind, const char* sub) {
  AccountType a;
  a.m_strBrokerID = "9A95";
  a.m_strAccount = number;
  a.m_strName = "林美玲";
  a.m_nAccountType = kind;
  a.m_strSubAccount = sub;
  a.m_strCertID = "CA0123456";
  return a;
}

}  // namespace

bool UnloadModule() {
  if (!g_moduleHandle) return false;
  const bool freed = AfxFreeLibrary(g_moduleHandle) != FALSE;
  g_moduleHandle = nullptr;
  return freed;
}

bool LoadModule() {
  if (!g_moduleHandle) g_moduleHandle = AfxLoadLibrary(QZ_MODULE_LIBRARY);
  return g_moduleHandle != nullptr;
}

AccountType Account(int index) {
  switch (index) {
    case 0: return MakeAccount("0123456", 65, "1");
    case 1: return MakeAccount("0654321", 65, "2");
    default: return MakeAccount("F880012", 51, "H");
  }
}

host::BrokerData SampleBroker() {
  host::BrokerData data;
  for (int i = 0; i < 3; ++i) {
    host::BrokerAccount a;
    a.account = Account(i);
    data.accounts.push_back(a);
  }
  data.latencyMs = 300;
  return data;
}

std::string WindowText(HWND window) {
  char buffer[512] = {};
  ::GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

int ListRows(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::vector<std::string> ListTitles(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  std::vector<std::string> titles;
  for (int i = 0; i < count; ++i) {
    char buffer[256] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = sizeof buffer;
    ::SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    titles.emplace_back(buffer);
  }
  return titles;
}

std::string ListCell(HWND list, int row, int column) {
  char buffer[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

void ModuleTest::SetUp() {
  PlatformTest::SetUp();
  host::ResetEnvironment();
  std::string pattern = (std::filesystem::temp_directory_path() / "qzmodule-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  home_ = pattern;
  host::SetHomeDirectory(home_);
  ASSERT_TRUE(host::LoadLanguage(QZ_LANGUAGE_FILE).ok());
  host::Broker& broker = host::Broker::Instance();
  broker.Reset();
  host::ConnectBrokerToFramework();
  broker.SetEventSink([this](const nlohmann::json& e) { events_.push_back(e); });
  broker.Load(SampleBroker());
  cfg_ = new JqzCfgIO2(CString((home_ + "/Layouts").c_str()));
  frame_ = new CFrameWnd;
  ASSERT_TRUE(frame_->Create(nullptr, "交易", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 700)));
  frame_->SetPaneLayout(CFrameWnd::paneRows);
}

void ModuleTest::TearDown() {
  if (frame_ && ::IsWindow(frame_->GetSafeHwnd())) frame_->DestroyWindow();
  frame_ = nullptr;
  delete cfg_;
  cfg_ = nullptr;
  host::Broker& broker = host::Broker::Instance();
  broker.Reset();
  broker.SetEventSink({});
  host::DisconnectBrokerFromFramework();
  PlatformTest::TearDown();
  host::ResetEnvironment();
  std::error_code ec;
  if (!home_.empty()) std::filesystem::remove_all(home_, ec);
}

void ModuleTest::SetOrderSetting(const char* key, const char* value) {
  ::WritePrivateProfileStringA("ORDER_SETTING", key, value, g_vGetOrderCfgFileName());
}

void ModuleTest::LoadBroker(host::BrokerData data) { host::Broker::Instance().Load(std::move(data)); }

JqzOrderBaseView* ModuleTest::AddView(const char* className, BYTE syncGroup, bool selectAccount) {
  CRuntimeClass* cls = CRuntimeClass::FromName(className);
  if (!cls) return nullptr;
  CCreateContext ctx;
  ctx.m_pNewViewClass = cls;
  auto* view = dynamic_cast<JqzOrderBaseView*>(frame_->CreateView(&ctx));
  if (!view) return nullptr;
  view->SetSyncType(syncGroup);
  view->m_bySelAccount = selectAccount ? 1 : 0;
  // Every pane is shown, as the terminal shows them side by side.
  for (CView* pane : frame_->GetPanes()) pane->ShowWindow(SW_SHOW);
  headless::PumpMessages();
  return view;
}

void ModuleTest::Restore(JqzOrderBaseView* view, const char* title, const char* layout) {
  const int index = 0;
  const int extra = 0;
  view->InitialViewInfo(cfg_, layout, index, extra, title);
  headless::PumpMessages();
}

void ModuleTest::Login() {
  host::Broker::Instance().Login();
  headless::PumpMessages();
}

void ModuleTest::Advance(unsigned ms) { headless::AdvanceTime(ms); }

std::vector<nlohmann::json> ModuleTest::Events(const std::string& kind) const {
  std::vector<nlohmann::json> found;
  for (const auto& e : events_)
    if (e.value("event", "") == kind) found.push_back(e);
  return found;
}

HWND ModuleTest::DialogOf(const JqzOrderBaseView* view) {
  if (!view || !view->m_pBaseDlg) return nullptr;
  return view->m_pBaseDlg->GetSafeHwnd();
}

HWND ModuleTest::Control(const JqzOrderBaseView* view, int id) {
  HWND dialog = DialogOf(view);
  return dialog ? ::GetDlgItem(dialog, id) : nullptr;
}

}  // namespace moduletest
