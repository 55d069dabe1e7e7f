// Chinese number readings (cardinals, digit-by-digit years, month numbers)
// and the ordered rule passes that turn the numbers, dates, amounts and times
// of a "zh" or "zh_my" text into Chinese words.
#include "normalize_zh.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "lang/words.h"
#include "normalize.h"
#include "regex.h"
#include "rules.h"
#include "shared.h"
#include "stash.h"
#include "unicode.h"

namespace kalvesta::normalize_zh {

namespace {

using lang::zh::DIGITS;
using lang::zh::GROUP_UNITS;
// Below it every number fits 64 bits, which divide without a library call.
constexpr std::uint64_t LIMIT = 10'000'000'000'000'000ULL;  // 10^16
constexpr std::string_view TOO_LARGE = "太大";

// 10..99: a bare "十五" only at the head of a number; inside one the ten keeps its digit.
void put_tens(std::string& out, unsigned n, bool in_group) {
  if (n > 19 || in_group) out += DIGITS[n / 10];
  out += "十";
  if (n % 10 != 0) out += DIGITS[n % 10];
}

// 1..9999; a skipped place after a spoken one reads "零" once (‘一千零五’).
void put_group(std::string& out, unsigned g, bool in_group) {
  constexpr std::pair<unsigned, std::string_view> PLACES[] = {{1000, "千"}, {100, "百"}};
  for (const auto& [place, word] : PLACES) {
    if (g < place) continue;
    out += DIGITS[g / place];
    out += word;
    if ((g %= place) == 0) return;
    if (g < place / 10) out += DIGITS[0];
    in_group = true;
  }
  if (g >= 10) put_tens(out, g, in_group);
  else out += DIGITS[g];
}

void put_cardinal(std::string& out, std::uint64_t n) {
  if (n < 10000) {
    if (n == 0) out += DIGITS[0];
    else put_group(out, static_cast<unsigned>(n), false);
    return;
  }
  std::array<unsigned, GROUP_UNITS.size()> groups{};
  std::size_t count = 0;
  for (; n != 0; n /= 10000) groups[count++] = static_cast<unsigned>(n % 10000);
  const std::size_t head = out.size();
  for (std::size_t i = count; i-- > 0;) {
    const unsigned g = groups[i];
    if (g == 0) continue;  // a group of four zeros leaves no trace
    const bool after = out.size() != head;
    // A leading zero inside a group is spoken once something came before it.
    if (g < 1000 && after) out += DIGITS[0];
    put_group(out, g, after);
    out += GROUP_UNITS[i];
  }
}

// Each ASCII digit as its word, anything else as "零" (‘05’ -> ‘零五’).
void put_digits(std::string& out, std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto b = static_cast<unsigned char>(text[pos]);
    if (b < 0x80) ++pos;
    else unicode::decode(text, pos);
    out += b >= '0' && b <= '9' ? DIGITS[b - '0'] : DIGITS[0];
  }
}

void put_value(std::string& out, u128 n) {
  if (n >= LIMIT) out += TOO_LARGE;
  else put_cardinal(out, static_cast<std::uint64_t>(n));
}

// ASCII digits read as one number; a run past 128 bits digit by digit, never
// as zero; anything else as zero.
void put_card(std::string& out, std::string_view digits) {
  if (const auto v = parse_u128(digits)) put_value(out, *v);
  else if (all_ascii_digits(digits)) put_digits(out, digits);
  else out += DIGITS[0];
}

}  // namespace

std::string to_cardinal_zh(u128 n) {
  std::string out;
  put_value(out, n);
  return out;
}

std::string to_year_zh(u128 n) {
  std::string out;
  if (n <= UINT64_MAX) {
    char buf[20];
    const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(n)).ptr;
    put_digits(out, std::string_view(buf, static_cast<std::size_t>(end - buf)));
  } else {
    put_digits(out, u128_to_string(n));
  }
  return out;
}

const std::unordered_map<std::string, std::string>& MONTHS_ZH() {
  static const std::unordered_map<std::string, std::string> table = [] {
    std::unordered_map<std::string, std::string> m;
    for (const auto& [k, v] : lang::zh::MONTHS) m.emplace(k, v);
    return m;
  }();
  return table;
}

std::string month_zh(std::string_view s) {
  const auto& table = MONTHS_ZH();
  auto it = table.find(std::string(s));
  return it == table.end() ? std::string(s) : it->second;
}

// ---------------------------------------------------------------------------
// Rule passes

