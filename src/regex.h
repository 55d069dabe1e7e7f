// The pattern layer: every rule pass matches through it. Patterns are written
// in the dialect the rules are quoted in (Unicode \w \b \s \d, "$" = end of
// text, leftmost-first backtracking) and run on PCRE2; see regex.cpp for the
// translation. Only regex.cpp includes pcre2.h. A run marker "(?Cn)" (n = 1..4)
// before a repeated class or escape says that a try failing there rules out
// the later starts inside that run (see regex.cpp): long runs stay linear.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kalvesta::regex {

class Regex;
class Captures;

// For tests: the fixed patterns compiled so far (first use order), and a
// search forced onto one of a pattern's two compiles.
namespace detail {
void register_fixed(const Regex* re);
std::vector<const Regex*> registered();
bool has_byte_form(const Regex& re);
bool find_in_form(const Regex& re, std::string_view text, std::size_t start, Captures& caps, bool byte_form);
// Whether the gate before a scan (PCRE2's first code units, required code
// unit and minimum length) rules a match out; and a search that skips it.
bool gate_refuses(const Regex& re, std::string_view text, std::size_t start, bool anchored, bool byte_form);
bool find_in_form_ungated(const Regex& re, std::string_view text, std::size_t start, Captures& caps, bool anchored,
                          bool byte_form);
// The pattern as handed to the byte-mode compile.
std::string byte_mode_source(std::string_view pattern);
// The pattern a start gate is read from (empty: none).
std::string gate_source(std::string_view pattern);
}  // namespace detail

// The groups of one match. Offsets are byte offsets into the subject.
// A group that took no part in the match (or does not exist) reads as the
// empty text, with start and end 0: test matched() before using offsets.
class Captures {
 public:
  Captures() = default;

  std::string_view subject() const { return subject_; }
  std::size_t size() const { return count_; }  // groups, group 0 included

  bool matched(std::size_t i) const;
  std::string_view group(std::size_t i) const;
  std::string_view operator[](std::size_t i) const { return group(i); }
  std::size_t start(std::size_t i = 0) const;
  std::size_t end(std::size_t i = 0) const;

  // Named groups; an unknown name reads as a group that did not take part.
  bool matched(std::string_view name) const;
  std::string_view group(std::string_view name) const;
  std::string_view operator[](std::string_view name) const { return group(name); }

 private:
  friend class Regex;
  static constexpr std::size_t kUnset = static_cast<std::size_t>(-1);
  struct MatchDataFree {
    MatchDataFree() noexcept : reusable(true) {}
    bool reusable;  // false once the interpreter may have kept its frames in the block
    void operator()(void* md) const;
  };
  const Regex* re_ = nullptr;
  std::string_view subject_;
  std::size_t count_ = 0;
  // The match block of the last match (owned, reused by the next find_at on
  // these captures) and its offset pairs; PCRE2_UNSET for a group that did
  // not take part.
  std::unique_ptr<void, MatchDataFree> md_;
  const std::size_t* ovector_ = nullptr;
  std::size_t md_pairs_ = 0;
  // What is known about the subject these captures last walked: checked once
  // per text instead of once per match.
  const char* checked_data_ = nullptr;
  std::size_t checked_size_ = 0;
  bool checked_ascii_ = false;
  bool checked_valid_ = false;
  // Where the last scan for a pattern's required byte found it (kUnset:
  // absent from req_from_ on).
  const Regex* req_re_ = nullptr;
  const char* req_data_ = nullptr;
  std::size_t req_size_ = 0, req_from_ = 0, req_at_ = kUnset;
};

class Regex {
 public:
  // Compiles the pattern; a pattern that does not compile is an internal
  // failure (fixed patterns always compile).
  explicit Regex(std::string_view pattern);
  // `needs`: bytes every match holds at least one of (outside look-arounds).
  // A text without any of them after the search start is not searched: a
  // pattern that would try every position of a long run of other characters,
  // each try scanning to the run's end, then costs one scan.
  Regex(std::string_view pattern, std::string_view needs);
  // For patterns built from caller data: nothing when it does not compile.
  static std::unique_ptr<Regex> try_compile(std::string_view pattern);
  // The same, with PCRE2's message and offset in `error` on failure.
  static std::unique_ptr<Regex> try_compile(std::string_view pattern, std::string& error);

  Regex(const Regex&) = delete;
  Regex& operator=(const Regex&) = delete;
  ~Regex();

  const std::string& pattern() const { return pattern_; }
  std::size_t group_count() const;          // capturing groups, group 0 excluded
  int group_index(std::string_view name) const;  // -1 when there is no such group

  bool is_match(std::string_view text) const;
  // First match at or after byte offset `start`; false when there is none.
  // The text is checked once per Captures object: reuse one Captures across
  // the calls of a loop over the same text (a fresh one per call rescans).
  bool find_at(std::string_view text, std::size_t start, Captures& caps) const;
  // A match that starts exactly at byte offset `start` (look-behinds still
  // see the text before it); false when there is none.
  bool match_at(std::string_view text, std::size_t start, Captures& caps) const;
  std::optional<Captures> captures(std::string_view text) const;

  // Calls f(const Captures&) for every match, left to right without overlap;
  // an empty match directly at the end of the previous match is skipped.
  // f may return void, or bool (false stops the walk).
  template <class F>
  void for_each(std::string_view text, F&& f) const;

