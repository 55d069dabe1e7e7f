// Tests of the pattern layer: the dialect points, match iteration, templates,
// escaping, named groups, matching limits and the ASCII fast path.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <cctype>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "options.h"
#include "pipeline.h"
#include "regex.h"
#include "result.h"
#include "rules.h"

using kalvesta::InternalFailure;
using kalvesta::regex::Captures;
using kalvesta::regex::escape;
using kalvesta::regex::Regex;

namespace {

constexpr const char* kNone = "<none>";

std::string first_match(const Regex& re, std::string_view text) {
  auto caps = re.captures(text);
  return caps ? std::string(caps->group(0)) : kNone;
}

std::vector<std::pair<std::size_t, std::size_t>> spans(const Regex& re, std::string_view text) {
  std::vector<std::pair<std::size_t, std::size_t>> out;
  re.for_each(text, [&](const Captures& c) { out.emplace_back(c.start(0), c.end(0)); });
  return out;
}

}  // namespace

TEST(Regex, DialectPoints) {
  struct Case { const char* pattern; const char* subject; const char* want; };  // want: first match, or kNone
  const Case cases[] = {
      {R"(\w+)", "e\u0301te\u0301 x", "e\u0301te\u0301"},  // combining accents are word characters
      {R"(\w+)", "x² y", "x"},                              // "²" is No, not a word character
      {R"(\w+)", "a\u200db", "a\u200db"},                    // Join_Control
      {R"(e\b)", "e\u0301", kNone},  // no boundary between a letter and its mark
      {R"(a\B)", "a!", kNone}, {R"(\d+)", "no ٣٤ here", "٣٤"}, {R"(\d)", "²", kNone}, {R"(\s)", "a\u3000b", "\u3000"},
      {R"(\s)", "a\u180eb", kNone},  // not White_Space
      {R"(a$)", "a\n", kNone},       // "$" is the end of the text only
      {R"(.)", "\n", kNone}, {R"(.)", "\r", "\r"},
      {R"((?i)[a-z]+)", "\u212a\u017f!", "\u212a\u017f"},  // simple folds of k and s
      {R"((?i)σ+)", "ΣσςX", "Σσς"}, {R"(\W+)", "é!?a", "!?"}, {R"([^\w]+)", "é!?a", "!?"},
      {R"([\w-]+)", "!ab-é_c!", "ab-é_c"}, {R"([\W\d]+)", "ab3!c", "3!"}, {R"([^\W\d]+)", "3ab_é4", "ab_é"},
      {R"([\s,]+)", "a,\u00a0 b", ",\u00a0 "}, {R"([^\s]+)", "\u3000ab ", "ab"},
      {R"([]a]+)", "x]a]", "]a]"},  // a leading "]" is a literal
      {R"(\\w)", "a\\w", "\\w"},    // an escaped backslash then a plain "w"
      {R"([\\w]+)", "a\\w", "\\w"},
      {R"(\b(?P<word>\w+)\b(?: \k<word>){3,})", "ok ya ya ya ya tidak", "ya ya ya ya"},
      {R"((\w)\1)", "abccd", "cc"},
      // A Chinese character beside a digit or a Latin letter is a word boundary.
      {R"(\b\d+\s*kg\b)", "重量是25kg", "25kg"}, {R"(\b\w+?\b)", "中文abc", "中文"}, {R"(\b\d+\b)", "x25y 7", "7"},
      {R"(文\B)", "中文字", "文"}, {R"(文\B)", "中文a", kNone}, {R"(a\B)", "a中", kNone},
  };
  for (const auto& c : cases) {
    Regex re(c.pattern);
    EXPECT_EQ(first_match(re, c.subject), c.want) << "pattern " << c.pattern << " on " << c.subject;
  }
}