namespace {

using regex::Captures;
using regex::LazyRegex;

constinit LazyRegex RE_PERCENT{R"(((?<![\w.])\.\d+|\d+(?:,\d{3})*(?:\.\d+)?)%)"};
constinit LazyRegex RE_DATE_DMY{R"((?<!\d)(\d{1,2})[/\-.](\d{1,2})[/\-.](\d{2,4}))"};
constinit LazyRegex RE_DATE_YMD{R"((?<!\d)(\d{4})[/\-.](\d{1,2})[/\-.](\d{1,2}))"};
// An English scale word after an amount: the amount is spelled out in
// digits first, exactly, so that the money pass reads its whole value
// (‘$2.5 billion’ -> ‘$2500000000’ -> ‘二十五亿美元’), not cents and a stray word.
constinit LazyRegex RE_THOUSAND{
    R"((?i)(?<![A-Za-z0-9_])(\$|£|€|RM|MYR|USD|EUR|GBP)(?:\s?)(\d+(?:,\d{3})*(?:\.\d+)?|\.\d+)\s+thousands?\b)"};
constinit LazyRegex RE_MILLION{
    R"((?i)(?<![A-Za-z0-9_])(\$|£|€|RM|MYR|USD|EUR|GBP)(?:\s?)(\d+(?:,\d{3})*(?:\.\d+)?|\.\d+)\s+millions?\b)"};
constinit LazyRegex RE_BILLION{
    R"((?i)(?<![A-Za-z0-9_])(\$|£|€|RM|MYR|USD|EUR|GBP)(?:\s?)(\d+(?:,\d{3})*(?:\.\d+)?|\.\d+)\s+billions?\b)"};
constinit LazyRegex RE_TRILLION{
    R"((?i)(?<![A-Za-z0-9_])(\$|£|€|RM|MYR|USD|EUR|GBP)(?:\s?)(\d+(?:,\d{3})*(?:\.\d+)?|\.\d+)\s+trillions?\b)"};
constinit LazyRegex RE_CURRENCY{
    R"((?i)(?<![A-Za-z0-9_])(\$|£|€|RM|MYR|USD|EUR|GBP)(?:\s?)([\d,]+(?:[\.,]\d+)?|\.\d+)(?:\s?(千万|千亿|千|百万|百亿|万亿|万|亿|兆))?)"};
constinit LazyRegex RE_TIME_NO_MERIDIAN{
    R"((?i)(?<!凌晨)(?<!早上)(?<!中午)(?<!下午)(?<!傍晚)(?<!晚上)(?<!\d)(?<!\d:)(\d{1,2}):(\d{2})(?::(\d{2}))?(?!:\d)(?!\s*(?:am|pm|a\.m\.|p\.m\.))(?!\s*%))"};
constinit LazyRegex RE_TIME{R"((?i)(\d{1,2})[:\.](\d{2})(?::(\d{2}))?\s*(?:(am|pm|a\.m\.|p\.m\.)))"};
constinit LazyRegex RE_TIME_ZH{R"((?i)((?:凌晨|早上|中午|下午|傍晚|晚上))\s*(\d{1,2})[:\.](\d{2})(?::(\d{2}))?)"};
constinit LazyRegex RE_TIME_SHORTFORM{
    R"((?i)(?<!\d)([1-9]|1[0-2])\s*(am|pm|a\.m\.|p\.m\.)(?![A-Za-z0-9]))"};
constinit LazyRegex RE_COMMA_NUM{R"((?!0,)\d{1,3}(?:,\d{3})+(?:\.\d+)?)"};
constinit LazyRegex RE_DECIMAL{R"((?:(\d+)|(?<![\w.]))\.(\d+))"};  // ‘.5’ reads ‘零点五’
using rules::RE_DASHED;  // the dashed-digits pattern, shared
constinit LazyRegex RE_DASHED_ALNUM{R"(([A-Za-z0-9]+(?:-[A-Za-z0-9]+)+))"};
constinit LazyRegex RE_ALNUM{R"(((?=[A-Za-z0-9]*[A-Za-z])(?=[A-Za-z0-9]*\d)[A-Za-z0-9]+))"};
constinit LazyRegex RE_NUMBER{R"(\d+)"};
constinit LazyRegex RE_LEFTOVER_DOT{R"((?<=\w)\.(?=\w))"};

// Optional "+", ASCII digits only; anything else (or overflow) reads as 0.
u128 read_int(std::string_view text) { return parse_u128(text).value_or(0); }


// One character: an ASCII digit as its word, anything else as written.
void put_char(std::string& out, std::string_view ch) {
  if (ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9') out += DIGITS[ch[0] - '0'];
  else out += ch;
}

// ‘A1’ -> ‘A 一’: each kept character read alone, one space between.
template <class Keep>
std::string spell(std::string_view text, Keep keep) {
  std::string out;
  for (const char& c : text) {  // callers hand over ASCII runs only
    if (!keep(c)) continue;
    if (!out.empty()) out += ' ';
    put_char(out, std::string_view(&c, 1));
  }
  return out;
}

// ‘012-3456’ -> ‘零 一 二 三 四 五 六’: signs and hyphens are dropped; a digit
// of another script is kept as written rather than lost with them.
std::string spell_dashed(std::string_view run) {
  std::string out;
  for (std::size_t pos = 0; pos < run.size();) {
    const std::size_t start = pos;
    if (static_cast<unsigned char>(run[pos]) < 0x80) ++pos;
    else unicode::decode(run, pos);
    if (run[start] == '+' || run[start] == '-') continue;
    if (!out.empty()) out += ' ';
    put_char(out, run.substr(start, pos - start));
  }
  return out;
}

// For each byte, 0 when a match may begin with it, else the length of the
// character it begins (a continuation byte never begins a match).
using Leads = std::array<std::uint8_t, 256>;
constexpr Leads leads_of(std::string_view bytes) {
  Leads out{};
  for (unsigned b = 0; b <= 0xFF; ++b) out[b] = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  for (char c : bytes) out[static_cast<unsigned char>(c)] = 0;
  return out;
}
// ASCII digits, and the first bytes of characters that may be digits of
// another script: not E4..E9 (U+4000..U+9FFF, all neither digit nor blank).
constexpr Leads digit_leads(std::string_view more = "") {
  Leads out = leads_of(more);
  for (char c = '0'; c <= '9'; ++c) out[static_cast<unsigned char>(c)] = 0;
  for (unsigned b = 0xC0; b <= 0xFF; ++b) {
    if (b < 0xE4 || b > 0xE9) out[b] = 0;
  }
  return out;
}
constexpr Leads DIGIT_LEADS = digit_leads();
constexpr Leads NUMBER_MARK_LEADS = digit_leads(".,");
constexpr Leads MONEY_LEADS = leads_of("$RMUEGrmueg\xC2\xE2");
constexpr Leads PERIOD_LEADS = leads_of("\xE4\xE5\xE6");
constexpr Leads ALNUM_LEADS = leads_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// The first character at or after `pos` (a character's start) whose first
// byte is a lead, one character at a time (the text's size when none).
std::size_t next_lead(std::string_view text, std::size_t pos, const Leads& lead) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  while (pos < text.size() && lead[s[pos]] != 0) pos += lead[s[pos]];
  return std::min(pos, text.size());
}

std::size_t char_length(unsigned char b) { return b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4; }

// The walk of the mixed-token pass. RE_ALNUM can only match a whole run of
// ASCII letters and digits, starting at its first character, and only when
// the run holds a letter and a digit (or a digit follows right after it).
// Scanning the whole text would retry a run that cannot match from each of its
// characters, quadratic in the run's length, so `alnum` is run only on runs
// that can match.
bool at_mixed_runs(std::string_view text, const regex::Regex& alnum, rules::Reader read, std::string& out) {
  rules::Rewrite r(text, out);
  std::size_t pos = 0;
  Captures caps;
  while ((pos = next_lead(text, pos, ALNUM_LEADS)) < text.size()) {
    const std::size_t run_start = pos;
    bool letter = false, digit = false;
    for (; pos < text.size() && unicode::is_ascii_alnum(text[pos]); ++pos) {
      (text[pos] <= '9' ? digit : letter) = true;
    }
    std::size_t subject_end = pos;
    if (!digit && pos < text.size() && static_cast<unsigned char>(text[pos]) >= 0x80) {
      // another script's digit right after the run also satisfies the pattern
      std::size_t next = pos;
      unicode::decode(text, next);
      subject_end = next;
      digit = !shared::neither_digit_nor_blank(text, pos) && RE_NUMBER->is_match(text.substr(pos, next - pos));
    }
    if (!letter || !digit) continue;
    const std::string_view subject = text.substr(run_start, subject_end - run_start);
    if (!alnum.find_at(subject, 0, caps) || caps.start(0) != 0) continue;
    r.put(run_start, run_start + caps.end(0), read(caps));
  }
  return r.finish();
}

// Every mixed token holds an ASCII letter, and the text a digit (in the
// token or right after it); the pattern's look-aheads tell no needs.
rules::Needs mixed_needs() {
  rules::Needs n;
  n.digit = true;
  n.one_of = {.set = true, .letters = (std::uint32_t{1} << 26) - 1};
  return n;
}

// A mixed token spelt out; a key with digits beside it stays whole.
std::string read_mixed_token(const Captures& c) {
  const std::string_view token = c.group(1);
  return stash::holds_key(token) ? std::string(token) : spell(token, [](char) { return true; });
}

// The dashed-digits pass; group 1 read digit by digit.
std::string read_dashed_digits(const Captures& c) { return spell_dashed(c.group(1)); }

std::string_view period_word(std::string_view meridian) {
  return (!meridian.empty() && (meridian[0] == 'a' || meridian[0] == 'A')) ? "上午" : "下午";
}

// whole "." fraction -> ‘三点一四’, the fraction digit by digit
void put_point(std::string& out, std::string_view whole, std::string_view fraction) {
  put_card(out, whole);
  out += "点";
  put_digits(out, fraction);
}

// A number with an optional "." fraction (‘1234.5’).
void put_decimal(std::string& out, std::string_view number) {
  if (const auto dot = number.find('.'); dot != std::string_view::npos) {
    put_point(out, number.substr(0, dot), number.substr(dot + 1));
  } else {
    put_card(out, number);
  }
}

// ‘50%’ -> ‘百分之五十’ (zh) / ‘五十巴仙’ (zh_my)
std::string read_percent(const Captures& c, bool is_my) {
  std::string_view g = c.group(1);
  std::string ungrouped;
  if (g.find(',') != std::string_view::npos) {
    ungrouped = rules::ungrouped(c);
    g = std::string_view(ungrouped).substr(0, ungrouped.size() - 1);  // without its "%"
  }
  std::string out(is_my ? "" : "百分之");
  put_decimal(out, g);
  if (is_my) out += "巴仙";
  return out;
}

std::string date_text(u128 year, std::string_view month, std::string_view day) {
  std::string out = to_year_zh(year);
  out += "年";
  out += month_zh(month);
  out += "月";
  put_card(out, day);
  out += "日";
  return out;
}

// ‘25/12/2024’ and ‘12/25/2024’ -> ‘二零二四年十二月二十五日’
std::string read_date_dmy(const Captures& c) {
  std::string_view day = c.group(1), month = c.group(2);
  // A month above 12 beside a day that could be a month: the date was written month first.
  if (read_int(month) > 12 && read_int(day) <= 12) std::swap(day, month);
  if (!rules::is_day_and_month(read_int(day), read_int(month))) return std::string(c.group(0));
  return date_text(read_int(c.group(3)), month, day);
}

// ‘2024-01-15’ -> ‘二零二四年01月十五日’ (the plain-number pass reads the ‘01’)
std::string read_date_ymd(const Captures& c) {
  if (!rules::is_day_and_month(read_int(c.group(3)), read_int(c.group(2)))) return std::string(c.group(0));
  return date_text(read_int(c.group(1)), c.group(2), c.group(3));
}

// ‘RM1,234.50’ -> ‘一千二百三十四令吉五十仙’
std::string read_currency(const Captures& c, std::span<const lang::CurrencyRow> rows) {
  // Keyed by the matched symbol or code, upper-cased.
  const lang::CurrencyRow* words = lang::find_currency(rows, unicode::to_upper(c.group(1)));
  if (words == nullptr) return std::string(c.group(0));
  std::string amount;
  for (char ch : c.group(2)) {
    if (ch != ',') amount += ch;
  }
  // Commas alone are no amount (‘$,’): reading them as zero would say a value nobody wrote.
  if (amount.empty()) return std::string(c.group(0));
  const std::string_view scale = c.group(3);
  const auto dot = amount.find('.');
  std::string out;
  if (dot == std::string::npos) {
    put_card(out, amount);
    out += scale;
    out += words->major;
    return out;
  }
  const std::string_view whole = std::string_view(amount).substr(0, dot);
  const std::string_view fraction = std::string_view(amount).substr(dot + 1);
  // More decimals than cents: one decimal number, every digit read.
  if (scale.empty() && unicode::char_count(fraction) > 2) {
    put_point(out, whole, fraction);
    out += words->major;
    return out;
  }
  if (!scale.empty()) {
    // ‘RM1.5万’ is fifteen thousand ringgit: the fraction belongs to the scaled
    // number (‘一点五万令吉’), it is not a count of cents.
    std::string_view digits = fraction;
    while (!digits.empty() && digits.back() == '0') digits.remove_suffix(1);
    if (digits.empty()) put_card(out, whole);
    else put_point(out, whole, digits);
    out += scale;
    out += words->major;
    return out;
  }
  // Cents: the first two characters of the fraction, padded with "0".
  std::size_t two = 0;
  for (int k = 0; k < 2 && two < fraction.size(); ++k) unicode::decode(fraction, two);
  std::string cents(fraction.substr(0, two));
  if (cents.empty()) cents = "00";
  else if (unicode::char_count(cents) == 1) cents += "0";
  put_card(out, whole);
  out += words->major;
  if (cents != "00") {
    put_card(out, cents);
    out += words->minor;
  }
  return out;
}

// (prefix)(hour)点[(minute)分][(second)秒]; with seconds the minute is read even when 0
std::string clock_text(std::string_view prefix, std::string_view hour, std::string_view minute,
                       std::optional<std::string_view> second = std::nullopt) {
  std::string out(prefix);
  put_card(out, hour);
  out += "点";
  if (const u128 m = read_int(minute); m != 0 || second) {
    put_value(out, m);
    out += "分";
  }
  if (second) {
    put_card(out, *second);
    out += "秒";
  }
  return out;
}

std::optional<std::string_view> group_if_matched(const Captures& c, int group) {
  if (!c.matched(group)) return std::nullopt;
  return c.group(group);
}

// ‘9:05’ -> ‘九点五分’, ‘0:00’ -> ‘凌晨十二点’, ‘12:00’ -> ‘中午十二点’, ‘1:01:01’ -> ‘一点一分一秒’
std::string read_time_plain(const Captures& c) {
  const u128 h = read_int(c.group(1)), m = read_int(c.group(2));
  if (!c.matched(3) && h == 0 && m == 0) return "凌晨十二点";
  if (!c.matched(3) && h == 12 && m == 0) return "中午十二点";
  return clock_text("", c.group(1), c.group(2), group_if_matched(c, 3));
}

std::string percent_zh(const Captures& c) { return read_percent(c, false); }
std::string percent_zh_my(const Captures& c) { return read_percent(c, true); }
// Each variant reads an amount with the words its entity speller uses.
std::string money_zh(const Captures& c) { return read_currency(c, lang::zh::MONEY); }
std::string money_zh_my(const Captures& c) { return read_currency(c, lang::zh::MONEY_MY); }

std::string time_with_period(const Captures& c) {
  return clock_text(period_word(c.group(4)), c.group(1), c.group(2), group_if_matched(c, 3));
}
std::string time_with_zh_period(const Captures& c) {
  return clock_text(c.group(1), c.group(2), c.group(3), group_if_matched(c, 4));
}
std::string hour_with_period(const Captures& c) { return clock_text(period_word(c.group(2)), c.group(1), ""); }

std::string read_grouped(const Captures& c) {
  std::string out;
  put_decimal(out, rules::ungrouped(c));
  return out;
}

std::string read_decimal(const Captures& c) {
  std::string out;
  put_point(out, c.group(1), c.group(2));
  return out;
}

std::string read_dashed_alnum(const Captures& c) {
  if (stash::holds_key(c.group(0))) return std::string(c.group(0));
  return spell(c.group(1), [](char ch) { return ch != '-'; });
}

// ‘2024’ -> ‘二零二四’ (a year, digit by digit), ‘2100’ -> ‘二千一百’
void put_number(std::string& out, std::string_view m) {
  const bool year = m.size() == 4 && all_ascii_digits(m) && (m[0] == '1' || (m[0] == '2' && m[1] == '0'));
  if (year) put_digits(out, m);
  else put_card(out, m);
}
std::string read_number(const Captures& c) {
  std::string out;
  put_number(out, c.group(0));
  return out;
}

std::string leftover_dot(const Captures&) { return "点"; }

// ---- walks that try a pattern only where a match can begin ----

// Where a match can begin (only a character's first byte is asked).
bool is_digit_byte(char c) { return c >= '0' && c <= '9'; }
bool is_digit_at(std::string_view t, std::size_t i) { return is_digit_byte(t[i]); }

bool is_date_mark(char c) { return c == '/' || c == '-' || c == '.'; }
std::size_t digits_end(std::string_view t, std::size_t i) {
  while (i < t.size() && is_digit_byte(t[i])) ++i;
  return i;
}

// A date begins a run of ASCII digits (the pattern looks behind for no digit)
// of the group's width, 1 to 2 (day or month first) or 4 (year first), then
// a "/", "-" or "."; a second run of digits and a mark again follow (the
// second group is at most 2 digits, not asked here). Where a character
// beyond ASCII comes instead, it may be a digit of another script.
template <std::size_t Min, std::size_t Max>
bool date_start(std::string_view t, std::size_t i) {
  if (!is_digit_byte(t[i]) || (i > 0 && is_digit_byte(t[i - 1]))) return false;
  const std::size_t e = digits_end(t, i);
  if (e == t.size()) return false;
  if (static_cast<unsigned char>(t[e]) >= 0xC0) return !shared::neither_digit_nor_blank(t, e);
  if (e - i < Min || e - i > Max || !is_date_mark(t[e]) || e + 1 == t.size()) return false;
  if (static_cast<unsigned char>(t[e + 1]) >= 0xC0) return !shared::neither_digit_nor_blank(t, e + 1);
  if (!is_digit_byte(t[e + 1])) return false;
  const std::size_t m = digits_end(t, e + 1);
  if (m == t.size()) return false;
  if (static_cast<unsigned char>(t[m]) >= 0xC0) return !shared::neither_digit_nor_blank(t, m);
  return is_date_mark(t[m]);
}

// The symbols and the codes of RE_CURRENCY, told by their first two
// characters (caselessly "s" is also "ſ"; no other character matches their
// letters), with no ASCII letter, digit or "_" before them (the pattern
// looks behind for none).
bool money_start(std::string_view t, std::size_t i) {
  const auto next_is = [&](char lower) { return i + 1 < t.size() && (t[i + 1] | 0x20) == lower; };
  bool code;
  switch (static_cast<unsigned char>(t[i])) {
    case '$': code = true; break;
    case 'R': case 'r': code = next_is('m'); break;
    case 'M': case 'm': code = next_is('y'); break;
    case 'U': case 'u': code = next_is('s') || t.compare(i + 1, 2, "ſ") == 0; break;
    case 'E': case 'e': code = next_is('u'); break;
    case 'G': case 'g': code = next_is('b'); break;
    case 0xC2: code = t.compare(i, 2, "£") == 0; break;
    case 0xE2: code = t.compare(i, 3, "€") == 0; break;
    default: return false;
  }
  return code && !(i > 0 && (unicode::is_ascii_alnum(t[i - 1]) || t[i - 1] == '_'));
}

// The period words RE_TIME_ZH begins with.
constexpr std::string_view PERIOD_WORDS[] = {"凌晨", "早上", "中午", "下午", "傍晚", "晚上"};
bool period_start(std::string_view t, std::size_t i) {
  if (t.size() - i < 6) return false;
  for (std::string_view w : PERIOD_WORDS) {
    if (t[i + 2] == w[2] && t[i + 1] == w[1] && t.substr(i, w.size()) == w) return true;
  }
  return false;
}

// Whether the character at text[i] may be a digit of another script.
bool may_be_digit(std::string_view text, std::size_t i) {
  return i < text.size() && static_cast<unsigned char>(text[i]) >= 0xC0 && !shared::neither_digit_nor_blank(text, i);
}

// The rest of a walk, from `pos` on, by the engine's own scan.
bool scan_from(std::string_view text, std::size_t pos, const regex::Regex& re, rules::Reader read, rules::Rewrite& r) {
  Captures caps;
  for (; pos < text.size() && re.find_at(text, pos, caps); pos = caps.end(0)) {
    r.put(caps.start(0), caps.end(0), read(caps));
  }
  return r.finish();
}

// Every match of `re` replaced by read(), the pattern tried only where
// `Starts` says a match can begin (at a byte of `Lead`): the engine's own
// leftmost-first walk when no match can begin anywhere else. For a pattern
// whose matches begin with a digit, that holds while every digit is ASCII,
// so from a character that may be a digit of another script on, the engine
// scans. No match is empty. For the plain-number pattern ("\d+"), `Run`
// reads each run of ASCII digits, which is then its match, without the engine.
template <const Leads& Lead, bool (*Starts)(std::string_view, std::size_t), bool DigitFirst,
          void (*Run)(std::string&, std::string_view) = nullptr>
bool at_starts(std::string_view text, const regex::Regex& re, rules::Reader read, std::string& out) {
  rules::Rewrite r(text, out);
  std::size_t pos = 0;
  Captures caps;
  std::string reading;
  while ((pos = next_lead(text, pos, Lead)) < text.size()) {
    const auto b = static_cast<unsigned char>(text[pos]);
    if (DigitFirst && may_be_digit(text, pos)) break;
    if (Run && is_digit_byte(text[pos])) {
      std::size_t end = pos;
      while (end < text.size() && is_digit_byte(text[end])) ++end;
      if (may_be_digit(text, end)) break;  // the run may go on in another script
      reading.clear();
      Run(reading, text.substr(pos, end - pos));
      r.put(pos, end, reading);
      pos = end;
      continue;
    }
    if (!Starts(text, pos) || !re.match_at(text, pos, caps)) {
      pos += char_length(b);
      continue;
    }
    r.put(caps.start(0), caps.end(0), read(caps));
    pos = caps.end(0);
  }
  return scan_from(text, pos, re, read, r);
}

// Runs of ASCII digits, "." and ",", in which every match of a number
// pattern lies whole (while its digits are ASCII): a run that `May` says
// holds none is passed over whole, and in the others the pattern is tried
// at each digit or "." in turn, the engine's own order. From a character
// that may be a digit of another script on, the engine scans.
template <bool (*May)(std::string_view text, std::size_t start, std::size_t end)>
bool at_runs(std::string_view text, const regex::Regex& re, rules::Reader read, std::string& out) {
  rules::Rewrite r(text, out);
  std::size_t pos = 0;
  Captures caps;
  const auto in_run = [](char c) { return is_digit_byte(c) || c == '.' || c == ','; };
  while ((pos = next_lead(text, pos, NUMBER_MARK_LEADS)) < text.size()) {
    if (may_be_digit(text, pos)) break;
    if (!in_run(text[pos])) {
      pos += char_length(static_cast<unsigned char>(text[pos]));
      continue;
    }
    std::size_t end = pos;
    while (end < text.size() && in_run(text[end])) ++end;
    if (may_be_digit(text, end)) break;  // the run may go on in another script
    std::size_t at = May(text, pos, end) ? pos : end;
    for (; at < end; ++at) {
      if (text[at] != ',' && re.match_at(text, at, caps)) break;
    }
    if (at == end) {
      pos = end;
      continue;
    }
    r.put(caps.start(0), caps.end(0), read(caps));
    pos = caps.end(0);
  }
  return scan_from(text, pos, re, read, r);
}

// A percent ends its run with "%" right after it.
bool percent_follows(std::string_view t, std::size_t, std::size_t end) { return end < t.size() && t[end] == '%'; }
// A decimal holds a "." and a digit after it, a grouped number a "," and a digit.
template <char Mark>
bool mark_then_digit(std::string_view t, std::size_t start, std::size_t end) {
  for (std::size_t i = start; i + 1 < end; ++i) {
    if (t[i] == Mark && is_digit_byte(t[i + 1])) return true;
  }
  return false;
}

using rules::Pass;

// An amount with an English scale word written out in digits.
template <unsigned Zeros>
bool scaled(std::string_view text, const regex::Regex& re, rules::Reader, std::string& out) {
  out = normalize::expand_suffix(text, re, Zeros);
  return out != text;
}

// The percent pass comes first, before the decimal pass could take the
// number; the scale words before the money pass reads the amount. The percent
// and money passes read differently in the two variants.
const Pass HEAD[] = {
    {rules::RE_ZERO_COMMA, rules::zero_point},  // ‘0,250’ -> ‘0.250’
};
const Pass PERCENT_ZH[] = {
    {RE_PERCENT, percent_zh, nullptr, at_runs<percent_follows>},  // ‘12.5%’ -> ‘百分之十二点五’
};
const Pass PERCENT_ZH_MY[] = {
    {RE_PERCENT, percent_zh_my, nullptr, at_runs<percent_follows>},  // ‘12.5%’ -> ‘十二点五巴仙’
};
const Pass DATES_AND_SCALES[] = {
    {RE_DATE_DMY, read_date_dmy, nullptr, at_starts<DIGIT_LEADS, date_start<1, 2>, true>},  // ‘5.6.24’ -> ‘二四年六月五日’
    {RE_DATE_YMD, read_date_ymd, nullptr, at_starts<DIGIT_LEADS, date_start<4, 4>, true>},  // ‘2024/1/15’ -> ‘二零二四年一月十五日’
    {RE_TRILLION, nullptr, nullptr, scaled<12>},  // ‘$2 trillion’ -> ‘$2000000000000’
    {RE_BILLION, nullptr, nullptr, scaled<9>},    // ‘$2.5 billion’ -> ‘$2500000000’
    {RE_MILLION, nullptr, nullptr, scaled<6>},    // ‘€1 million’ -> ‘€1000000’
    {RE_THOUSAND, nullptr, nullptr, scaled<3>},   // ‘RM3 thousand’ -> ‘RM3000’
};
const Pass MONEY_ZH[] = {
    {RE_CURRENCY, money_zh, nullptr, at_starts<MONEY_LEADS, money_start, false>},  // ‘$5千万’ -> ‘五千万美元’
};
const Pass MONEY_ZH_MY[] = {
    {RE_CURRENCY, money_zh_my, nullptr, at_starts<MONEY_LEADS, money_start, false>},  // ‘$5千万’ -> ‘五千万美金’
};

// Both variants, after their money pass.
const Pass TAIL[] = {
    {RE_TIME_NO_MERIDIAN, read_time_plain},    // ‘14:30’ -> ‘十四点三十分’
    {RE_TIME, time_with_period},               // ‘2:30 pm’ -> ‘下午二点三十分’
    // ‘下午3:30’ -> ‘下午三点三十分’; every match holds a digit and a ":" or "."
    {RE_TIME_ZH, time_with_zh_period, nullptr, at_starts<PERIOD_LEADS, period_start, false>, rules::needs_of(R"(\d[:.])")},
    {RE_TIME_SHORTFORM, hour_with_period},     // ‘10 a.m.’ -> ‘上午十点’
    {RE_COMMA_NUM, read_grouped, nullptr, at_runs<mark_then_digit<','>>},  // ‘1,234,567.5’ -> ‘一百二十三万四千五百六十七点五’
    {RE_DECIMAL, read_decimal, nullptr, at_runs<mark_then_digit<'.'>>},  // ‘3.14’ -> ‘三点一四’
    {RE_DASHED, read_dashed_digits, nullptr, rules::replace_at_digit_runs},  // ‘012-3456’ -> ‘零 一 二 三 四 五 六’
    {RE_DASHED_ALNUM, read_dashed_alnum},      // ‘A1-B2’ -> ‘A 一 B 二’; two stashed entities typed ‘A-B’ stay keys
    {RE_ALNUM, read_mixed_token, nullptr, at_mixed_runs, mixed_needs()},  // ‘COVID19’ -> ‘C O V I D 一 九’
    {RE_NUMBER, read_number, nullptr, at_starts<DIGIT_LEADS, is_digit_at, true, put_number>},  // ‘2024’ -> ‘二零二四’, ‘2100’ -> ‘二千一百’
    {RE_LEFTOVER_DOT, leftover_dot},           // ‘a.b’ -> ‘a点b’
};

// The whole run of one variant, so that what a text holds is worked out once
// for every pass it does not change.
std::vector<Pass> variant_passes(bool is_my) {
  std::vector<Pass> out;
  using Part = std::span<const Pass>;
  for (Part part : {Part(HEAD), Part(is_my ? PERCENT_ZH_MY : PERCENT_ZH), Part(DATES_AND_SCALES),
                    Part(is_my ? MONEY_ZH_MY : MONEY_ZH), Part(TAIL)}) {
    for (const Pass& p : part) out.push_back(p);  // rows hold a reference: copied, never assigned
  }
  return out;
}

}  // namespace

