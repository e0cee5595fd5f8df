#pragma once
// The cookie text of the platform session, shared by every worker. Each read and each replacement
// is whole: a reader sees one complete text, and of two overlapping replacements the later wins.

#include <mutex>
#include <string>

namespace hosting::net {

class SessionCookie {
 public:
  SessionCookie() = default;
  SessionCookie(const SessionCookie&) = delete;
  SessionCookie& operator=(const SessionCookie&) = delete;

  // The process-wide session cookie (empty at start).
  static SessionCookie& Global();

  std::string Read() const;
  void Replace(std::string text);

 private:
  mutable std::mutex mutex_;
  std::string text_;
};

}  // namespace hosting::net
