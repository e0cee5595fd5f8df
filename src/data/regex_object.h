#pragma once
// One regular expression (PCRE2) run over one subject text, with the answers the callers read.
// Match and sub-match numbers are 1-based; positions are 0-based byte offsets of the match or
// sub-match in the subject (-1 when there is none). An invalid pattern or an index out of range
// gives "", 0 or false. Subjects and patterns are bytes (UTF-8 or not; no UTF checks), so case
// is ignored for ASCII letters only. Matching is bounded (no stack overflow, no run-away
// backtracking on long subjects). Copies share the immutable result of Create.

#include <memory>
#include <string>
#include <string_view>

namespace hosting::data {

class RegexObject {
 public:
  RegexObject();
  ~RegexObject();
  RegexObject(const RegexObject& other);
  RegexObject& operator=(const RegexObject& other);
  RegexObject(RegexObject&&) noexcept;
  RegexObject& operator=(RegexObject&&) noexcept;

  // Compiles pattern and collects the matches in subject. Defaults: case ignored, multiline,
  // global. With quoteSubstitution every "#引号" in the pattern stands for a double quote.
  // True when the pattern compiled and the search ran to its end (also with no match); false,
  // with no matches, for an invalid pattern or a search cut off by the backtracking limits.
  bool Create(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
              bool multiline = true, bool global = true, bool quoteSubstitution = false);
  std::string GetPattern() const;
  // The subject with every match replaced; "$1".."$99", "$&" and "$$" in the replacement (a "$"
  // before anything else stays as it is).
  std::string Replace(std::string_view replacement) const;
  int MatchCount() const;
  std::string MatchText(int match, int* position = nullptr) const;
  std::string SubMatchText(int match, int subMatch, int* position = nullptr) const;
  // Sub-match count of the first match.
  int SubMatchCount() const;

 private:
  struct State;
  std::shared_ptr<const State> state_;
};

}  // namespace hosting::data
