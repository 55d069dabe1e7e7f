// The rule engine: the pass runner, its linear walks, the patterns several
// languages share and the readings they share.
#include "rules.h"

#include <cstdint>

#include "numtext.h"
#include "unicode.h"

namespace kalvesta::rules {

using num2word::NumberVocab;

// ---- the runner and its walks ----

std::string run_passes(std::string_view text, std::span<const Pass> passes) {
  std::string out(text);
  for (const Pass& p : passes) {
    if (p.head) {
      out = replace_unless_percent_follows(out, **p.head, p.read);
    } else if (p.walk) {
      out = p.walk(out, *p.re, p.read);
    } else {
      out = p.re->replace_all(out, p.read);
    }
  }
  return out;
}

std::string replace_unless_percent_follows(std::string_view text, const regex::Regex& head, Reader read) {
  constexpr std::size_t npos = std::string_view::npos;
  // First occurrence of a character at or after a point; the points only
  // move forward, so each cache is refreshed past its last answer only.
  struct NextOf {
    std::string_view text;
    char ch;
    std::size_t from = 0, at = text.find(ch);
    std::size_t operator()(std::size_t x) {
      if (x < from || (at != npos && x > at)) at = text.find(ch, x);
      from = x;
      return at;
    }
  };
  NextOf next_pct{text, '%'}, next_nl{text, '\n'};
  std::string out;
  std::size_t copied = 0, pos = 0;
  regex::Captures caps;
  while (pos <= text.size() && head.find_at(text, pos, caps)) {
    std::size_t s = caps.start(0), e = caps.end(0);
    std::size_t pct = next_pct(e), nl = next_nl(e);
    if (e == s || (pct != npos && (nl == npos || pct < nl))) {
      pos = s + 1;  // refused here; the engine would try the next start
      continue;
    }
    out.append(text.substr(copied, s - copied));
    out += read(caps);
    copied = pos = e;
  }
  if (copied == 0) return std::string(text);
  out.append(text.substr(copied));
  return out;
}

std::string replace_at_digit_runs(std::string_view text, const regex::Regex& dashed, Reader read) {
  auto in_run = [](char32_t c) { return c == U'+' || unicode::is_decimal_digit(c); };
  std::string out;
  std::size_t copied = 0, pos = 0;
  regex::Captures caps;
  while (pos < text.size()) {
    std::size_t next = pos;
    if (!in_run(unicode::decode(text, next))) {
      pos = next;
      continue;
    }
    // pos starts a run (or follows the previous match); `second` is the
    // run's next character, tried when the first start is refused.
    bool found = dashed.match_at(text, pos, caps);
    if (!found && next < text.size()) {
      std::size_t after = next;
      if (in_run(unicode::decode(text, after))) found = dashed.match_at(text, next, caps);
    }
    if (found) {
      out.append(text.substr(copied, caps.start(0) - copied));
      out += read(caps);
      copied = pos = caps.end(0);
      continue;
    }
    // No start in this run can match: skip it.
    while (pos < text.size()) {
      next = pos;
      if (!in_run(unicode::decode(text, next))) break;
      pos = next;
    }
  }
  if (copied == 0) return std::string(text);
  out.append(text.substr(copied));
  return out;
}

// ---- patterns several languages run ----

constinit regex::LazyRegex RE_GROUPED_DECIMAL{R"(\b\d{1,3}(?:,\d{3})+\.\d+\b)"};

std::string ungrouped(const regex::Captures& c) {
  std::string out;
  for (char ch : c.group(0))
    if (ch != ',') out.push_back(ch);
  return out;
}

constinit regex::LazyRegex RE_PERCENT{R"(\b(\d+(?:\.\d+)?)%)"};

constinit regex::LazyRegex RE_DATE_YMD{R"(\b(\d{4})[/\-.](\d{1,2})[/\-.](\d{1,2})\b)"};
constinit regex::LazyRegex RE_DATE{R"(\b(\d{1,2})[/\-.](\d{1,2})[/\-.](\d{2,4})\b)"};
constinit regex::LazyRegex RE_DECIMAL{R"((?:\b(\d+)|(?<![\w.]))\.(\d+)\b)"};
constinit regex::LazyRegex RE_DASHED{R"((?<![A-Za-z])([+\d]+(?:-[\d]+)+)(?![A-Za-z]))"};
constinit regex::LazyRegex RE_COMMA_NUM{R"(\b\d{1,3}(?:,\d{3})+\b)"};
constinit regex::LazyRegex RE_ADJACENT{R"((?<!\S)(\d+(?:\s+\d+)+)(?=[\s.,!?]|$))"};
constinit regex::LazyRegex RE_NUMBER{R"(\b\d+\b)"};
constinit regex::LazyRegex RE_ALNUM{R"(\b[\w-]+\b)"};

// ---- readings several languages share ----

std::optional<std::string_view> month_name(std::string_view month, const MonthTable& table) {
  std::size_t zeros = month.find_first_not_of('0');
  std::string_view key = zeros == std::string_view::npos ? std::string_view{} : month.substr(zeros);
  for (const auto& [k, name] : table) {
    if (k == key) return name;
  }
  return std::nullopt;
}

std::string read_number(std::string_view text, const NumberVocab& vocab) {
  return num2word::to_cardinal_with(parse_num(text), vocab);
}

std::string read_date(std::string_view day, std::string_view month, std::string_view year,
                      const MonthTable& table, const NumberVocab& vocab) {
  std::string out = read_number(day, vocab);
  out += ' ';
  out += month_name(month, table).value_or(month);
  out += ' ';
  out += read_number(year, vocab);
  return out;
}

unsigned read_small(std::string_view text) {
  auto v = parse_u128(text);
  return v && *v <= UINT32_MAX ? static_cast<unsigned>(*v) : 0;
}

std::string read_clock_words(const regex::Captures& c, const NumberVocab& vocab) {
  std::string out = num2word::to_cardinal_with(read_small(c[1]), vocab);
  const unsigned m = read_small(c[2]);
  if (m != 0 || c.matched(3)) out += " " + num2word::to_cardinal_with(m, vocab);
  if (c.matched(3)) out += " " + num2word::to_cardinal_with(read_small(c[3]), vocab);
  return out;
}

std::string read_clock(const regex::Captures& c, const NumberVocab& vocab) {
  if (!c.matched(3) && read_small(c[2]) == 0) {
    if (read_small(c[1]) == 0) return "tengah malam";
    if (read_small(c[1]) == 12) return "tengah hari";
  }
  return read_clock_words(c, vocab);
}

std::string digit_by_digit(std::string_view text, const NumberVocab& vocab) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t ch = unicode::decode(text, pos);
    unsigned d = unicode::is_ascii_digit(ch) ? static_cast<unsigned>(ch - U'0') : 0;
    if (!out.empty()) out += ' ';
    out += num2word::to_cardinal_with(d, vocab);
  }
  return out;
}