TEST(Regex, IterationFollowsEmptyMatchRule) {
  using Spans = std::vector<std::pair<std::size_t, std::size_t>>;
  struct Case { const char* pattern; const char* subject; Spans want; };
  const Case cases[] = {
      {"a*", "baaa", {{0, 0}, {1, 4}}},
      {"", "é", {{0, 0}, {2, 2}}},  // never inside a character
      {"x*", "ééx", {{0, 0}, {2, 2}, {4, 5}}}, {"a|", "ab", {{0, 1}, {2, 2}}},
      {"(?m)^", "a\nb\n", {{0, 0}, {2, 2}, {4, 4}}},
  };
  for (const auto& c : cases) {
    Regex re(c.pattern);
    EXPECT_EQ(spans(re, c.subject), c.want) << "pattern " << c.pattern << " on " << c.subject;
  }
  int seen = 0;
  Regex(R"(\d)").for_each("1 2 3 4", [&](const Captures&) { return ++seen < 2; });
  EXPECT_EQ(seen, 2);  // the callback stops the walk
}

TEST(Regex, FindAtKeepsLookBehindContext) {
  Regex re(R"((?<=a)b)");
  Captures caps;
  ASSERT_TRUE(re.find_at("ab", 1, caps));
  EXPECT_EQ(caps.start(0), 1u);
  EXPECT_FALSE(re.find_at("ab", 3, caps));
  // A start inside a character moves on to the next one.
  ASSERT_TRUE(Regex(".").find_at("éx", 1, caps));
  EXPECT_EQ(caps.group(0), "x");
}

TEST(Regex, TemplateExpansion) {
  // Rows the slow reading below does not reach.
  Regex re(R"((\d+)(?:-(?P<x>[a-z]+))?)");
  EXPECT_EQ(re.replace_all_template("12-ab", "US$5"), "US");
  EXPECT_EQ(re.replace_all_template("12-ab", "$1é"), "12é");
  EXPECT_EQ(re.replace_all_template("12-ab", "$99999999999999999999999"), "");
  EXPECT_EQ(re.replace_all_template("1 and 2-b", "#$1$x"), "#1 and #2b");
}


// A slow, plain reading of the template rules, for one fixed match of
// (\d+)-(?P<x>[a-z]+) on "12-ab": group 0 "12-ab", 1 "12", 2 / x "ab".
std::string slow_expand(const std::string& tmpl) {
  auto lookup = [](std::string name) -> std::string {
    bool numeric = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
    if (numeric) {
      name.erase(0, std::min(name.find_first_not_of('0'), name.size() - 1));
      return name == "0" ? "12-ab" : name == "1" ? "12" : name == "2" ? "ab" : "";
    }
    return name == "x" ? "ab" : "";
  };
  auto name_char = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  std::string out;
  for (std::size_t i = 0; i < tmpl.size();) {
    if (tmpl.compare(i, 2, "$$") == 0) {
      out += '$', i += 2;
    } else if (tmpl.compare(i, 2, "${") == 0 && tmpl.find('}', i) != std::string::npos) {
      std::size_t close = tmpl.find('}', i);
      out += lookup(tmpl.substr(i + 2, close - i - 2)), i = close + 1;
    } else if (tmpl[i] == '$' && i + 1 < tmpl.size() && name_char(tmpl[i + 1])) {
      std::size_t j = i + 1;
      while (j < tmpl.size() && name_char(tmpl[j])) ++j;
      out += lookup(tmpl.substr(i + 1, j - i - 1)), i = j;
    } else {
      out += tmpl[i++];
    }
  }
  return out;
}

TEST(Regex, TemplateExpansionAgreesWithSlowReading) {
  Regex re(R"((\d+)-(?P<x>[a-z]+))");
  auto caps = re.captures("12-ab");
  ASSERT_TRUE(caps);
  const std::string alphabet = "$${}0012xa_ -";
  std::mt19937 rng(7);
  for (int n = 0; n < 20000; ++n) {
    std::string tmpl;
    for (std::size_t len = rng() % 9; len > 0; --len) tmpl += alphabet[rng() % alphabet.size()];
    std::string got;
    re.expand(*caps, tmpl, got);
    ASSERT_EQ(got, slow_expand(tmpl)) << "template " << tmpl;
  }
}

