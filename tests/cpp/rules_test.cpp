// The rule engine: its walks against the engine's own scan, and what a match needs.
#include "rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "unicode.h"

namespace {

using namespace kalvesta::rules;
using kalvesta::regex::LazyRegex;

// ---- the "(?!.*%)" walk against the engine running the whole pattern ----

std::string mark(const kalvesta::regex::Captures& c) { return "<" + std::string(c[1]) + "|" + std::string(c[2]) + ">"; }

constexpr std::string_view kPercentGuard[] = {
    "10:30", "10:30 5%", "10:30%", "10:30\n5%", "10:30\n\n50%", "5% 10:30", "10:30:45", "10:30:45 %",
    "1:2:33 %", "10:30 pm", "10:30\npm", "10:30\n pm", "12:00 % 13:00", "٣:٣٣ x", "١٠:٣٠ %",
    "a 10:30 b 11:45 c\n% 09:15", "x 1:00\n2:00 %\n3:00", "", "%", "\n", "110:300", "9:59%\n9:59",
};

// A clock pattern with the guard, and the same text without it.
constexpr std::string_view kClock =
    R"((?i)\b(\d{1,2}):(\d{2})\b(?!\s*(?:am|pm|a\.m\.|p\.m\.|malam|petang))(?!.*%))";
constinit LazyRegex RE_TIME_NO_MERIDIAN{kClock};
constinit LazyRegex RE_TIME_NO_MERIDIAN_HEAD{without_percent_guard(kClock)};

TEST(replace_unless_percent_follows, agrees_with_the_whole_pattern) {
  for (auto in : kPercentGuard) {
    EXPECT_EQ(replace_unless_percent_follows(in, *RE_TIME_NO_MERIDIAN_HEAD, mark),
              RE_TIME_NO_MERIDIAN->replace_all(in, mark))
        << in;
  }
}

TEST(without_percent_guard, strips_only_the_final_guard) {
  EXPECT_EQ(without_percent_guard("a(?!.*%)"), "a");
  EXPECT_EQ(without_percent_guard("(?!.*%)a"), "(?!.*%)a");
  EXPECT_EQ(RE_TIME_NO_MERIDIAN_HEAD.pattern().size() + 7, RE_TIME_NO_MERIDIAN.pattern().size());
}

// The run-start walk gives exactly what the engine gives when it tries
// every position, also where a letter refuses the first start of a run.
TEST(replace_at_digit_runs, same_matches_as_every_position) {
  const std::string_view texts[] = {
      "012-3456", "x123-45", "ab12-34 5-6", "1-23a", "123-5a", "1-1-1-1a", "+60-12-345 +6012",
      "A1-2", "--5 5--6 7-", "12-34-56-", "\u0663-\u0664 \u0663\u0664-5", "9-8-7 x9-8y 9-8",
      "1+2-3", "1-2.5-6",
  };
  auto echo = [](const kalvesta::regex::Captures& c) { return "[" + std::string(c.group(1)) + "]"; };
  for (auto t : texts) {
    EXPECT_EQ(replace_at_digit_runs(t, *RE_DASHED, echo), RE_DASHED->replace_all(t, echo)) << t;
  }
}

// The words-near-digits walk gives what the engine's scan of every word
// gives, for a reader that leaves words without an ASCII digit as written;
// it reports a change exactly when the text changed.
TEST(replace_words_with_digits, same_as_every_word) {
  const std::string_view texts[] = {
      "", "abc", "b2b", "a b2b c", "x86_64 and mp3", "1", "-5", "a-5-b", "é5 ü", "5é",
      "a→b→c→4", "→→4x", "k9 k9", "__1", "x\u0663y", "ab-\u0663 2", "12 ab 34 cd",
      "aa.bb5,cc6", "%4%", "word\u00AD7", "一2三", "ſ1 \u212A2",
  };
  auto mark = [](const kalvesta::regex::Captures& c) {
    std::string_view w = c[0];
    return w.find_first_of("0123456789") == std::string_view::npos ? std::string(w) : "<" + std::string(w) + ">";
  };
  for (auto t : texts) {
    const std::string want = RE_ALNUM->replace_all(t, mark);
    std::string out = "stale";
    const bool changed = replace_words_with_digits(t, *RE_ALNUM, mark, out);
    EXPECT_EQ(changed, want != t) << t;
    EXPECT_EQ(changed ? out : std::string(t), want) << t;
    // and so does the pass runner, which skips the walk in a text without a digit
    const Pass words[] = {{RE_ALNUM, +mark, nullptr, replace_words_with_digits}};
    EXPECT_EQ(run_passes(std::string(t), words), want) << t;
  }
}

// The code-start walk gives the engine's own matches of a money pattern.
constinit LazyRegex RE_MONEY{R"((?i)(?<![^\W\p{Ideographic}])(RM|Rp|\$|£|€|USD|EUR|GBP|MYR|IDR)\s?([\d,]+|\.\d+))"};

TEST(replace_after_codes, same_matches_as_the_engine) {
  const std::string_view texts[] = {
      "", "RM5", "rm 5 and $6", "xRM5 _RM5 5RM5", "(RM5)", "RM5RM6", "usd 7, Eur 8, gBp 9, MYR 1, idr 2, Rp3",
      "US$5", "$$5", "RM,", "R", "RM", "harga RM 1,500", "Uſd 5", "€5 £6", "价格RM5", "RMx5 RP.5", "\x04" "5",
      "RMx RM5 usd", "rmrm5 $ 5 RM 6", "USDx €5 RM6", "Eur 8 ſ $9", "1234567 RM5 12345_RM5 123456:$5",
      "0123456789abcde RM5", "0123456789abcdefRM5 RM6", "0123456789abcde\u00a35", "0123456789abcde$5",
  };
  auto mark = [](const kalvesta::regex::Captures& c) { return "<" + std::string(c[1]) + "|" + std::string(c[2]) + ">"; };
  for (auto t : texts) {
    std::string out;
    const std::string want = RE_MONEY->replace_all(t, mark);
    EXPECT_EQ(replace_after_codes(t, *RE_MONEY, mark, out) ? out : std::string(t), want) << t;
    if (next_code_start(t, 0) == std::string_view::npos) { EXPECT_EQ(want, t) << t; }
  }
}

}  // namespace

