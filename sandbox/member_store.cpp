#include "sandbox/member_store.h"

#include "sandbox/password_hash.h"

namespace sandbox {

namespace {

Member ReadMember(const Statement& row) {
  return Member{row.Int(0), row.Text(1), row.Text(2), row.Text(3)};
}

}  // namespace

// Hashing is slow on purpose; it runs outside the database lock so that other requests go on.
std::optional<std::int64_t> MemberStore::Register(std::string_view account,
                                                  std::string_view password, std::int64_t nowMs) {
  const std::string hash = HashPassword(password);
  const auto lock = db_.Lock();
  auto insert = db_.Prepare(
      "INSERT INTO members(account, password_hash, created_ms) VALUES (?1, ?2, ?3) "
      "ON CONFLICT(account) DO NOTHING");
  insert.Bind(1, account).Bind(2, hash).Bind(3, nowMs).Run();
  if (db_.Changes() == 0) {
    return std::nullopt;
  }
  return db_.LastInsertId();
}

std::optional<std::int64_t> MemberStore::Authenticate(std::string_view account,
                                                      std::string_view password) {
  std::int64_t id = 0;
  std::string hash;
  {
    const auto lock = db_.Lock();
    auto query = db_.Prepare("SELECT id, password_hash FROM members WHERE account = ?1");
    query.Bind(1, account);
    if (!query.Step()) {
      return std::nullopt;
    }
    id = query.Int(0);
    hash = query.Text(1);
  }
  if (!VerifyPassword(password, hash)) {
    return std::nullopt;
  }
  return id;
}

void MemberStore::ChangePassword(std::int64_t member, std::string_view password) {
  const std::string hash = HashPassword(password);
  const auto lock = db_.Lock();
  db_.Prepare("UPDATE members SET password_hash = ?2 WHERE id = ?1")
      .Bind(1, member)
      .Bind(2, hash)
      .Run();
}

bool MemberStore::BindPayout(std::int64_t member, std::string_view realname,
                             std::string_view aliAccount) {
  const auto lock = db_.Lock();
  db_.Prepare(
         "UPDATE members SET realname = ?2, ali_account = ?3 WHERE id = ?1 AND ali_account = ''")
      .Bind(1, member)
      .Bind(2, realname)
      .Bind(3, aliAccount)
      .Run();
  return db_.Changes() == 1;
}

std::optional<Member> MemberStore::Find(std::int64_t member) {
  const auto lock = db_.Lock();
  auto query = db_.Prepare("SELECT id, account, realname, ali_account FROM members WHERE id = ?1");
  query.Bind(1, member);
  if (!query.Step()) {
    return std::nullopt;
  }
  return ReadMember(query);
}

std::optional<std::int64_t> MemberStore::FindId(std::string_view account) {
  const auto lock = db_.Lock();
  auto query = db_.Prepare("SELECT id FROM members WHERE account = ?1");
  query.Bind(1, account);
  if (!query.Step()) {
    return std::nullopt;
  }
  return query.Int(0);
}

std::vector<Member> MemberStore::All() {
  const auto lock = db_.Lock();
  auto query = db_.Prepare("SELECT id, account, realname, ali_account FROM members ORDER BY id");
  std::vector<Member> members;
  while (query.Step()) {
    members.push_back(ReadMember(query));
  }
  return members;
}

}  // namespace sandbox
