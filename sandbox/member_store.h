#pragma once
// Members of the platform: accounts, password hashes and the payout account.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/database.h"

namespace sandbox {

struct Member {
  std::int64_t id = 0;
  std::string account;
  std::string realname;    // empty until the payout account is bound
  std::string aliAccount;  // empty until the payout account is bound
};

class MemberStore {
 public:
  explicit MemberStore(Database& db) : db_(db) {}

  // The new member's id; nullopt when the account name is taken.
  std::optional<std::int64_t> Register(std::string_view account, std::string_view password,
                                       std::int64_t nowMs);
  // The member's id when account and password match.
  std::optional<std::int64_t> Authenticate(std::string_view account, std::string_view password);
  void ChangePassword(std::int64_t member, std::string_view password);
  // Binds the payout account once; false when one is already bound (nothing changes then).
  bool BindPayout(std::int64_t member, std::string_view realname, std::string_view aliAccount);
  std::optional<Member> Find(std::int64_t member);
  std::optional<std::int64_t> FindId(std::string_view account);
  std::vector<Member> All();

 private:
  Database& db_;
};

}  // namespace sandbox