TEST(Regex, EscapedTextMatchesItself) {
  const char* texts[] = {"a.b*c", "(x)[y]{z}", R"(#&-~^$|?+\)", "é.ü (n)", "US$5.00", "  ", "-"};
  for (const char* t : texts) {
    auto re = Regex::try_compile("^" + escape(t) + "$");
    ASSERT_NE(re, nullptr) << "escaped " << t;
    EXPECT_TRUE(re->is_match(t)) << "escaped " << t;
    EXPECT_FALSE(re->is_match(std::string(t) + "x")) << "escaped " << t;
  }
  // Inside a class an escaped "-" stays a literal, not a range.
  Regex cls("[a" + escape("-") + "c]+");
  EXPECT_EQ(first_match(cls, "b-ac"), "-ac");
  EXPECT_EQ(escape("a#b"), "a\\#b");
}

TEST(Regex, NamedGroups) {
  Regex re(R"((?P<day>\d{1,2})/(?<month>\d{1,2})(?:/(?P<year>\d{4}))?)");
  EXPECT_EQ(re.group_index(std::string_view("day\0x", 5)), -1);
  auto caps = re.captures("on 5/12 then");
  ASSERT_TRUE(caps);
  EXPECT_EQ((*caps)["month"], "12");
  EXPECT_FALSE(caps->matched("year"));
  EXPECT_EQ(caps->group(9), "");  // beyond the groups: empty
}

TEST(Regex, BadPatterns) {
  EXPECT_EQ(Regex::try_compile("(unclosed"), nullptr);
  EXPECT_EQ(Regex::try_compile("[\\w"), nullptr);
  EXPECT_THROW(Regex("a{2,1}"), InternalFailure);
  std::string error;
  EXPECT_EQ(Regex::try_compile("a)", error), nullptr);
  EXPECT_NE(error.find("offset 1"), std::string::npos) << error;
}

TEST(Regex, InvalidUtf8IsAFailureNotACrash) {
  Regex re(R"(\w+)");
  EXPECT_THROW(re.is_match("ab\xff"), InternalFailure);
  EXPECT_THROW(re.is_match("\xe4\xb8"), InternalFailure);  // truncated character
  EXPECT_THROW(re.is_match("\xed\xa0\x80"), InternalFailure);  // surrogate
}

TEST(Regex, CatastrophicBacktrackingIsAnInternalFailure) {
  Regex re(R"((a+)+$)");
  std::string text(64, 'a');
  text += 'b';
  EXPECT_THROW(re.is_match(text), InternalFailure);
  // The layer stays usable afterwards.
  EXPECT_TRUE(re.is_match("aaa"));
}

