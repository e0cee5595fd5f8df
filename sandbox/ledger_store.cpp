#include "sandbox/ledger_store.h"

#include "sandbox/platform_time.h"
#include "sandbox/random_text.h"

namespace sandbox {

namespace {

constexpr const char* kWithdrawalColumns =
    "SELECT id, member_id, out_biz_no, money_cents, status, pay_status, add_ms, up_ms, "
    "ali_account, realname FROM withdrawals ";

Withdrawal ReadWithdrawal(const Statement& row) {
  return Withdrawal{row.Int(0),
                    row.Int(1),
                    row.Text(2),
                    row.Int(3),
                    static_cast<int>(row.Int(4)),
                    static_cast<int>(row.Int(5)),
                    row.Int(6),
                    row.Int(7),
                    row.Text(8),
                    row.Text(9)};
}

std::vector<Withdrawal> ReadWithdrawals(Statement& query) {
  std::vector<Withdrawal> rows;
  while (query.Step()) {
    rows.push_back(ReadWithdrawal(query));
  }
  return rows;
}

}  // namespace

std::int64_t LedgerStore::AddSettlement(const Settlement& settlement) {
  const auto lock = db_.Lock();
  db_.Prepare(
         "INSERT INTO settlements(member_id, suser_id, typeid, money_cents, at_ms, stamp_seconds) "
         "VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
      .Bind(1, settlement.memberId)
      .Bind(2, settlement.suserId)
      .Bind(3, std::int64_t{settlement.typeId})
      .Bind(4, settlement.cents)
      .Bind(5, settlement.atMs)
      .Bind(6, std::int64_t{settlement.stampInSeconds ? 1 : 0})
      .Run();
  return db_.LastInsertId();
}

std::vector<Settlement> LedgerStore::Settlements(std::int64_t member,
                                                 const SettlementFilter& filter,
                                                 std::int64_t offset, std::int64_t limit) {
  const auto lock = db_.Lock();
  // A filter value of -1 matches every row.
  auto query = db_.Prepare(
      "SELECT id, member_id, suser_id, typeid, money_cents, at_ms, stamp_seconds FROM settlements "
      "WHERE member_id = ?1 AND (?2 = -1 OR typeid = ?2) AND (?3 = -1 OR suser_id = ?3) "
      "ORDER BY at_ms DESC, id DESC LIMIT ?4 OFFSET ?5");
  query.Bind(1, member)
      .Bind(2, std::int64_t{filter.typeId.value_or(-1)})
      .Bind(3, filter.suserId.value_or(-1))
      .Bind(4, limit)
      .Bind(5, offset);
  std::vector<Settlement> rows;
  while (query.Step()) {
    rows.push_back(Settlement{query.Int(0), query.Int(1), query.Int(2),
                              static_cast<int>(query.Int(3)), query.Int(4), query.Int(5),
                              query.Int(6) != 0});
  }
  return rows;
}

Balances LedgerStore::BalancesLocked(std::int64_t member, std::int64_t nowMs) {
  auto earned = db_.Prepare(
      "SELECT COALESCE(SUM(money_cents), 0), "
      "COALESCE(SUM(CASE WHEN at_ms >= ?2 THEN money_cents ELSE 0 END), 0) "
      "FROM settlements WHERE member_id = ?1");
  earned.Bind(1, member).Bind(2, DayStartMs(nowMs)).Step();
  auto kept = db_.Prepare(
      "SELECT COALESCE(SUM(money_cents), 0) FROM withdrawals "
      "WHERE member_id = ?1 AND status <> 2 AND pay_status <> 2");
  kept.Bind(1, member).Step();
  Balances balances;
  balances.withdrawnCents = kept.Int(0);
  balances.withdrawableCents = earned.Int(0) - balances.withdrawnCents;
  balances.todayCents = earned.Int(1);
  return balances;
}

Balances LedgerStore::BalancesOf(std::int64_t member, std::int64_t nowMs) {
  const auto lock = db_.Lock();
  return BalancesLocked(member, nowMs);
}

WithdrawOutcome LedgerStore::Withdraw(std::int64_t member, std::int64_t nowMs) {
  const auto lock = db_.Lock();
  Transaction transaction(db_);
  std::string aliAccount;
  std::string realname;
  {
    auto payout = db_.Prepare("SELECT ali_account, realname FROM members WHERE id = ?1");
    payout.Bind(1, member);
    if (!payout.Step()) {
      return WithdrawOutcome::kNoMember;
    }
    aliAccount = payout.Text(0);
    realname = payout.Text(1);
  }
  if (aliAccount.empty()) {
    return WithdrawOutcome::kNoPayoutAccount;
  }
  if (CountSince(member, DayStartMs(nowMs)) >= kWithdrawalsPerDay) {
    return WithdrawOutcome::kDailyLimit;
  }
  const std::int64_t amount = BalancesLocked(member, nowMs).withdrawableCents;
  if (amount < kMinimumWithdrawalCents) {
    return WithdrawOutcome::kTooLittle;
  }
  db_.Prepare(
         "INSERT INTO withdrawals(member_id, out_biz_no, money_cents, add_ms, up_ms, ali_account, "
         "realname) VALUES (?1, ?2, ?3, ?4, ?4, ?5, ?6)")
      .Bind(1, member)
      .Bind(2, "TX" + CompactTime(nowMs) + RandomDigitText(6))
      .Bind(3, amount)
      .Bind(4, nowMs)
      .Bind(5, aliAccount)
      .Bind(6, realname)
      .Run();
  transaction.Commit();
  return WithdrawOutcome::kDone;
}

std::int64_t LedgerStore::CountSince(std::int64_t member, std::int64_t sinceMs) {
  auto query =
      db_.Prepare("SELECT COUNT(*) FROM withdrawals WHERE member_id = ?1 AND add_ms >= ?2");
  query.Bind(1, member).Bind(2, sinceMs).Step();
  return query.Int(0);
}

std::int64_t LedgerStore::AddWithdrawal(const Withdrawal& withdrawal) {
  const auto lock = db_.Lock();
  db_.Prepare(
         "INSERT INTO withdrawals(member_id, out_biz_no, money_cents, status, pay_status, add_ms, "
         "up_ms, ali_account, realname) SELECT id, ?2, ?3, ?4, ?5, ?6, ?7, ali_account, realname "
         "FROM members WHERE id = ?1")
      .Bind(1, withdrawal.memberId)
      .Bind(2, withdrawal.outBizNo)
      .Bind(3, withdrawal.cents)
      .Bind(4, std::int64_t{withdrawal.status})
      .Bind(5, std::int64_t{withdrawal.payStatus})
      .Bind(6, withdrawal.addMs)
      .Bind(7, withdrawal.upMs)
      .Run();
  return db_.LastInsertId();
}

std::vector<Withdrawal> LedgerStore::Withdrawals(std::int64_t member) {
  const auto lock = db_.Lock();
  auto query = db_.Prepare(std::string(kWithdrawalColumns) +
                           "WHERE member_id = ?1 ORDER BY add_ms DESC, id DESC");
  query.Bind(1, member);
  return ReadWithdrawals(query);
}

std::vector<Withdrawal> LedgerStore::AllWithdrawals() {
  const auto lock = db_.Lock();
  auto query = db_.Prepare(std::string(kWithdrawalColumns) + "ORDER BY id DESC");
  return ReadWithdrawals(query);
}

bool LedgerStore::SetWithdrawalState(std::int64_t id, int status, int payStatus,
                                     std::int64_t nowMs) {
  const auto lock = db_.Lock();
  db_.Prepare("UPDATE withdrawals SET status = ?2, pay_status = ?3, up_ms = ?4 WHERE id = ?1")
      .Bind(1, id)
      .Bind(2, std::int64_t{status})
      .Bind(3, std::int64_t{payStatus})
      .Bind(4, nowMs)
      .Run();
  return db_.Changes() == 1;
}

}  // namespace sandbox
