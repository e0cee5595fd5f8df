#include "net/session_cookie.h"

namespace hosting::net {

SessionCookie& SessionCookie::Global() {
  static SessionCookie session;
  return session;
}

std::string SessionCookie::Read() const {
  const std::lock_guard lock(mutex_);
  return text_;
}

void SessionCookie::Replace(std::string text) {
  // The old text is released after the lock, by `text`.
  const std::lock_guard lock(mutex_);
  text_.swap(text);
}

}  // namespace hosting::net
