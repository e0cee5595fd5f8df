#include "sandbox/schema.h"

namespace sandbox {

void CreateSchema(Database& db) {
  const auto lock = db.Lock();
  db.Exec(R"sql(
CREATE TABLE IF NOT EXISTS members (
  id INTEGER PRIMARY KEY,
  account TEXT NOT NULL UNIQUE,
  password_hash TEXT NOT NULL,
  realname TEXT NOT NULL DEFAULT '',
  ali_account TEXT NOT NULL DEFAULT '',
  created_ms INTEGER NOT NULL
);
-- One row per QR code: state 0 waits for the scan, 1 is a hosted account online, 2 offline.
CREATE TABLE IF NOT EXISTS hosted_accounts (
  id INTEGER PRIMARY KEY,
  member_id INTEGER NOT NULL REFERENCES members(id),
  state INTEGER NOT NULL CHECK (state IN (0, 1, 2)),
  token TEXT NOT NULL UNIQUE,
  opened_ms INTEGER NOT NULL,
  expires_ms INTEGER NOT NULL,
  wxid TEXT NOT NULL DEFAULT '',
  nickname TEXT NOT NULL DEFAULT '',
  login_ms INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS hosted_by_member ON hosted_accounts(member_id, state);
-- stamp_seconds 1: the platform reports add_time in seconds (10 digits), else in milliseconds.
CREATE TABLE IF NOT EXISTS settlements (
  id INTEGER PRIMARY KEY,
  member_id INTEGER NOT NULL REFERENCES members(id),
  suser_id INTEGER NOT NULL DEFAULT 0,
  typeid INTEGER NOT NULL,
  money_cents INTEGER NOT NULL,
  at_ms INTEGER NOT NULL,
  stamp_seconds INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS settlements_by_member ON settlements(member_id, at_ms);
CREATE TABLE IF NOT EXISTS withdrawals (
  id INTEGER PRIMARY KEY,
  member_id INTEGER NOT NULL REFERENCES members(id),
  out_biz_no TEXT NOT NULL UNIQUE,
  money_cents INTEGER NOT NULL CHECK (money_cents > 0),
  status INTEGER NOT NULL DEFAULT 0,
  pay_status INTEGER NOT NULL DEFAULT 0,
  add_ms INTEGER NOT NULL,
  up_ms INTEGER NOT NULL,
  ali_account TEXT NOT NULL,
  realname TEXT NOT NULL
);
CREATE INDEX IF NOT EXISTS withdrawals_by_member ON withdrawals(member_id, add_ms);
)sql");
}

}  // namespace sandbox
