#include "sandbox/hosting_store.h"

#include <array>

#include "sandbox/random_text.h"

namespace sandbox {

namespace {

constexpr const char* kColumns =
    "id, member_id, state, token, opened_ms, expires_ms, wxid, nickname, login_ms";

HostedAccount ReadAccount(const Statement& row) {
  return HostedAccount{row.Int(0),  row.Int(1),  static_cast<HostedState>(row.Int(2)),
                       row.Text(3), row.Int(4),  row.Int(5),
                       row.Text(6), row.Text(7), row.Int(8)};
}

std::string Select(const std::string& where) {
  return std::string("SELECT ") + kColumns + " FROM hosted_accounts WHERE " + where;
}

// A nickname as people choose them: a mood and a thing, sometimes with a number.
std::string MakeNickname(std::uint64_t random) {
  static constexpr std::array<const char*, 8> kFirst = {"快乐的", "安静的",   "勇敢的", "晴天",
                                                        "微风",   "星空下的", "爱笑的", "追风的"};
  static constexpr std::array<const char*, 8> kSecond = {"小鱼",   "猫咪", "旅人", "柠檬",
                                                         "向日葵", "少年", "咖啡", "兔子"};
  std::string name = kFirst[random % kFirst.size()];
  name += kSecond[(random / kFirst.size()) % kSecond.size()];
  if ((random >> 16) % 3 == 0) {
    name += std::to_string((random >> 20) % 1000);
  }
  return name;
}

}  // namespace

std::optional<HostedAccount> HostingStore::OpenCode(std::int64_t member, std::int64_t nowMs) {
  const std::string token = RandomHex(16);
  const auto lock = db_.Lock();
  auto waiting = db_.Prepare(
      "SELECT COUNT(*) FROM hosted_accounts WHERE member_id = ?1 AND state = 0 AND "
      "expires_ms > ?2");
  waiting.Bind(1, member).Bind(2, nowMs).Step();
  if (waiting.Int(0) >= kMaxOpenCodes) {
    return std::nullopt;
  }
  db_.Prepare(
         "INSERT INTO hosted_accounts(member_id, state, token, opened_ms, expires_ms) "
         "VALUES (?1, 0, ?2, ?3, ?4)")
      .Bind(1, member)
      .Bind(2, token)
      .Bind(3, nowMs)
      .Bind(4, nowMs + kCodeLifetimeMs)
      .Run();
  HostedAccount code;
  code.id = db_.LastInsertId();
  code.memberId = member;
  code.token = token;
  code.openedMs = nowMs;
  code.expiresMs = nowMs + kCodeLifetimeMs;
  return code;
}

std::optional<HostedAccount> HostingStore::Find(std::int64_t member, std::int64_t id) {
  const auto lock = db_.Lock();
  auto query = db_.Prepare(Select("id = ?1 AND member_id = ?2"));
  query.Bind(1, id).Bind(2, member);
  if (!query.Step()) {
    return std::nullopt;
  }
  return ReadAccount(query);
}

std::optional<HostedAccount> HostingStore::FindByToken(std::string_view token) {
  const auto lock = db_.Lock();
  auto query = db_.Prepare(Select("token = ?1"));
  query.Bind(1, token);
  if (!query.Step()) {
    return std::nullopt;
  }
  return ReadAccount(query);
}

void HostingStore::ConfirmLocked(const HostedAccount& code, std::int64_t nowMs) {
  const std::uint64_t random = RandomNumber();
  const std::string wxid = "wxid_" + RandomHex(7);
  db_.Prepare(
         "UPDATE hosted_accounts SET state = 1, wxid = lower(?2), nickname = ?3, login_ms = ?4 "
         "WHERE id = ?1 AND state = 0")
      .Bind(1, code.id)
      .Bind(2, wxid)
      .Bind(3, MakeNickname(random))
      .Bind(4, nowMs)
      .Run();
}

ConfirmResult HostingStore::Confirm(std::string_view token, std::int64_t nowMs) {
  const auto lock = db_.Lock();
  auto query = db_.Prepare(Select("token = ?1"));
  query.Bind(1, token);
  if (!query.Step()) {
    return ConfirmResult::kUnknown;
  }
  const HostedAccount code = ReadAccount(query);
  if (code.state != HostedState::kWaiting) {
    return ConfirmResult::kAlreadyConfirmed;
  }
  if (code.expiresMs <= nowMs) {
    return ConfirmResult::kExpired;
  }
  ConfirmLocked(code, nowMs);
  return ConfirmResult::kConfirmed;
}

void HostingStore::ConfirmDue(std::int64_t member, std::int64_t delayMs, std::int64_t nowMs) {
  const auto lock = db_.Lock();
  std::vector<HostedAccount> due;
  {
    auto query =
        db_.Prepare(Select("member_id = ?1 AND state = 0 AND opened_ms <= ?2 AND expires_ms > ?3"));
    query.Bind(1, member).Bind(2, nowMs - delayMs).Bind(3, nowMs);
    while (query.Step()) {
      due.push_back(ReadAccount(query));
    }
  }
  for (const auto& code : due) {
    ConfirmLocked(code, nowMs);
  }
}

std::vector<HostedAccount> HostingStore::List(std::int64_t member, std::int64_t offset,
                                              std::int64_t limit) {
  const auto lock = db_.Lock();
  auto query =
      db_.Prepare(Select("member_id = ?1 AND state IN (1, 2) ORDER BY id LIMIT ?2 OFFSET ?3"));
  query.Bind(1, member).Bind(2, limit).Bind(3, offset);
  std::vector<HostedAccount> accounts;
  while (query.Step()) {
    accounts.push_back(ReadAccount(query));
  }
  return accounts;
}

HostedCounts HostingStore::Count(std::int64_t member) {
  const auto lock = db_.Lock();
  auto query = db_.Prepare(
      "SELECT COUNT(*), COALESCE(SUM(state = 1), 0) FROM hosted_accounts "
      "WHERE member_id = ?1 AND state IN (1, 2)");
  query.Bind(1, member).Step();
  return HostedCounts{query.Int(0), query.Int(1)};
}

int HostingStore::ClearOffline(std::int64_t member, std::int64_t nowMs) {
  const auto lock = db_.Lock();
  db_.Prepare(
         "DELETE FROM hosted_accounts WHERE member_id = ?1 AND "
         "(state = 2 OR (state = 0 AND expires_ms <= ?2))")
      .Bind(1, member)
      .Bind(2, nowMs)
      .Run();
  return db_.Changes();
}

bool HostingStore::SetOnline(std::int64_t id, bool online) {
  const auto lock = db_.Lock();
  db_.Prepare("UPDATE hosted_accounts SET state = ?2 WHERE id = ?1 AND state IN (1, 2)")
      .Bind(1, id)
      .Bind(2, online ? 1 : 2)
      .Run();
  return db_.Changes() == 1;
}

std::vector<HostedAccount> HostingStore::All() {
  const auto lock = db_.Lock();
  auto query = db_.Prepare(Select("state IN (1, 2) ORDER BY member_id, id"));
  std::vector<HostedAccount> accounts;
  while (query.Step()) {
    accounts.push_back(ReadAccount(query));
  }
  return accounts;
}

}  // namespace sandbox
