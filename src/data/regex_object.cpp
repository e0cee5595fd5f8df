#include "data/regex_object.h"

#include <pcre2.h>

#include <cstdint>
#include <vector>

namespace hosting::data {
namespace {

// Bounds of one Create: a pathological pattern gives up instead of backtracking for seconds; the
// interpreter keeps its backtracking frames on the heap and the JIT within its own fixed 32 KiB
// stack, so a deep search never overflows the thread's stack. The match limit
// counts per start position only, and work inside a character loop not at all, so a pattern like
// \w+\s over a long run of letters would still take quadratic time: every pattern item reports to
// a callout that counts steps over the whole Create, and character loops are compiled to give
// back (no auto-possessification) so that each byte they pass costs a step. The budget stands for
// a fraction of a second with the JIT (used when the system allows it) and about a second without.
constexpr uint32_t kMatchLimit = 1'000'000;
constexpr uint32_t kDepthLimit = 100'000;
constexpr uint32_t kHeapLimitKib = 64 * 1024;
constexpr std::uint64_t kStepBudget = 10'000'000;
constexpr std::string_view kQuoteMarker = "#引号";

template <auto Free>
struct Deleter {
  template <class T>
  void operator()(T* object) const {
    Free(object);
  }
};
template <class T, auto Free>
using Owned = std::unique_ptr<T, Deleter<Free>>;

// The callout of every pattern item: spends one step, abandons the search when none is left.
int SpendStep(pcre2_callout_block* /*block*/, void* stepsLeft) {
  auto& left = *static_cast<std::uint64_t*>(stepsLeft);
  if (left == 0) {
    return PCRE2_ERROR_MATCHLIMIT;
  }
  --left;
  return 0;
}

std::string SubstituteQuotes(std::string_view pattern) {
  std::string result;
  std::size_t from = 0;
  for (std::size_t at = pattern.find(kQuoteMarker); at != std::string_view::npos;
       at = pattern.find(kQuoteMarker, from)) {
    result.append(pattern.substr(from, at - from)).push_back('"');
    from = at + kQuoteMarker.size();
  }
  return result.append(pattern.substr(from));
}

Owned<pcre2_code, pcre2_code_free> Compile(const std::string& pattern, uint32_t options) {
  const Owned<pcre2_compile_context, pcre2_compile_context_free> context(
      pcre2_compile_context_create(nullptr));
  if (!context) {
    return nullptr;
  }
  pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
  int error = 0;
  PCRE2_SIZE errorOffset = 0;
  return Owned<pcre2_code, pcre2_code_free>(
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options, &error,
                    &errorOffset, context.get()));
}

}  // namespace

// Everything one Create produced; never changed afterwards, so copies share it.
struct RegexObject::State {
  std::string pattern;
  std::string subject;
  std::size_t groups = 0;  // capture groups of the pattern
  // Per match, (groups + 1) pairs of byte offsets: the whole match, then each sub-match;
  // PCRE2_UNSET for a group that took no part.
  std::vector<std::size_t> offsets;

  std::size_t MatchCount() const { return offsets.size() / (2 * (groups + 1)); }
  // The text of group `group` (0 = whole match) of match `match` (both 0-based), if it exists.
  bool Span(std::size_t match, std::size_t group, std::size_t& start, std::size_t& end) const;
  // Text and byte offset (-1 when absent) of a group (0 = whole match) of a 1-based match number.
  static std::string TextOf(const State* state, int match, int group, int* position);
  // Appends replacement for match m, with $1..$99, $& and $$ expanded.
  void Expand(std::string& out, std::string_view replacement, std::size_t m) const;
  // Collects the matches (all of them when global); false when a search hit the limits.
  bool Collect(const pcre2_code& code, bool global);
};

std::string RegexObject::State::TextOf(const State* state, int match, int group, int* position) {
  std::size_t start = 0;
  std::size_t end = 0;
  const bool found =
      state != nullptr && match >= 1 && group >= 0 &&
      state->Span(static_cast<std::size_t>(match - 1), static_cast<std::size_t>(group), start, end);
  if (position != nullptr) {
    *position = found ? static_cast<int>(start) : -1;
  }
  return found ? state->subject.substr(start, end - start) : std::string();
}

void RegexObject::State::Expand(std::string& out, std::string_view replacement,
                                std::size_t m) const {
  const auto digit = [&](std::size_t at) {
    return at < replacement.size() && replacement[at] >= '0' && replacement[at] <= '9'
               ? static_cast<std::size_t>(replacement[at] - '0')
               : std::string_view::npos;
  };
  const auto appendGroup = [&](std::size_t group) {
    std::size_t start = 0;
    std::size_t end = 0;
    if (Span(m, group, start, end)) {
      out.append(subject, start, end - start);
    }
  };
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    const char c = replacement[i];
    const std::size_t first = digit(i + 1);
    const std::size_t second = digit(i + 2);
    if (c != '$' || i + 1 == replacement.size()) {
      out.push_back(c);
    } else if (replacement[i + 1] == '$' || replacement[i + 1] == '&') {
      replacement[i + 1] == '$' ? out.push_back('$') : appendGroup(0);
      ++i;
    } else if (first != std::string_view::npos && second != std::string_view::npos &&
               first * 10 + second >= 1 && first * 10 + second <= groups) {
      appendGroup(first * 10 + second);
      i += 2;
    } else if (first != std::string_view::npos && first >= 1 && first <= groups) {
      appendGroup(first);
      ++i;
    } else {
      out.push_back(c);  // "$" not followed by a known group stays as it is
    }
  }
}

