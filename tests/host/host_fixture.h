// A fresh platform and a fresh host for each test: a temporary home directory, the
// bundled language table, and a login with three securities accounts and one other.
#pragma once

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

class HostTest : public testsupport::PlatformTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string home_;
  std::vector<std::string> log_;
};

}  // namespace hosttest