std::string to_cardinal_zh_text(std::string_view digits) {
  std::string out;
  put_card(out, digits);
  return out;
}

namespace {

// The text without blanks at either end; ends that are certainly no blanks
// need no look-up.
std::string trimmed(std::string s) {
  if (s.empty()) return s;
  std::size_t last = s.size() - 1;
  while (last > 0 && (static_cast<unsigned char>(s[last]) & 0xC0) == 0x80) --last;
  if (!shared::may_be_digit_or_blank(s, 0) && !shared::may_be_digit_or_blank(s, last)) return s;
  const std::string_view t = unicode::trim(s);
  return t.size() == s.size() ? s : std::string(t);
}

}  // namespace

std::span<const rules::Pass> detail::passes(bool is_my) {
  static const std::vector<Pass> zh = variant_passes(false), zh_my = variant_passes(true);
  return is_my ? zh_my : zh;
}

// Every match of a pass holds a digit, "-", "." or "," (a money amount may
// be commas alone).
const rules::Needs& detail::reading_needs() {
  static const rules::Needs needs = rules::needs_of(R"([\d\-.,])");
  return needs;
}

std::string normalize_zh_variant(std::string_view text, bool is_my) {
  rules::Holds holds(text);
  if (!holds.may_match(detail::reading_needs())) return trimmed(std::string(text));
  return trimmed(rules::run_passes(std::string(text), detail::passes(is_my), {std::move(holds)}));
}

}  // namespace kalvesta::normalize_zh