namespace {

// Every match of a walk with all its groups, on one of the two compiles,
// with or without the gate before each search.
using Walk = std::vector<std::vector<std::pair<std::size_t, std::size_t>>>;
Walk walk_in_form(const Regex& re, std::string_view text, bool byte_form, bool gated = true) {
  using namespace kalvesta::regex::detail;
  Walk out;
  Captures caps;
  std::size_t pos = 0, last_end = std::string_view::npos;
  while (pos <= text.size() && (gated ? find_in_form(re, text, pos, caps, byte_form)
                                      : find_in_form_ungated(re, text, pos, caps, false, byte_form))) {
    std::size_t s = caps.start(0), e = caps.end(0);
    pos = s == e ? e + kalvesta::regex::detail::char_len_at(text, e) : e;
    if (s == e && e == last_end) continue;
    last_end = e;
    auto& groups = out.emplace_back();
    for (std::size_t i = 0; i < caps.size(); ++i) {
      groups.emplace_back(caps.matched(i) ? caps.start(i) : 1u << 31, caps.end(i));
    }
  }
  return out;
}

// Seeded mixes of the shapes the passes look for, plain ASCII or not.
std::vector<std::string> mixed_texts(bool ascii_only, std::size_t count) {
  std::vector<std::string> tokens = {
      "Hello,", "world_1!", "foo-bar", "12%", "12.5 %", "x@y.com", "-5", "a-5", "--5", "JALAN 12", "jalan 3/4", "__",
      "9_9", "RM5", "RM 12.50", "$4.50", "USD1,000", "Rp13.500", "2.5B", "5K", "10:30", "7:30 PM", "7.30pm",
      "12/05/2024", "2024-05-12", "May 5, 2024", "https://a.my/b?c=1", "www.x.com", "192.168.1.1", "v1.2.3", "1st",
      "ke-3", "x2", "5kg", "10 km", "30C", "-4 F", "900101-14-5678", "012-345 6789", "GUI", "NASA", "Dr.", "Mr.",
      "No. 5", "don't", "we're", "baik-baik", "sooo", "(note)", "[1]", "&", "#", "~", "...", "!", "?", ";", "\"",
      "ya ya ya ya", "1,234,567.89", "3/4", "1445H", "exit 5", "iPhone 15", "a/l", "sdn. bhd.", "\t", "\n",
      "\x01\x7f",
  };
  if (!ascii_only) {
    for (const char* t : {"\u00b0C", "\u20ac20", "\u00a3", "2025\u5e741\u67081\u65e5", "\u4e0b\u53483:30",
                          "caf\u00e9", "\u0130", "\u00a0", "\u200b", "\U0001F600", "\uff11\uff12", "\u00bd",
                          "\u0663\u0664", "5\u212a", "\u017fdn", "\u3000", "\u91cd\u91cf\u662f25kg", "\u3002"}) {
      tokens.emplace_back(t);
    }
  }
  const char* joins[] = {" ", " ", "", ", ", "\n", "  ", "-", "/", ".", "\t"};
  std::mt19937 rng(16);
  std::vector<std::string> out;
  for (std::size_t k = 0; k < count; ++k) {
    std::string text;
    for (std::size_t n = rng() % 10 + 1; n > 0; --n) {
      text += tokens[rng() % tokens.size()];
      text += joins[rng() % std::size(joins)];
    }
    out.push_back(text);
  }
  for (const auto& t : tokens) out.push_back(t);
  return out;
}

// Every pass's fixed pattern (the pipeline runs once per language so that
// each is compiled and registered), and a few that probe the byte-mode
// source and the cases of first and required code units.
std::vector<const Regex*> fixed_patterns() {
  for (const char* lang : {"ms", "id", "en", "zh", "zh_my"}) {
    for (const auto& text : mixed_texts(false, 200)) {
      (void)kalvesta::pipeline::normalize_with(text, lang, kalvesta::Options{});
    }
  }
  auto out = kalvesta::regex::detail::registered();
  static const std::vector<std::unique_ptr<Regex>> probes = [] {
    std::vector<std::unique_ptr<Regex>> v;
    for (const char* p : {R"(\w+)", R"(\b\w)", R"(\B.)", R"(\S+)", R"([\W\d]+)", R"([^\W\d]+)", R"(\xb0?C)", R"(°?C)",
                          R"([^€£]+)", R"((?i)k\b)", R"((?i)\d+x)", R"((?i)dr\.)", R"((?i)月\d)", R"((?m)^\d+)", R"(.*%)"}) {
      v.push_back(std::make_unique<Regex>(p));
    }
    return v;
  }();
  for (const auto& re : probes) out.push_back(re.get());
  return out;
}

// Calls f(re, text, start, byte_form) for every fixed pattern, every text,
// both compiles (the byte one only on ASCII text) and every start.
template <class F>
void for_each_start(const std::vector<std::string>& texts, F f) {
  using kalvesta::regex::detail::char_len_at;
  for (const Regex* re : fixed_patterns()) {
    for (const auto& text : texts) {
      bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
      for (bool byte_form : {false, true}) {
        if (byte_form && !(ascii && kalvesta::regex::detail::has_byte_form(*re))) continue;
        for (std::size_t start = 0; start <= text.size(); start += char_len_at(text, start)) f(*re, text, start, byte_form);
      }
    }
  }
}

}  // namespace

