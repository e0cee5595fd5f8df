#pragma once
// QR login codes and the hosted accounts they become. A code is a row waiting for its scan; the
// scan turns the same row (same id) into a hosted account that is online.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/database.h"

namespace sandbox {

inline constexpr std::int64_t kCodeLifetimeMs = 100'000;
inline constexpr int kMaxOpenCodes = 20;  // per member, codes still waiting for their scan

enum class HostedState : int { kWaiting = 0, kOnline = 1, kOffline = 2 };

struct HostedAccount {
  std::int64_t id = 0;
  std::int64_t memberId = 0;
  HostedState state = HostedState::kWaiting;
  std::string token;
  std::int64_t openedMs = 0;
  std::int64_t expiresMs = 0;
  std::string wxid;
  std::string nickname;
  std::int64_t loginMs = 0;
};

struct HostedCounts {
  std::int64_t total = 0;  // online and offline accounts
  std::int64_t online = 0;
};

enum class ConfirmResult { kConfirmed, kAlreadyConfirmed, kExpired, kUnknown };

class HostingStore {
 public:
  explicit HostingStore(Database& db) : db_(db) {}

  // A new code for the member, valid for kCodeLifetimeMs; nullopt when the member already has
  // kMaxOpenCodes codes waiting.
  std::optional<HostedAccount> OpenCode(std::int64_t member, std::int64_t nowMs);
  // The member's row with that id (a code or an account); nullopt for another member's row.
  std::optional<HostedAccount> Find(std::int64_t member, std::int64_t id);
  std::optional<HostedAccount> FindByToken(std::string_view token);
  // The scan of a phone: a waiting, unexpired code becomes an online account.
  ConfirmResult Confirm(std::string_view token, std::int64_t nowMs);
  // Confirms the member's codes opened at least delayMs ago and not yet expired.
  void ConfirmDue(std::int64_t member, std::int64_t delayMs, std::int64_t nowMs);

  // Hosted accounts (online and offline, no waiting codes) by id; at most limit from offset.
  std::vector<HostedAccount> List(std::int64_t member, std::int64_t offset, std::int64_t limit);
  HostedCounts Count(std::int64_t member);
  // Removes the member's offline accounts and expired codes; returns how many went.
  int ClearOffline(std::int64_t member, std::int64_t nowMs);
  // Sets a hosted account on- or offline; false when there is no such account.
  bool SetOnline(std::int64_t id, bool online);
  // Every hosted account of every member (the admin page).
  std::vector<HostedAccount> All();

 private:
  void ConfirmLocked(const HostedAccount& code, std::int64_t nowMs);

  Database& db_;
};

}  // namespace sandbox