  // Every match replaced by f(const Captures&) (anything appendable to a
  // std::string); the text between matches is copied.
  template <class F>
  std::string replace_all(std::string_view text, F&& f) const;

  // Every match replaced by the expansion of the template (see expand).
  std::string replace_all_template(std::string_view text, std::string_view tmpl) const;

  // Template expansion: "$$" -> "$"; "$name" takes the longest run of
  // [A-Za-z0-9_] (a number is a group index), "${name}" a braced name; a
  // group that did not take part or does not exist gives the empty text; a
  // "$" that starts no reference stays as it is.
  void expand(const Captures& caps, std::string_view tmpl, std::string& out) const;

 private:
  struct Impl;
  Regex() = default;
  bool compile(std::string_view pattern, std::string* error);
  bool search(std::string_view text, std::size_t start, Captures& caps, std::uint32_t options) const;
  // The match itself, on the byte-mode compile or the Unicode one.
  bool run(std::string_view text, std::size_t start, Captures& caps, std::uint32_t options, bool byte_form,
           bool gated = true) const;
  // `first`: where the first possible start lies, when the gate knows more
  // about it than the engine.
  bool may_match(std::string_view text, std::size_t start, Captures& caps, bool anchored, bool byte_form,
                 std::size_t* first = nullptr) const;
  friend bool detail::gate_refuses(const Regex&, std::string_view, std::size_t, bool, bool);
  friend bool detail::find_in_form_ungated(const Regex&, std::string_view, std::size_t, Captures&, bool, bool);
  friend bool detail::has_byte_form(const Regex&);
  friend bool detail::find_in_form(const Regex&, std::string_view, std::size_t, Captures&, bool);
  std::string pattern_;
  std::string needs_;
  std::unique_ptr<Impl> impl_;
  friend class Captures;
};

// A fixed pattern compiled once per process, on first use, and read-only
// afterwards. Declare at namespace scope: constinit LazyRegex RE_X{"..."};
class LazyRegex {
 public:
  explicit constexpr LazyRegex(std::string_view pattern, std::string_view needs = {})
      : pattern_(pattern), needs_(needs) {}
  LazyRegex(const LazyRegex&) = delete;
  LazyRegex& operator=(const LazyRegex&) = delete;

  const Regex& get() const {
    std::call_once(once_, [this] {
      re_ = new Regex(pattern_, needs_);  // lives until exit
      detail::register_fixed(re_);
    });
    return *re_;
  }
  const Regex& operator*() const { return get(); }
  const Regex* operator->() const { return &get(); }
  std::string_view pattern() const { return pattern_; }

 private:
  std::string_view pattern_;
  std::string_view needs_;
  mutable std::once_flag once_;
  mutable const Regex* re_ = nullptr;
};

// While one of these lives on a thread, every text the layer sees there is
// taken to be valid UTF-8: the Python boundary guarantees it for each
// argument, and the passes join only whole characters. A walk then only
// looks whether its text is ASCII (stopping at the first byte that is not)
// instead of checking the whole encoding again. Outside, text that is not
// UTF-8 is an InternalFailure.
class TrustedUtf8 {
 public:
  TrustedUtf8();
  ~TrustedUtf8();
  TrustedUtf8(const TrustedUtf8&) = delete;
  TrustedUtf8& operator=(const TrustedUtf8&) = delete;
};

// Patterns compiled so far in this process (tests use it to show that warm
// calls compile nothing).
std::uint64_t compile_count();

// Every pattern metacharacter of the text gets a backslash, so that the
// result matches the text itself.
std::string escape(std::string_view text);

// ---- implementation of the templates ----

namespace detail {
// Byte length of the UTF-8 character starting at text[pos] (1 at the end).
std::size_t char_len_at(std::string_view text, std::size_t pos);
// The PCRE2 form of a dialect pattern (exposed for tests).
std::string translate(std::string_view pattern);
}  // namespace detail

template <class F>
void Regex::for_each(std::string_view text, F&& f) const {
  Captures caps;
  std::size_t pos = 0;
  std::size_t last_match_end = Captures::kUnset;
  while (pos <= text.size()) {
    if (!find_at(text, pos, caps)) break;
    std::size_t s = caps.start(0), e = caps.end(0);
    if (s == e) {
      // Rust rule: an empty match right where the previous match ended is
      // not reported; move on by one character.
      pos = e + detail::char_len_at(text, e);
      if (e == last_match_end) continue;
    } else {
      pos = e;
    }
    last_match_end = e;
    if constexpr (std::is_same_v<decltype(f(caps)), bool>) {
      if (!f(caps)) break;
    } else {
      f(caps);
    }
  }
}

template <class F>
std::string Regex::replace_all(std::string_view text, F&& f) const {
  std::string out;
  std::size_t copied = 0;
  bool any = false;
  for_each(text, [&](const Captures& caps) {
    if (!any) {
      out.reserve(text.size() + text.size() / 4);
      any = true;
    }
    out.append(text.substr(copied, caps.start(0) - copied));
    out += f(caps);
    copied = caps.end(0);
  });
  if (!any) return std::string(text);
  out.append(text.substr(copied));
  return out;
}

}  // namespace kalvesta::regex