// ASCII text runs the byte-mode compile; on such text it must find exactly
// what the Unicode compile finds, for every fixed pattern.
TEST(Regex, ByteModeAgreesWithUnicodeOnAscii) {
  const auto patterns = fixed_patterns();
  ASSERT_GT(patterns.size(), 100u);
  const auto texts = mixed_texts(true, 300);
  for (const Regex* re : patterns) {
    if (!kalvesta::regex::detail::has_byte_form(*re)) continue;
    for (const auto& text : texts) {
      ASSERT_EQ(walk_in_form(*re, text, true), walk_in_form(*re, text, false))
          << "pattern " << re->pattern() << " on " << text;
    }
  }
}

// Searching only where the gate allows a start finds what the plain search
// finds, on text that is not ASCII (the byte-mode compile has its own).
TEST(Regex, GatedSearchAgreesWithPlainSearch) {
  const auto patterns = fixed_patterns();
  const auto texts = mixed_texts(false, 300);
  for (const Regex* re : patterns) {
    for (const auto& text : texts) {
      ASSERT_EQ(walk_in_form(*re, text, false), walk_in_form(*re, text, false, false))
          << "pattern " << re->pattern() << " on " << text;
    }
  }
}

// The start gate is read from a wider pattern (see gate_source) whose class
// escapes must match every character the pattern's own ones do: checked
// over every code point, in and out of classes, with and without case.
TEST(Regex, GateEscapesHoldEveryCharacterTheirsDo) {
  std::string all;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 0x80) {
      all += static_cast<char>(c);
    } else if (c < 0x800) {
      all += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
      all += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
              static_cast<char>(0x80 | (c & 0x3F))};
    } else {
      all += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
              static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
  }
  for (const char* flags : {"", "(?i)"}) {
    for (const char* escape : {R"(\w)", R"(\W)", R"(\d)", R"(\D)", R"(\s)", R"(\S)"}) {
      for (const char* shape : {"%+", "[%]+", "[^%]+", "[=%]+", "[^=%]+"}) {
        std::string pattern = std::string(flags) + shape;
        pattern.replace(pattern.find('%'), 1, escape);
        Regex own(pattern), gate(kalvesta::regex::detail::gate_source(pattern));
        const Walk wide = walk_in_form(gate, all, false, false);
        for (const auto& m : walk_in_form(own, all, false, false)) {
          auto [s, e] = m[0];
          auto it = std::upper_bound(wide.begin(), wide.end(), s,
                                     [](std::size_t x, const auto& w) { return x < w[0].first; });
          ASSERT_TRUE(it != wide.begin() && (*std::prev(it))[0].second >= e) << "pattern " << pattern << " at " << s;
        }
      }
    }
  }
}

// A run marker only spares tries that cannot match: the same matches as
// without it, on runs with starts refused and allowed inside them.
TEST(Regex, RunMarkersKeepTheMatches) {
  const char* patterns[] = {
      R"((?i)(?<![A-Za-z0-9_])(-?(?C1)\d+(?:[\.,]\d+)?)\s*(?:°)?([CFK])(?![A-Za-z0-9_]))",
      R"((?i)\b(?C1)[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Z|a-z]{2,}\b)",
      R"(x|\b(?C1)[a-z-]+\.[a-z]{2,}|(?C2)[^\s]+!)",
      R"((?C1)(a)(?C3)b)",  // markers before no repeated item do nothing
  };
  const char* subjects[] = {
      "٣-5C a٣٣5C 7٣7٣C -5-5C 5.5.5C 5,5 K 12 c", "..ab@c.com a.b.c@d.ef a@b @@x.yz éa.b@c.de x-y.com",
      "a-b-c.de ab-.cd x.y a-x-b.cc! q!", "ab aab b",
  };
  for (const char* p : patterns) {
    std::string plain(p);
    for (std::size_t at; (at = plain.find("(?C")) != std::string::npos;) plain.erase(at, plain.find(')', at) - at + 1);
    Regex marked(p), unmarked(plain);
    for (const char* s : subjects) EXPECT_EQ(spans(marked, s), spans(unmarked, s)) << "pattern " << p << " on " << s;
  }
}