// ---- what a match needs ----

struct NeedsCase {
  std::string_view pattern;
  bool digit;
  std::string_view bytes;    // ASCII bytes every match holds
  std::string_view letters;  // letters it holds in either case
};
constexpr NeedsCase kNeeds[] = {
    {R"(\b(\d+(?:\.\d+)?)%)", true, "%", ""},
    {R"(\d{1,3}(?:,\d{3})+)", true, ",", ""},
    {"abc|abd", false, "ab", ""},
    {"a{0,3}b?c*(?:d)+e{2}f{1,}", false, "def", ""},
    {R"((?i)\bNo\.\s)", false, ".", "no"},
    {R"((?i)(RM|Rp)sk\$)", false, "$", "r"},  // "k" and "s" also match the Kelvin sign and the long s
    {R"((?<!\d)x(?=\d)(?!y))", false, "x", ""},
    {R"([\d]|[^\d]\d|(?<n>\d))", true, "", ""},
    {R"([+\d]+\p{L}\s)", false, "", ""},
    {R"(a\Kb)", false, "", ""},  // unknown escapes: nothing
    {R"(a(?x)b)", false, "", ""},
};

TEST(needs_of, reads_what_every_match_holds) {
  for (const auto& c : kNeeds) {
    Needs want;
    want.digit = c.digit;
    for (char b : c.bytes) want.bytes[b / 64] |= std::uint64_t{1} << (b % 64);
    for (char l : c.letters) want.letters |= std::uint32_t{1} << (l - 'a');
    Needs got = needs_of(c.pattern);
    EXPECT_EQ(got.digit, want.digit) << c.pattern;
    EXPECT_EQ(got.bytes, want.bytes) << c.pattern;
    EXPECT_EQ(got.letters, want.letters) << c.pattern;
  }
}

// An alternation needs one item of each branch; "k", "s" under (?i) and
// characters beyond ASCII count as met by any non-ASCII text.
struct OneOfCase { std::string_view pattern, text; bool may_match; };
constexpr OneOfCase kOneOf[] = {
    {R"((?i)\b(exit|gate|bus\s+no)\s+\d+)", "年 5", false},
    {R"((?i)\b(exit|gate|bus\s+no)\s+\d+)", "BUS 5", true},
    {"x(?:£|€)", "x y", false}, {"x(?:£|€)", "x é", true}, {R"((?i)(?:£|€)\d)", "5 $", false},
    {R"((?i)sk)", "Q", false}, {R"((?i)sk)", "\u017F", true},
    {"(?i)\u212A", "k", true},  // a character beyond ASCII under (?i): it or an ASCII letter
    {"(?:a|)b", "b", true},  // an empty branch needs nothing
    {R"(\d[/\-.]\d)", "1 2", false},  // a class of plain items needs one of them
    {R"(\d[/\-.]\d)", "1-2", true}, {R"((?i)[\dk])", "x", false}, {R"((?i)[\dk])", "\u212A", true},
    {R"([a-c])", "x", true},  // ranges and other classes need nothing
    {R"([\w.])", "x", true},
    // a digit of another script is a digit; nothing before U+0660 is
    {R"(\d)", "é ü", false}, {R"(\d)", "\u0663", true}, {R"(\d)", "\uFF15", true}, {R"(\d)", "\u0800", false},
    {R"(\d)", "你好", false}, {R"(\d)", "\u0966", true}, {R"(\d)", "\uA620", true}, {R"(\d)", "\U0001D7CE", true},
};

TEST(needs_of, one_item_of_each_branch) {
  for (const auto& c : kOneOf) {
    // and the same when repeated past the length that short texts are read in
    std::string longer;
    while (longer.size() < 32) longer += c.text;
    EXPECT_EQ(Holds(c.text).may_match(needs_of(c.pattern)), c.may_match) << c.pattern << " on " << c.text;
    EXPECT_EQ(Holds(longer).may_match(needs_of(c.pattern)), c.may_match) << c.pattern << " on " << longer;
  }
}

// Every character the patterns' \d matches is held as a digit.
TEST(Holds, every_digit_the_patterns_see) {
  const kalvesta::regex::Regex digit(R"(\d)");
  const Needs needs = needs_of(digit.pattern());
  for (char32_t c = 0x80; c < 0x20000; ++c) {
    const std::string text = "x" + kalvesta::unicode::to_utf8(c);
    if ((c < 0xD800 || c > 0xDFFF) && !Holds(text).may_match(needs)) { ASSERT_FALSE(digit.is_match(text)) << std::hex << static_cast<unsigned>(c); }
  }
}
