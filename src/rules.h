// The rule engine every language runs: the pass type and its runner, the
// linear walks some passes need, the patterns several languages share, and
// the readings several languages share (parameterised by their words).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "num2word.h"
#include "regex.h"

namespace kalvesta::rules {

using Reader = std::string (*)(const regex::Captures&);

// What every match of a pattern holds: a decimal digit (the dialect's \d),
// ASCII bytes (bit b of `bytes[b / 64]`) and ASCII letters in either case
// (bit 0 for "a"). A text without one of them holds no match, so the scan
// can be skipped.
struct Needs {
  bool digit = false;
  std::array<std::uint64_t, 2> bytes{};
  std::uint32_t letters = 0;
  // And at least one of these, when `set`: a digit, a character beyond
  // ASCII, or one of the bytes or letters (‘RM|\$|£’ needs "r", "$" or more
  // than ASCII).
  struct OneOf {
    bool set = false;
    bool digit = false;
    bool non_ascii = false;
    std::array<std::uint64_t, 2> bytes{};
    std::uint32_t letters = 0;
  } one_of;
};
// Read off the pattern text: the items outside look-arounds that no
// quantifier makes optional, common to every branch of an alternation; for
// an alternation, also one item of each branch.
// Letters under (?i) need their letter in either case, except "k" and "s"
// (the Kelvin sign and the long s match them); anything the reading is
// unsure of needs nothing.
Needs needs_of(std::string_view pattern);

// What one text holds, in the terms of Needs.
class Holds {
 public:
  explicit Holds(std::string_view text);
  // False only when no match of a pattern with these needs can be in the text.
  bool may_match(const Needs& needs) const {
    const Needs::OneOf& any = needs.one_of;
    return (!needs.digit || held_.digit) && (needs.bytes[0] & ~held_.bytes[0]) == 0 &&
           (needs.bytes[1] & ~held_.bytes[1]) == 0 && (needs.letters & ~held_.letters) == 0 &&
           (!any.set || (any.digit && held_.digit) || (any.non_ascii && non_ascii_) ||
            (any.bytes[0] & held_.bytes[0]) != 0 || (any.bytes[1] & held_.bytes[1]) != 0 ||
            (any.letters & held_.letters) != 0);
  }

 private:
  Needs held_;
  bool non_ascii_ = false;
};

// A replaced text built into `out` only once a replacement differs from its
// match: a pass whose matches all read as written copies nothing.
class Rewrite {
 public:
  Rewrite(std::string_view text, std::string& out) : text_(text), out_(out) {}
  // The match text[start, end) replaced by `with`; matches come in order.
  void put(std::size_t start, std::size_t end, std::string_view with) {
    if (!changed_) {
      if (with == text_.substr(start, end - start)) return;
      changed_ = true;
      out_.clear();
      out_.reserve(text_.size() + text_.size() / 4 + with.size());
    }
    out_.append(text_.substr(copied_, start - copied_));
    out_.append(with);
    copied_ = end;
  }
  // Whether the text changed; `out` then holds it whole.
  bool finish() {
    if (changed_) out_.append(text_.substr(copied_));
    return changed_;
  }

