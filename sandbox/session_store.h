#pragma once
// Sessions of the platform, kept in memory and named by the JSESSIONID cookie. A session holds
// the logged-in member (if any) and the captcha last shown to it.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "sandbox/sandbox_config.h"

namespace sandbox {

inline constexpr std::int64_t kSessionIdleMs = 2 * 3'600'000;
inline constexpr std::size_t kMaxSessions = 100'000;

class SessionStore {
 public:
  explicit SessionStore(Clock clock) : clock_(std::move(clock)) {}

  // A fresh session id (32 upper-case hex digits). When the store is full, idle sessions are
  // dropped first, then the least recently used one.
  std::string Create();
  // True (and the session is kept alive) when id names a live session.
  bool Touch(std::string_view id);

  std::optional<std::int64_t> MemberOf(std::string_view id) const;
  void SetMember(std::string_view id, std::optional<std::int64_t> member);

  void SetCaptcha(std::string_view id, std::string code);
  std::string CaptchaOf(std::string_view id) const;
  // True when code is the session's current captcha (an empty code never is).
  bool CaptchaMatches(std::string_view id, std::string_view code) const;
  // Spends the captcha after a successful use, unless it was replaced in the meantime.
  void SpendCaptcha(std::string_view id, std::string_view code);

  std::size_t size() const;

 private:
  struct Session {
    std::optional<std::int64_t> member;
    std::string captcha;
    std::int64_t lastSeenMs = 0;
  };

  void MakeRoomLocked(std::int64_t nowMs);

  Clock clock_;
  mutable std::mutex mutex_;
  std::unordered_map<std::string, Session> sessions_;
};

}  // namespace sandbox
