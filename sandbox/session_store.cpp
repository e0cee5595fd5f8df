#include "sandbox/session_store.h"

#include <algorithm>

#include "sandbox/random_text.h"

namespace sandbox {

std::string SessionStore::Create() {
  std::string id = RandomHex(16);
  const std::int64_t now = clock_();
  const std::lock_guard lock(mutex_);
  MakeRoomLocked(now);
  sessions_[id] = Session{std::nullopt, {}, now};
  return id;
}

void SessionStore::MakeRoomLocked(std::int64_t nowMs) {
  if (sessions_.size() < kMaxSessions) {
    return;
  }
  std::erase_if(sessions_, [&](const auto& entry) {
    return nowMs - entry.second.lastSeenMs > kSessionIdleMs;
  });
  if (sessions_.size() >= kMaxSessions) {
    const auto oldest = std::min_element(
        sessions_.begin(), sessions_.end(),
        [](const auto& a, const auto& b) { return a.second.lastSeenMs < b.second.lastSeenMs; });
    sessions_.erase(oldest);
  }
}

bool SessionStore::Touch(std::string_view id) {
  const std::int64_t now = clock_();
  const std::lock_guard lock(mutex_);
  const auto found = sessions_.find(std::string(id));
  if (found == sessions_.end()) {
    return false;
  }
  if (now - found->second.lastSeenMs > kSessionIdleMs) {
    sessions_.erase(found);
    return false;
  }
  found->second.lastSeenMs = now;
  return true;
}

std::optional<std::int64_t> SessionStore::MemberOf(std::string_view id) const {
  const std::lock_guard lock(mutex_);
  const auto found = sessions_.find(std::string(id));
  return found == sessions_.end() ? std::nullopt : found->second.member;
}

void SessionStore::SetMember(std::string_view id, std::optional<std::int64_t> member) {
  const std::lock_guard lock(mutex_);
  const auto found = sessions_.find(std::string(id));
  if (found != sessions_.end()) {
    found->second.member = member;
  }
}

void SessionStore::SetCaptcha(std::string_view id, std::string code) {
  const std::lock_guard lock(mutex_);
  const auto found = sessions_.find(std::string(id));
  if (found != sessions_.end()) {
    found->second.captcha = std::move(code);
  }
}

std::string SessionStore::CaptchaOf(std::string_view id) const {
  const std::lock_guard lock(mutex_);
  const auto found = sessions_.find(std::string(id));
  return found == sessions_.end() ? std::string{} : found->second.captcha;
}

bool SessionStore::CaptchaMatches(std::string_view id, std::string_view code) const {
  const std::lock_guard lock(mutex_);
  const auto found = sessions_.find(std::string(id));
  return found != sessions_.end() && !code.empty() && found->second.captcha == code;
}

void SessionStore::SpendCaptcha(std::string_view id, std::string_view code) {
  const std::lock_guard lock(mutex_);
  const auto found = sessions_.find(std::string(id));
  if (found != sessions_.end() && found->second.captcha == code) {
    found->second.captcha.clear();
  }
}

std::size_t SessionStore::size() const {
  const std::lock_guard lock(mutex_);
  return sessions_.size();
}

}  // namespace sandbox