// Whenever the gate before a scan says it cannot match, the scan finds
// nothing: every fixed pattern, both compiles, every start, plain and anchored.
TEST(Regex, GateRefusesOnlyWhatCannotMatch) {
  using namespace kalvesta::regex::detail;
  std::size_t refused = 0;
  for_each_start(mixed_texts(false, 60), [&](const Regex& re, const std::string& text, std::size_t start, bool byte_form) {
    for (bool anchored : {false, true}) {
      if (!gate_refuses(re, text, start, anchored, byte_form)) continue;
      ++refused;
      Captures caps;
      ASSERT_FALSE(find_in_form_ungated(re, text, start, caps, anchored, byte_form))
          << "pattern " << re.pattern() << " on " << text << " from " << start;
    }
  });
  EXPECT_GT(refused, 0u);
}

// An anchored match is exactly the search's match when the search's match
// starts there, and nothing otherwise: every fixed pattern, both compiles,
// every start.
TEST(Regex, AnchoredAgreesWithSearch) {
  using namespace kalvesta::regex::detail;
  auto groups = [](const Captures& c) {
    std::vector<std::pair<std::size_t, std::size_t>> g;
    for (std::size_t i = 0; i < c.size(); ++i) g.emplace_back(c.matched(i) ? c.start(i) : 1u << 31, c.end(i));
    return g;
  };
  for_each_start(mixed_texts(false, 40), [&](const Regex& re, const std::string& text, std::size_t start, bool byte_form) {
    Captures found, anchored;
    bool here = find_in_form_ungated(re, text, start, found, false, byte_form) && found.start(0) == start;
    bool got = find_in_form_ungated(re, text, start, anchored, true, byte_form);
    ASSERT_EQ(got, here) << "pattern " << re.pattern() << " on " << text << " at " << start;
    if (got) { ASSERT_EQ(groups(anchored), groups(found)) << "pattern " << re.pattern() << " on " << text; }
  });
}

// One very long match (a long list of numbers) needs a deep backtracking
// stack but is no runaway.
TEST(Regex, LongSingleMatchesStayWithinLimits) {
  struct Case { const char* pattern; const char* unit; };
  const Case cases[] = {
      {R"((?<!\S)(\d+(?:\s+\d+)+)(?=[\s.,!?]|$))", "1 2 "},
      {R"(([+\d]+(?:-[\d]+)+))", "12-"},
      {R"(([A-Za-z0-9]+(?:-[A-Za-z0-9]+)+))", "ab-"},
      {R"(\d{1,3}(?:,\d{3})+(?:\.\d+)?)", "1,234"},
  };
  for (const auto& c : cases) {
    std::string text;
    while (text.size() < 4'000'000) text += c.unit;
    Regex re(c.pattern);
    EXPECT_NO_THROW(re.is_match(text)) << "pattern " << c.pattern;
  }
}

// Whenever a text lacks what every match of a pattern needs, the pattern
// finds nothing there: every fixed pattern, on mixed texts and on their
// copies with the characters that "k", "s" and digits also match.
TEST(Regex, NeedsRefuseOnlyWhatCannotMatch) {
  const auto patterns = fixed_patterns();
  auto texts = mixed_texts(false, 300);
  for (std::size_t i = 0, n = texts.size(); i < n; ++i) {
    std::string other;
    for (char c : texts[i]) {
      other += c == 'k' ? "\u212A" : c == 'S' ? "\u017F" : c == '1' ? "\u0661" : c == '2' ? "\uff12" : std::string(1, c);
    }
    texts.push_back(other);
  }
  std::size_t refused = 0;
  for (const Regex* re : patterns) {
    const auto needs = kalvesta::rules::needs_of(re->pattern());
    for (const auto& text : texts) {
      if (kalvesta::rules::Holds(text).may_match(needs)) continue;
      ++refused;
      ASSERT_FALSE(re->is_match(text)) << "pattern " << re->pattern() << " on " << text;
    }
  }
  EXPECT_GT(refused, 10000u);
}
