// Indonesian language normaliser: a pre-parse that rewrites Indonesian number
// formats (dot thousands, comma decimals, rb/jt suffixes) into the common
// forms, then the shared rule passes with Indonesian words.
#include "normalize_id.h"

#include "lang/words.h"
#include "normalize.h"
#include "num2word.h"
#include "regex.h"
#include "rules.h"
#include "unicode.h"

namespace kalvesta::normalize_id {

using num2word::ID_VOCAB;
using regex::Captures;

namespace {

// ---- number-format pre-parse ----

constinit regex::LazyRegex RE_DOTTED_THOUSANDS{R"((?<![\d.])(\d{1,3}(?:\.\d{3})+)(?:,(\d{1,2}))?(?!\.?\d))"};
constinit regex::LazyRegex RE_COMMA_DECIMAL{R"((?<![\d.,])(\d+),(\d+)(?![\d.,]))"};
constinit regex::LazyRegex RE_ID_CURRENCY_SUFFIX{R"((?i)(?<!\w)((?:Rp|IDR)\s?\d+(?:,\d{3})*(?:\.\d+)?)\s*(rb|jt|K|M|B|T)\b)"};
constinit regex::LazyRegex RE_ID_BARE_SUFFIX{R"((?i)\b(\d+(?:\.\d+)?)\s*(rb|jt)\b)"};

std::string dotted_thousands(const Captures& c) {
  if (c.matched(2)) return unicode::replace_all(c[1], ".", "") + "." + std::string(c[2]);
  return unicode::replace_all(c[1], ".", ",");
}
// Three digits after a comma group thousands unless the whole part starts
// with 0 (‘0,001’). A comma decimal shaped like a clock time (‘3,14’) keeps
// its comma, so that the clock passes never take it; the language passes
// read it as a decimal.
std::string comma_decimal(const Captures& c) {
  const std::size_t whole = c[1].size(), fraction = c[2].size();
  if (fraction == 3 && c[1].front() != '0') return std::string(c[0]);
  if (whole <= 2 && fraction == 2) return std::string(c[0]);
  return std::string(c[1]) + "." + std::string(c[2]);
}
std::string scale_suffix(const Captures& c) { return std::string(c[1]) + " " + suffix_word(c[2]); }

using rules::Pass;
using rules::kDigitBlank;
using rules::kDigitMarkDigit;
using rules::kDigitWord;
using rules::kDotDigit;

// Dotted thousands first, so that a comma decimal after them is taken whole.
const Pass PREPARSE_PASSES[] = {
    {.re = RE_DOTTED_THOUSANDS, .read = dotted_thousands, .near = kDigitMarkDigit | kDotDigit},  // ‘1.234.567,89’ -> ‘1234567.89’
    {.re = RE_COMMA_DECIMAL, .read = comma_decimal, .near = rules::kDigitCommaDigit},  // ‘12,5’ -> ‘12.5’
    {.re = RE_ID_CURRENCY_SUFFIX, .read = scale_suffix, .walk = rules::replace_after_codes, .near = kDigitWord},  // ‘Rp5jt’ -> ‘Rp5 juta’
    {.re = RE_ID_BARE_SUFFIX, .read = scale_suffix, .near = rules::kDigitRbJt},  // ‘10rb’ -> ‘10 ribu’
};

// ---- rule passes ----

constinit regex::LazyRegex RE_CURRENCY_ID{
    R"((?i)(?<![^\W\p{Ideographic}])(Rp|IDR)(?:\s?)([\d,]+(?:[\.,]\d+)?|\.\d+)(?:\s+(juta|miliar|triliun|ribu|million|billion|trillion|thousand)s?\b|\s?([千百万亿兆]+)|\b)|(?<![^\W\p{Ideographic}])(RM|MYR|USD|EUR|GBP|\$|£|€)(?:\s?)([\d,]+(?:[\.,]\d+)?|\.\d+)(?:\s+(juta|miliar|triliun|ribu|million|billion|trillion|thousand)s?\b|\s?([千百万亿兆]+)|\b))"};
constexpr std::string_view TIME_NO_MERIDIAN =
    R"((?i)\b(\d{1,2})[:\.](\d{2})(?::(\d{2}))?\b(?!:\d)(?!\s*(?:pagi|siang|sore|malam|am|pm|a\.m\.|p\.m\.))(?!\s*(?:kilogram|milligram|gigabyte)\b)(?!.*%))";
// A number the unit rewrite put before its unit word (‘1.25 kg’ -> ‘1.25
// kilogram’) is a quantity, no time.
constinit regex::LazyRegex RE_TIME_NO_MERIDIAN{TIME_NO_MERIDIAN};
// Run without its final "(?!.*%)", which the walk checks in linear time.
constinit regex::LazyRegex RE_TIME_NO_MERIDIAN_HEAD{rules::without_percent_guard(TIME_NO_MERIDIAN)};
constinit regex::LazyRegex RE_TIME{
    R"((?i)\b(\d{1,2})[:\.,](\d{2})(?::(\d{2}))?\s*(?:(pagi|siang|sore|malam|am|pm|a\.m\.|p\.m\.)))"};
constinit regex::LazyRegex RE_TIME_HOUR_ONLY{R"((?i)\b(\d{1,2})\s*(am|pm|a\.m\.|p\.m\.|pagi|siang|sore|malam)\b)"};
constinit regex::LazyRegex RE_TIME_SHAPED_DECIMAL{
    R"((?i)(?<![\d.,])(\d{1,2}),(\d{2})(?![\d.,%])(?!\s*(?:pagi|siang|sore|malam|am|pm|a\.m\.|p\.m\.)))"};
constinit regex::LazyRegex RE_PERCENT{R"(((?<![\w.])\.\d+|\b\d+(?:[.,]\d+)?)%)"};

std::string cardinal(unsigned n) { return num2word::to_cardinal_with(n, ID_VOCAB); }
std::string number(std::string_view t) { return rules::read_number(t, ID_VOCAB); }
std::string digits(std::string_view t) { return rules::digit_by_digit(t, ID_VOCAB); }

std::string date_ymd(const Captures& c) {
  if (!rules::is_day_and_month(parse_num(c[3]), parse_num(c[2]))) return std::string(c[0]);
  return rules::read_date(c[3], c[2], c[1], lang::id::MONTHS, ID_VOCAB);
}
std::string date_dmy(const Captures& c) {
  if (!rules::is_day_and_month(parse_num(c[1]), parse_num(c[2]))) return std::string(c[0]);
  return rules::read_date(c[1], c[2], c[3], lang::id::MONTHS, ID_VOCAB);
}

std::string money(const Captures& c) {
  bool rupiah = c.matched(1);
  std::string code = unicode::to_upper(c[rupiah ? 1 : 5]);
  std::string amount = amount_digits(c[rupiah ? 2 : 6]);
  std::size_t scale_group = rupiah ? 3 : 7, chinese_scale = scale_group + 1;
  // Every code the pattern admits is in the table; an odd case fold keeps its text.
  const lang::CurrencyRow* row = lang::find_currency(lang::id::MONEY, code);
  const std::string_view unit = row ? row->major : std::string_view(code);
  std::size_t dot = amount.find('.');
  std::string_view whole = std::string_view(amount).substr(0, dot);
  // Fractions are read digit by digit, "00" included: ‘Rp5.00’ -> ‘lima rupiah nol nol sen’.
  std::string_view written = dot == std::string::npos ? std::string_view{} : std::string_view(amount).substr(dot + 1);
  std::string frac = digits(written);
  std::string out = number(whole);
  // A scaled amount, or one with more decimals than sen, is one decimal number.
  if (c.matched(scale_group) || c.matched(chinese_scale) || unicode::char_count(written) > 2) {
    if (dot != std::string::npos) out.append(" koma ").append(frac);
    if (c.matched(chinese_scale)) out.append(" ").append(c[chinese_scale]);  // kept as written
    if (c.matched(scale_group)) {
      std::string lower = unicode::to_lower(c[scale_group]);
      out.append(" ").append(lang::scale_from_english(lower, lang::id::SCALES));
    }
    return out.append(" ").append(unit);
  }
  out.append(" ").append(unit);
  // The pass reads every fraction as sen, whatever the currency's subunit.
  if (dot != std::string::npos) out.append(" ").append(frac).append(" ").append(lang::id::MONEY[0].minor);
  return out;
}

std::string clock(const Captures& c) { return rules::read_clock(c, ID_VOCAB); }

// "am" is pagi; "pm" is sore until 18 and malam from then on.
std::string period_word(unsigned h, std::string_view group) {
  std::string mer = unicode::replace_all(unicode::to_lower(group), ".", "");
  if (mer == "am") return "pagi";
  if (mer == "pm") return h < 18 ? "sore" : "malam";
  return mer;
}

std::string clock_with_period(const Captures& c) {
  return rules::read_clock_words(c, ID_VOCAB).append(" ").append(period_word(rules::read_small(c[1]), c[4]));
}

std::string hour_with_period(const Captures& c) {
  unsigned h = rules::read_small(c[1]);
  return cardinal(h).append(" ").append(period_word(h, c[2]));
}

std::string percent(const Captures& c) {
  std::string n = unicode::replace_all(c[1], ",", ".");
  std::size_t dot = n.find('.');
  if (dot == std::string::npos) return number(n) + " persen";
  std::string_view v = n;
  // ‘.5%’ has no whole part to read
  return (dot == 0 ? std::string() : number(v.substr(0, dot)) + " ").append("koma ").append(digits(v.substr(dot + 1))).append(" persen");
}

std::string decimal(const Captures& c) {
  return (c[1].empty() ? std::string() : number(c[1]) + " ").append("koma ").append(digits(c[2]));
}
std::string dashed(const Captures& c) { return rules::spread_digits(c[1]); }
std::string comma_number(const Captures& c) { return number(c[0]); }
std::string adjacent(const Captures& c) { return rules::join_digit_groups(c[0]); }
std::string plain_number(const Captures& c) { return rules::read_digit_run(c[0], ID_VOCAB); }
std::string mixed_token(const Captures& c) { return normalize_mixed_alnum_id(c[0]); }

// Runs after the pre-parse and the scale expansion; money before the clock
// passes, and the clock passes before decimals, so ‘3.14’ reads as a time.
const Pass INDONESIAN_PASSES[] = {
    {.re = rules::RE_DATE_YMD, .read = date_ymd, .near = rules::kDigitDate},  // ‘2024-03-05’ -> ‘lima Maret dua ribu dua puluh empat’
    {.re = rules::RE_DATE, .read = date_dmy, .near = rules::kDigitDate},  // ‘05/03/24’ -> ‘lima Maret dua puluh empat’
    {RE_CURRENCY_ID, money, nullptr, rules::replace_after_codes},  // ‘Rp5.5’ -> ‘lima rupiah lima sen’
    {.re = RE_TIME_SHAPED_DECIMAL, .read = decimal, .near = rules::kDigitCommaDigit},  // ‘3,14’ -> ‘tiga koma satu empat’
    {.re = RE_TIME_NO_MERIDIAN, .read = clock, .head = &RE_TIME_NO_MERIDIAN_HEAD, .near = kDigitMarkDigit},  // ‘10.30’ -> ‘sepuluh tiga puluh’
    {.re = RE_TIME, .read = clock_with_period, .near = kDigitMarkDigit | rules::kDigitPeriod},  // ‘10.30 pm’ -> ‘sepuluh tiga puluh sore’
    {.re = RE_TIME_HOUR_ONLY, .read = hour_with_period, .near = rules::kDigitPeriod},  // ‘8 pm’ -> ‘delapan sore’
    {RE_PERCENT, percent},                    // ‘1,234%’ -> ‘satu koma dua tiga empat persen’
    {.re = rules::RE_DECIMAL, .read = decimal, .near = kDotDigit},  // ‘1.5’ -> ‘satu koma lima’
    {rules::RE_DASHED, dashed, nullptr, rules::replace_at_digit_runs},  // ‘012-345’ -> ‘0 1 2 3 4 5’
    {.re = rules::RE_GROUPED_ALNUM, .read = rules::ungrouped, .near = rules::kDigitCommaDigit},  // ‘1,000th’ -> ‘1000th’
    {.re = rules::RE_COMMA_NUM, .read = comma_number, .near = rules::kDigitCommaDigit},  // ‘1,500’ -> ‘seribu lima ratus’
    {.re = rules::RE_ADJACENT, .read = adjacent, .near = kDigitBlank},  // ‘0 1 2 3 4 5’ -> ‘012345’
    {rules::RE_NUMBER, plain_number},     // ‘12345’ -> ‘satu dua tiga empat lima’
    {rules::RE_ALNUM, mixed_token, nullptr, rules::replace_words_with_digits},  // ‘B8’ -> ‘B delapan’
};

}  // namespace

std::string suffix_word(std::string_view suffix) {
  std::string key = unicode::to_lower(suffix);
  for (const auto& [k, power] : lang::id::SCALE_SUFFIXES) {
    if (k == key) return std::string(lang::scale_word(lang::id::SCALES, power));
  }
  return std::string(suffix);  // the patterns hand over only the suffixes above
}

// The pre-parse leaves a clock-shaped comma decimal (‘Rp12,50’) as written.
std::string amount_digits(std::string_view amount) {
  std::string out(amount);
  const std::size_t comma = out.rfind(',');
  if (comma != std::string::npos && out.find('.') == std::string::npos && out.size() - comma <= 3) out[comma] = '.';
  return unicode::replace_all(out, ",", "");
}

std::span<const rules::Pass> indonesian_passes(bool preparse) {
  if (preparse) return PREPARSE_PASSES;
  return INDONESIAN_PASSES;
}

std::string preparse_number_formats(std::string_view text, rules::Known* after) {
  return preparse_number_formats(std::string(text), after);
}
std::string preparse_number_formats(std::string&& text, rules::Known* after) {
  return rules::run_passes(std::move(text), PREPARSE_PASSES, {}, after);
}

std::string normalize_mixed_alnum_id(std::string_view token) { return rules::mixed_alnum(token, lang::id::DIGITS); }

std::string normalize_indonesian(std::string_view text) { return normalize_indonesian(std::string(text)); }
std::string normalize_indonesian(std::string&& text) {
  // A bare number: as in Malay, only the plain-number pass reads it.
  if (all_ascii_digits(text)) return rules::read_digit_run(text, ID_VOCAB);
  rules::Known known;
  std::string scaled = normalize::expand_suffixes_no_m(preparse_number_formats(std::move(text), &known), &known);
  return rules::run_passes(std::move(scaled), INDONESIAN_PASSES, std::move(known));
}

}  // namespace kalvesta::normalize_id
