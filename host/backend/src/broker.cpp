// The broker's accounts, login and sync groups; the transcript sink.
#include "host/broker.h"

#include <algorithm>

#include "host/cp950_text.h"
#include "host/environment.h"
#include "host/language_table.h"
#include "host/view_registry.h"

namespace host {

Broker& Broker::Instance() {
  static Broker broker;
  return broker;
}

void Broker::Reset() {
  UnregisterAllViews();
  ResetState();
}

void Broker::ResetState() {
  if (hwnd_ && IsWindow(hwnd_)) {
    for (const auto& [id, pending] : pending_) KillTimer(hwnd_, id);
  }
  data_ = BrokerData{};
  quoteCache_ = QuoteCache{};
  loggedIn_ = false;
  syncAccounts_.clear();
  answered_.clear();
  failures_.clear();
  pending_.clear();
  // Notices stay: their messages may still be queued; the release frees them.
  nextReq_ = 0;
  nextSerial_ = 0;
  nextOrderNo_ = 0;
  orders_.clear();
  orderList_.clear();
  log_.clear();
}

void Broker::Load(BrokerData data) {
  ResetState();
  data_ = std::move(data);
  quoteCache_ = QuoteCache{};
}

void Broker::SetEventSink(EventSink sink) { sink_ = std::move(sink); }

void Broker::SetLanguageTable(const LanguageTable* table) { language_ = table; }

CString Broker::LangText(const CString& key) const {
  if (!language_) return CString();
  return CString(language_->Text(key.str()));
}

void Broker::Emit(nlohmann::json event) const {
  if (sink_) sink_(event);
}

void Broker::Login() {
  loggedIn_ = true;
  Emit({{"event", "login"}});
  PostToViews(WM_ORDER_LOGINSUCCESS, 0, 0);
}

void Broker::Logout() {
  loggedIn_ = false;
  syncAccounts_.clear();
  Emit({{"event", "logout"}});
  PostToViews(WM_ORDER_LOGOUT, 0, 0);
}

std::vector<AccountType> Broker::Accounts() const {
  std::vector<AccountType> result;
  if (!loggedIn_) return result;
  for (const auto& a : data_.accounts) result.push_back(a.account);
  return result;
}

std::vector<AccountType> Broker::AccountsOfKind(int kind) const {
  std::vector<AccountType> result;
  for (auto& a : Accounts()) {
    if (a.m_nAccountType == kind) result.push_back(a);
  }
  return result;
}

BrokerAccount* Broker::FindAccount(const AccountType& account) {
  for (auto& a : data_.accounts) {
    if (a.account == account) return &a;
  }
  return nullptr;
}

BrokerAccount* Broker::FindAccountByNumber(const CString& number) {
  for (auto& a : data_.accounts) {
    if (a.account.m_strAccount == number) return &a;
  }
  return nullptr;
}

void Broker::UpdateAccount(const BrokerAccount& account) {
  if (BrokerAccount* existing = FindAccount(account.account)) {
    *existing = account;
  } else {
    data_.accounts.push_back(account);
  }
  Emit({{"event", "accountsChanged"}, {"account", ToUtf8(account.account.m_strAccount)}});
  PostToViews(WM_ORDER_RELOADACCOUNT, 0, 0);
}

// The host's list entry that stands for every account of a kind.
bool Broker::IsAllAccounts(const AccountType& account) const {
  CString all = LangText("IDS_ORDER-COMMON_ALL_ACCOUNT");
  return !all.IsEmpty() && account.m_strAccount == all;
}

namespace {

// Each sync group's account is kept in the home, so that the next run opens the group on
// the account it showed last.
std::string SyncGroupsFile() { return HomePath("SyncGroups.ini"); }

CString SyncGroupSection(BYTE syncType) {
  CString section;
  section.Format("Group%u", static_cast<unsigned>(syncType));
  return section;
}

}  // namespace

// A sync group remembers any account of the user, and the all-accounts entry.
bool Broker::SaveSyncTypeAccount(const AccountType& account, BYTE syncType) {
  if (!loggedIn_ || account.m_strAccount.IsEmpty()) return false;
  if (!IsAllAccounts(account) && !FindAccount(account)) return false;
  auto known = syncAccounts_.find(syncType);
  if (known != syncAccounts_.end() && known->second == account) return true;
  syncAccounts_[syncType] = account;
  const std::string file = SyncGroupsFile();
  const CString section = SyncGroupSection(syncType);
  CString kind;
  kind.Format("%d", account.m_nAccountType);
  const std::pair<const char*, CString> keys[] = {{"BrokerID", account.m_strBrokerID},
                                                  {"Account", account.m_strAccount},
                                                  {"SubAccount", account.m_strSubAccount},
                                                  {"CertID", account.m_strCertID},
                                                  {"Kind", kind}};
  for (const auto& [key, value] : keys) {
    if (!WritePrivateProfileStringA(section, key, value, file.c_str())) {
      Log(file + ": the account of sync group " + std::to_string(syncType) + " cannot be saved");
      break;
    }
  }
  return true;
}

bool Broker::GetActiveAccount(AccountType& account, BYTE syncType) const {
  if (!loggedIn_) return false;
  auto it = syncAccounts_.find(syncType);
  if (it != syncAccounts_.end()) {
    account = it->second;
    return true;
  }
  // The account the group showed in an earlier run, while the user still has it.
  const std::string file = SyncGroupsFile();
  const CString section = SyncGroupSection(syncType);
  auto text = [&](const char* key) {
    char buffer[256] = {};
    GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, file.c_str());
    return CString(buffer);
  };
  AccountType saved;
  saved.m_strBrokerID = text("BrokerID");
  saved.m_strAccount = text("Account");
  saved.m_strSubAccount = text("SubAccount");
  saved.m_strCertID = text("CertID");
  saved.m_nAccountType = static_cast<int>(GetPrivateProfileIntA(section, "Kind", 0, file.c_str()));
  if (!saved.m_strAccount.IsEmpty()) {
    for (const BrokerAccount& a : data_.accounts) {
      if (a.account == saved) {
        account = a.account;
        return true;
      }
    }
    if (IsAllAccounts(saved)) {
      account = saved;
      return true;
    }
  }
  // A group that has shown nothing yet starts with the user's first account.
  if (data_.accounts.empty()) return false;
  account = data_.accounts.front().account;
  return true;
}

CBaseOrder_UserInfo* Broker::ActiveUserInfo(const AccountType& account, int kind) {
  if (!loggedIn_) return nullptr;
  BrokerAccount* a = FindAccount(account);
  if (!a || a->account.m_nAccountType != kind) return nullptr;
  return &a->user;
}

void Broker::Log(const CString& text) {
  log_.push_back(ToUtf8(text));
  Emit({{"event", "log"}, {"text", log_.back()}});
}

std::string ToUtf8(const CString& cp950) {
  ConvertedText converted = Cp950ToUtf8(cp950.str());
  if (converted.ok()) return converted.text;
  std::string out;
  for (unsigned char c : cp950.str()) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

}  // namespace host