 private:
  std::string_view text_;
  std::string& out_;
  std::size_t copied_ = 0;
  bool changed_ = false;
};

// Every match of `re` replaced by f(const Captures&), as Regex::replace_all
// does, into `out` (which must not hold `text`); false, and `out` untouched,
// when no replacement changed anything.
template <class F>
bool replace_into(std::string_view text, const regex::Regex& re, std::string& out, F&& f) {
  Rewrite rw(text, out);
  re.for_each(text, [&](const regex::Captures& caps) {
    const auto& with = f(caps);
    rw.put(caps.start(0), caps.end(0), with);
  });
  return rw.finish();
}

// A text that rows of passes rewrite in turn, knowing what it holds: worked
// out when first asked, again only after a pass changed the text.
class GatedText {
 public:
  explicit GatedText(std::string_view text) : text_(text) {}
  bool may_match(const Needs& needs) {
    if (!holds_) holds_.emplace(text_);
    return holds_->may_match(needs);
  }
  const std::string& text() const { return text_; }
  void update(std::string next) {
    if (next == text_) return;
    text_ = std::move(next);
    holds_.reset();
  }
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
  std::optional<Holds> holds_;
};

// The needs of every row's pattern, pattern_of(row) giving its text.
template <class Row, std::size_t N, class PatternOf>
std::array<Needs, N> needs_of_rows(const Row (&rows)[N], PatternOf pattern_of) {
  std::array<Needs, N> out;
  for (std::size_t i = 0; i < N; ++i) out[i] = needs_of(pattern_of(rows[i]));
  return out;
}

// A pattern text without its final "(?!.*%)" (unchanged when it has none).
constexpr std::string_view without_percent_guard(std::string_view pattern) {
  constexpr std::string_view guard = "(?!.*%)";
  return pattern.ends_with(guard) ? pattern.substr(0, pattern.size() - guard.size()) : pattern;
}

// The matches of `head` + "(?!.*%)" replaced by read(): a match followed by
// a "%" before the next line feed is refused and the search goes on from the
// next character. The engine would rescan the rest of the line for every
// candidate (quadratic on one long line); this walk finds each "%" and line
// feed once. `head` must never match the empty text.
std::string replace_unless_percent_follows(std::string_view text, const regex::Regex& head, Reader read);

// The matches of the dashed-digits pattern "(?<![A-Za-z])([+\d]+(?:-[\d]+)+)
// (?![A-Za-z])" replaced by read(). Every start inside one run of "+" and
// digits gives the same match end, so the pattern is tried only at the start
// of each run and one character later (where a letter before the run refuses
// the first); the engine itself would retry each position of a long run that
// does not match, quadratic in the run's length.
std::string replace_at_digit_runs(std::string_view text, const regex::Regex& dashed, Reader read);

// The matches of a word pattern ("\b[\w-]+\b": never empty, and no match
// holds an ASCII byte other than "-", "_", a letter or a digit) replaced by a
// read() that returns a match without an ASCII digit as it is. Only the
// words near digits change, so the engine starts only after the last byte
// before a digit that no match can hold: no match spans that byte, and the
// ones before it read as written.
std::string replace_words_with_digits(std::string_view text, const regex::Regex& word, Reader read);


// The first position from `from` on where a money pattern's match can
// start: a currency code ("RM", "Rp", "$", "USD", "EUR", "GBP", "MYR",
// "IDR", any letter case) after no ASCII letter, digit or "_"; or, at the
// first character beyond ASCII, two characters before it (a code may be
// written with one). npos when there is none.
std::size_t next_code_start(std::string_view text, std::size_t from);

// Whether a scale suffix may follow an amount: an ASCII digit, then ASCII
// blanks or none, then a letter a suffix starts with ("k", "m", "b", "t",
// "r", "j", either case), or a blank beyond ASCII (or the Kelvin sign) in
// place of that letter; or a digit beyond ASCII anywhere.
bool may_hold_scale(std::string_view text);

// The matches of a money pattern (never empty; every match starts with one
// of those codes, which no word character comes before) replaced by read():
// the engine searches only from where a code starts, and not at all in a
// text without one.
std::string replace_after_codes(std::string_view text, const regex::Regex& money, Reader read);

// The walks into `out`, as replace_into: false when nothing changed.
bool replace_unless_percent_follows(std::string_view text, const regex::Regex& head, Reader read, std::string& out);
bool replace_at_digit_runs(std::string_view text, const regex::Regex& dashed, Reader read, std::string& out);
bool replace_words_with_digits(std::string_view text, const regex::Regex& word, Reader read, std::string& out);
bool replace_after_codes(std::string_view text, const regex::Regex& money, Reader read, std::string& out);

// How a pass finds and replaces its matches when the engine's own scan would
// be too slow: one of the walks above, or a language's own. It writes into
// `out` as replace_into does, and says whether the text changed.
using Walk = bool (*)(std::string_view text, const regex::Regex& re, Reader read, std::string& out);

// Neighbouring characters a pass's every match holds (a character beyond
// ASCII counting as any digit, blank or letter), read off the text in one
// walk when a pass asks; a bit set of:
enum Near : std::uint8_t {
  kDigitMarkDigit = 1,  // a digit, one of ":.,/-", a digit (‘10:30’, ‘1,500’, ‘5/3’)
  kDotDigit = 2,        // "." then a digit (‘.5’, ‘3.14’)
  kDigitBlank = 4,      // a digit, blanks, a digit (‘1 2’)
  kDigitWord = 8,       // a digit, blanks or none, one of "abjkmnprst" in either case (‘3pm’, ‘5 rb’, ‘2K’)
  kDigitRbJt = 16,      // a digit, blanks or none, "rb" or "jt" in either case (‘10rb’, ‘5 JT’)
  kDigitCommaDigit = 32,  // a digit, ",", a digit (‘1,500’, ‘12,5’)
  kDigitPeriod = 64,      // a digit, blanks or none, one of "apmst" in either case (‘3pm’, ‘8 malam’)
  kDigitDate = 128,       // a digit, one of "/-.", digits, one of "/-.", a digit (‘5/3/24’, ‘2024-03-05’)
};
std::uint8_t near_of(std::string_view text);

// One rule pass: every match of `re` replaced by read(). A clock pattern that
// ends in "(?!.*%)" also names its `head` and runs through
// replace_unless_percent_follows; a pass with a `walk` runs through it.
struct Pass {
  const regex::LazyRegex& re;
  Reader read;
  const regex::LazyRegex* head = nullptr;
  Walk walk = nullptr;
  Needs needs = needs_of(head ? head->pattern() : re.pattern());
  std::uint8_t near = 0;  // Near bits every match holds: a text lacking one is skipped
};
// The passes in order, each over the previous output, in two buffers that
// swap only when a pass changed the text; a pass whose needs or neighbours
// the text lacks is skipped, and the code walks of one table share where
// the first code starts.
// What a caller already worked out about the very text it hands over.
struct Known {
  std::optional<Holds> holds;
  std::size_t first_code = std::string_view::npos - 1;  // not asked yet
};
// `after`, when given, learns what was worked out about the text returned.
std::string run_passes(std::string text, std::span<const Pass> passes, Known known = {}, Known* after = nullptr);

// ---- patterns several languages run ----

extern constinit regex::LazyRegex RE_DATE_YMD;
extern constinit regex::LazyRegex RE_DATE;
extern constinit regex::LazyRegex RE_PERCENT;
// A comma-grouped number with a fraction; the decimal and percent passes
// would otherwise read only the last group with it (‘7,654.32’ as ‘7,’ and
// 654.32), so its commas are dropped first.
extern constinit regex::LazyRegex RE_GROUPED_DECIMAL;
// The comma of a number whose first group is a lone zero (‘0,001’): no
// grouped number starts so, so it is a decimal mark; zero_point makes it ".".
extern constinit regex::LazyRegex RE_ZERO_COMMA;
std::string zero_point(const regex::Captures& c);
// A grouped number glued to letters (‘1,000th’), ungrouped for the mixed-token pass.
extern constinit regex::LazyRegex RE_GROUPED_ALNUM;
// The whole match without its commas.
std::string ungrouped(const regex::Captures& c);
// Whole part (group 1, empty in a leading-dot ‘.5’) and fraction (group 2).
extern constinit regex::LazyRegex RE_DECIMAL;
// Run through replace_at_digit_runs.
extern constinit regex::LazyRegex RE_DASHED;
extern constinit regex::LazyRegex RE_COMMA_NUM;
extern constinit regex::LazyRegex RE_ADJACENT;
extern constinit regex::LazyRegex RE_NUMBER;
extern constinit regex::LazyRegex RE_ALNUM;

// ---- readings several languages share, parameterised by their words ----

// Month names keyed "1".."12"; digit words indexed by digit value.
using MonthTable = std::array<std::pair<std::string_view, std::string_view>, 12>;
using DigitWords = std::array<std::string_view, 10>;

// The name of a month group (leading "0"s ignored), nothing when it has none.
std::optional<std::string_view> month_name(std::string_view month, const MonthTable& table);
// "{day} {month} {year}"; a month without a name stays as written.
std::string read_date(std::string_view day, std::string_view month, std::string_view year,
                      const MonthTable& table, const num2word::NumberVocab& vocab);
// A clock hour or minute: ASCII digits (optional "+"), anything else 0.
unsigned read_small(std::string_view text);
// Whether a written day and month can name a calendar day (day 1 to 31,
// month 1 to 12); anything else is left to the number passes.
constexpr bool is_day_and_month(u128 day, u128 month) {
  return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}
// A clock time from groups 1 to 3 (hour, minutes, optional seconds): the
// hour, the minutes unless 0, and with seconds all three (‘1:00:05’ reads 1 0 5).
std::string read_clock_words(const regex::Captures& c, const num2word::NumberVocab& vocab);
// The same without a period word: midnight and noon have their own words.
std::string read_clock(const regex::Captures& c, const num2word::NumberVocab& vocab);
// Each character as its digit word; anything but an ASCII digit reads as 0.
std::string digit_by_digit(std::string_view text, const num2word::NumberVocab& vocab);
// cardinal(parse_num(text)).
std::string read_number(std::string_view text, const num2word::NumberVocab& vocab);
// A plain digit run: digit by digit from five bytes on, else one cardinal.
std::string read_digit_run(std::string_view run, const num2word::NumberVocab& vocab);
// The ASCII digits of a dashed group, one per word ("012-3" -> "0 1 2 3").
std::string spread_digits(std::string_view group);
// Adjacent digit groups joined: every U+0020 removed, other whitespace kept.
std::string join_digit_groups(std::string_view match);
// A token with a letter and an ASCII digit spelt out character by character.
std::string mixed_alnum(std::string_view token, const DigitWords& digits);

}  // namespace kalvesta::rules
