#pragma once
// Money of the members: settlements (earnings credited for the hosted accounts) and
// withdrawals. Balances are derived from both, in integer cents, inside one lock, so that a
// withdrawal sees and changes a consistent balance.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sandbox/database.h"

namespace sandbox {

inline constexpr std::int64_t kMinimumWithdrawalCents = 1000;  // ten yuan
inline constexpr int kWithdrawalsPerDay = 3;

struct Settlement {
  std::int64_t id = 0;
  std::int64_t memberId = 0;
  std::int64_t suserId = 0;  // the hosted account that earned it; 0 when none
  int typeId = 0;            // 4: a task; other kinds are reported by their number
  std::int64_t cents = 0;
  std::int64_t atMs = 0;
  bool stampInSeconds = false;  // reported as a 10-digit stamp instead of 13 digits
};

struct SettlementFilter {
  std::optional<int> typeId;
  std::optional<std::int64_t> suserId;
};

// status: 0 applied, 1 approved, 2 refused. pay_status: 0 not paid, 1 paid, 2 payment failed,
// 3 payment under way. Refused or failed withdrawals give their money back.
struct Withdrawal {
  std::int64_t id = 0;
  std::int64_t memberId = 0;
  std::string outBizNo;
  std::int64_t cents = 0;
  int status = 0;
  int payStatus = 0;
  std::int64_t addMs = 0;
  std::int64_t upMs = 0;
  std::string aliAccount;
  std::string realname;
};

struct Balances {
  std::int64_t withdrawnCents = 0;     // withdrawals that keep their money (not refused/failed)
  std::int64_t withdrawableCents = 0;  // earned minus withdrawn
  std::int64_t todayCents = 0;         // earned since the start of today (UTC+8)
};

enum class WithdrawOutcome { kDone, kNoPayoutAccount, kDailyLimit, kTooLittle, kNoMember };

class LedgerStore {
 public:
  explicit LedgerStore(Database& db) : db_(db) {}

  std::int64_t AddSettlement(const Settlement& settlement);
  std::vector<Settlement> Settlements(std::int64_t member, const SettlementFilter& filter,
                                      std::int64_t offset, std::int64_t limit);
  Balances BalancesOf(std::int64_t member, std::int64_t nowMs);

  // Withdraws the whole withdrawable amount to the bound payout account. Checks and insertion
  // happen in one transaction: concurrent calls for one member cannot both take the money.
  WithdrawOutcome Withdraw(std::int64_t member, std::int64_t nowMs);
  // Inserts a withdrawal as it is (demo data); the payout account is the member's.
  std::int64_t AddWithdrawal(const Withdrawal& withdrawal);
  std::vector<Withdrawal> Withdrawals(std::int64_t member);
  std::vector<Withdrawal> AllWithdrawals();
  // Moves a withdrawal to another state; false when there is no such withdrawal.
  bool SetWithdrawalState(std::int64_t id, int status, int payStatus, std::int64_t nowMs);

 private:
  Balances BalancesLocked(std::int64_t member, std::int64_t nowMs);
  std::int64_t CountSince(std::int64_t member, std::int64_t sinceMs);

  Database& db_;
};

}  // namespace sandbox