bool RegexObject::State::Span(std::size_t match, std::size_t group, std::size_t& start,
                              std::size_t& end) const {
  if (match >= MatchCount() || group > groups) {
    return false;
  }
  const std::size_t at = (match * (groups + 1) + group) * 2;
  start = offsets[at];
  end = offsets[at + 1];
  return start != PCRE2_UNSET;
}

bool RegexObject::State::Collect(const pcre2_code& code, bool global) {
  const Owned<pcre2_match_data, pcre2_match_data_free> data(
      pcre2_match_data_create_from_pattern(&code, nullptr));
  const Owned<pcre2_match_context, pcre2_match_context_free> context(
      pcre2_match_context_create(nullptr));
  if (!data || !context) {
    return false;
  }
  pcre2_set_match_limit(context.get(), kMatchLimit);
  pcre2_set_depth_limit(context.get(), kDepthLimit);
  pcre2_set_heap_limit(context.get(), kHeapLimitKib);
  std::uint64_t stepsLeft = kStepBudget;
  pcre2_set_callout(context.get(), SpendStep, &stepsLeft);
  const auto* text = reinterpret_cast<PCRE2_SPTR>(subject.data());
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
  std::size_t start = 0;
  while (start <= subject.size()) {
    const int rc = pcre2_match(&code, text, subject.size(), start, 0, data.get(), context.get());
    if (rc == PCRE2_ERROR_NOMATCH) {
      return true;
    }
    if (rc < 0) {
      offsets.clear();
      return false;
    }
    offsets.insert(offsets.end(), ovector, ovector + 2 * (groups + 1));
    if (!global) {
      return true;
    }
    // After an empty match the next search starts one byte further, so it cannot match there
    // again.
    start = ovector[1] > ovector[0] ? ovector[1] : ovector[1] + 1;
  }
  return true;
}

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;
RegexObject::RegexObject(const RegexObject& other) = default;
RegexObject& RegexObject::operator=(const RegexObject& other) = default;
RegexObject::RegexObject(RegexObject&&) noexcept = default;
RegexObject& RegexObject::operator=(RegexObject&&) noexcept = default;

bool RegexObject::Create(std::string_view pattern, std::string_view subject, bool caseSensitive,
                         bool multiline, bool global, bool quoteSubstitution) {
  auto state = std::make_shared<State>();
  state->pattern = quoteSubstitution ? SubstituteQuotes(pattern) : std::string(pattern);
  state->subject = std::string(subject);
  // Subjects are raw bytes (UTF-8 or not): byte mode, and a pattern cannot switch UTF on.
  uint32_t options = PCRE2_NEVER_UTF | PCRE2_AUTO_CALLOUT | PCRE2_NO_AUTO_POSSESS;
  options |= caseSensitive ? 0 : PCRE2_CASELESS;
  options |= multiline ? PCRE2_MULTILINE : 0;
  const auto code = Compile(state->pattern, options);
  bool collected = false;
  if (code) {
    pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);  // best effort: the interpreter otherwise
    uint32_t groups = 0;
    pcre2_pattern_info(code.get(), PCRE2_INFO_CAPTURECOUNT, &groups);
    state->groups = groups;
    collected = state->Collect(*code, global);
  }
  state_ = std::move(state);
  return collected;
}

std::string RegexObject::GetPattern() const {
  return state_ ? state_->pattern : std::string();
}

int RegexObject::MatchCount() const {
  return state_ ? static_cast<int>(state_->MatchCount()) : 0;
}

std::string RegexObject::MatchText(int match, int* position) const {
  return State::TextOf(state_.get(), match, 0, position);
}

std::string RegexObject::SubMatchText(int match, int subMatch, int* position) const {
  return State::TextOf(state_.get(), match, subMatch >= 1 ? subMatch : -1, position);
}

int RegexObject::SubMatchCount() const {
  return state_ && state_->MatchCount() > 0 ? static_cast<int>(state_->groups) : 0;
}

std::string RegexObject::Replace(std::string_view replacement) const {
  if (!state_) {
    return {};
  }
  const State& state = *state_;
  std::string result;
  std::size_t copied = 0;
  for (std::size_t m = 0; m < state.MatchCount(); ++m) {
    std::size_t start = 0;
    std::size_t end = 0;
    state.Span(m, 0, start, end);
    result.append(state.subject, copied, start - std::min(start, copied));
    state.Expand(result, replacement, m);
    copied = end;
  }
  return result.append(state.subject, copied);
}

}  // namespace hosting::data