std::string read_digit_run(std::string_view run, const NumberVocab& vocab) {
  return run.size() >= 5 ? digit_by_digit(run, vocab) : read_number(run, vocab);
}

std::string spread_digits(std::string_view group) {
  std::string out;
  for (char ch : group) {
    if (ch < '0' || ch > '9') continue;  // "+", "-" and non-ASCII digit bytes
    if (!out.empty()) out += ' ';
    out += ch;
  }
  return out;
}

std::string join_digit_groups(std::string_view match) {
  std::string out;
  out.reserve(match.size());
  for (char ch : match) {
    if (ch != ' ') out += ch;
  }
  return out;
}

std::string mixed_alnum(std::string_view token, const DigitWords& digits) {
  bool alpha = false, digit = false;
  for (std::size_t pos = 0; pos < token.size();) {
    char32_t ch = unicode::decode(token, pos);
    alpha = alpha || unicode::is_alphabetic(ch);
    digit = digit || unicode::is_ascii_digit(ch);
  }
  if (!alpha || !digit) return std::string(token);
  std::string out;
  for (std::size_t pos = 0; pos < token.size();) {
    char32_t ch = unicode::decode(token, pos);
    if (!unicode::is_alphanumeric(ch)) continue;  // "-", "_", marks
    if (!out.empty()) out += ' ';
    if (unicode::is_ascii_digit(ch)) {
      out += digits[ch - U'0'];
    } else {
      out += unicode::upper_char(ch);
    }
  }
  return out;
}

}  // namespace kalvesta::rules
