#include "host_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "host/environment.h"

namespace hosttest {

namespace {
const UINT s_groupMessage = ::RegisterWindowMessageA("QzHeaderGroupCaption");
}

BEGIN_MESSAGE_MAP(GroupedHeader, CHeaderCtrl)
ON_REGISTERED_MESSAGE(s_groupMessage, OnGroupCaption)
END_MESSAGE_MAP()

LRESULT GroupedHeader::OnGroupCaption(WPARAM wParam, LPARAM lParam) {
  const int column = static_cast<int>(wParam);
  if (column < first_ || column > last_) return 0;
  auto* item = reinterpret_cast<HDITEMA*>(lParam);
  std::snprintf(item->pszText, static_cast<size_t>(item->cchTextMax), "%s", caption_.GetString());
  item->lParam = MAKELPARAM(first_, last_);
  return caption_.GetLength();
}

AccountType MakeAccount(const char* broker, const char* number, int kind, const char* sub,
                        const char* name) {
  AccountType a;
  a.m_strBrokerID = broker;
  a.m_strAccount = number;
  a.m_nAccountType = kind;
  a.m_strSubAccount = sub;
  a.m_strName = name;
  return a;
}

std::vector<AccountType> LoginAccounts() {
  return {MakeAccount("9A00", "1234567", 65, "01", "王小明"),
          MakeAccount("9A00", "7654321", 65, "", "王小明"),
          MakeAccount("9A00", "5550001", 51, "", "王小明"),
          MakeAccount("9A00", "8880001", 70, "", "王小明")};
}

void HostTest::SetUp() {
  testsupport::PlatformTest::SetUp();
  host::ResetEnvironment();
  std::string pattern = (std::filesystem::temp_directory_path() / "qzhost-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  home_ = pattern;
  host::SetHomeDirectory(home_);
  host::SetLogSink([this](const std::string& line) { log_.push_back(line); });
  ASSERT_TRUE(host::LoadLanguage(QZ_LANGUAGE_FILE).ok());
  host::Services services;
  services.accounts = [] { return LoginAccounts(); };
  host::SetServices(services);
}

void HostTest::TearDown() {
  testsupport::PlatformTest::TearDown();
  host::ResetEnvironment();
  std::error_code ec;
  if (!home_.empty()) std::filesystem::remove_all(home_, ec);
}

}  // namespace hosttest
