// A fresh platform and a fresh host for each test: a temporary home directory, the
// bundled language table, and a login with three securities accounts and one other.
#pragma once

#include <afxcmn.h>

#include <string>
#include <vector>

#include "AccountType.h"
#include "test_support.h"

namespace hosttest {

AccountType MakeAccount(const char* broker, const char* number, int kind, const char* sub = "",
                        const char* name = "");
// 9A00-1234567 (domestic), 9A00-7654321 (domestic), 9A00-5550001 (foreign), and a
// futures account of kind 70.
std::vector<AccountType> LoginAccounts();

// A list header that tells of one group over columns first to last, as the module's
// grouped header does, through the registered message the host's helpers send.
class GroupedHeader : public CHeaderCtrl {
 public:
  GroupedHeader(int first, int last, const char* caption)
      : first_(first), last_(last), caption_(caption) {}
  LRESULT OnGroupCaption(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  int first_;
  int last_;
  CString caption_;
};

class HostTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string home_;
  std::vector<std::string> log_;
};

}  // namespace hosttest
