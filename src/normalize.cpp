// Malay language normaliser: ordered rule passes that turn dates, money,
// clock times, percentages and numbers into Malay words, plus the currency
// scale-suffix expansion ("RM1.5K" -> "RM1500") that runs for every language.
#include "normalize.h"

#include <algorithm>
#include <cstdint>

#include "lang/words.h"
#include "num2word.h"
#include "numtext.h"
#include "rules.h"
#include "unicode.h"

namespace kalvesta::normalize {

using namespace rules;
using regex::Captures;
using num2word::MS_VOCAB;
using num2word::NumberVocab;

// ---- currency scale suffixes ----

// A currency code or sign and its amount: the head of every scale row.
#define KALVESTA_AMOUNT R"((?i)(?<!\w)(RM|Rp|\$|£|€|USD|EUR|GBP|MYR|IDR)(?:\s?)(\d+(?:,\d{3})*(?:\.\d+)?|\.\d+))"
constinit regex::LazyRegex RE_K_SUFFIX{KALVESTA_AMOUNT R"(K\b)"};
constinit regex::LazyRegex RE_M_SUFFIX{KALVESTA_AMOUNT R"(M\b)"};
constinit regex::LazyRegex RE_B_SUFFIX{KALVESTA_AMOUNT R"(B\b)"};
constinit regex::LazyRegex RE_T_SUFFIX{KALVESTA_AMOUNT R"(T\b)"};
constinit regex::LazyRegex RE_RIBU_SUFFIX{KALVESTA_AMOUNT R"(\s+ribu\b)"};
constinit regex::LazyRegex RE_JUTA_SUFFIX{KALVESTA_AMOUNT R"(\s+juta\b)"};
constinit regex::LazyRegex RE_MILIAR_SUFFIX{KALVESTA_AMOUNT R"(\s+miliar\b)"};
constinit regex::LazyRegex RE_TRILIUN_SUFFIX{KALVESTA_AMOUNT R"(\s+(?:trilion|triliun)\b)"};

namespace {

// Every row's match is a match of its gate, at the same start: a text
// without a gate match has no row match, and no row changes it.
constinit regex::LazyRegex RE_ANY_SUFFIX{KALVESTA_AMOUNT R"((?:K|M|B|T|\s+ribu|\s+juta|\s+miliar|\s+(?:trilion|triliun))\b)"};
constinit regex::LazyRegex RE_ANY_SUFFIX_NO_M{KALVESTA_AMOUNT R"((?:K|B|T|\s+ribu|\s+juta|\s+miliar|\s+(?:trilion|triliun))\b)"};
#undef KALVESTA_AMOUNT

// Code then the amount with its decimal point moved `zeros` places right:
// digit arithmetic, exact at any size (‘RM12345678901234567K’ is
// ‘RM12345678901234567000’, where a double gives ...567168). Grouping commas,
// leading zeros and a fraction's trailing zeros go (‘RM0.50K’ -> ‘RM500’);
// an amount in other digits reads as 0.
std::string scaled_amount(const Captures& c, unsigned zeros) {
  const std::string ungrouped = unicode::replace_all(c[2], ",", "");
  std::string_view amount = ungrouped;
  std::string out(c[1]);
  if (amount.find_first_not_of("0123456789.") != std::string_view::npos) return out + "0";
  const std::size_t dot = std::min(amount.find('.'), amount.size());
  std::string digits(amount.substr(0, dot));
  std::string_view fraction = amount.substr(std::min(dot + 1, amount.size()));
  const std::size_t point = digits.size() + zeros;
  digits += fraction;
  if (digits.size() < point) digits.append(point - digits.size(), '0');
  std::size_t first = std::min(digits.find_first_not_of('0'), point - 1);
  std::size_t last = digits.find_last_not_of('0');
  out.append(digits, first, point - first);
  if (last != std::string::npos && last >= point) out.append(".").append(digits, point, last + 1 - point);
  return out;
}

template <unsigned Zeros>
std::string times_ten_to(const Captures& c) { return scaled_amount(c, Zeros); }

// Applied in this order, each over the previous output, so a letter suffix
// followed by a scale word compounds: ‘RM2K ribu’ -> ‘RM2000 ribu’ -> ‘RM2000000’.
const Pass SCALES[] = {
    {RE_T_SUFFIX, times_ten_to<12>, nullptr, replace_after_codes},
    {RE_TRILIUN_SUFFIX, times_ten_to<12>, nullptr, replace_after_codes},
    {RE_B_SUFFIX, times_ten_to<9>, nullptr, replace_after_codes},
    {RE_MILIAR_SUFFIX, times_ten_to<9>, nullptr, replace_after_codes},
    {RE_M_SUFFIX, times_ten_to<6>, nullptr, replace_after_codes},
    {RE_JUTA_SUFFIX, times_ten_to<6>, nullptr, replace_after_codes},
    {RE_K_SUFFIX, times_ten_to<3>, nullptr, replace_after_codes},
    {RE_RIBU_SUFFIX, times_ten_to<3>, nullptr, replace_after_codes},
};
constexpr std::size_t M_ROW = 4;

// The rows of one run (all, or all but "M") and their gate.
struct Scales {
  bool with_m;
  const regex::LazyRegex& gate;
  Needs needs = needs_of(gate.pattern());
};
const Scales ALL{true, RE_ANY_SUFFIX};
const Scales NO_M{false, RE_ANY_SUFFIX_NO_M};

std::string apply_scales(std::string text, const Scales& scales, Known* known) {
  // Every row ends in an amount and its suffix.
  if (!may_hold_scale(text)) return text;
  Known facts = known ? std::move(*known) : Known{};
  // No match starts before the first code.
  if (facts.first_code == Known{}.first_code) facts.first_code = next_code_start(text, 0);
  Captures caps;
  if (facts.first_code == std::string_view::npos || (facts.holds && !facts.holds->may_match(scales.needs)) ||
      !scales.gate->find_at(text, facts.first_code, caps)) {
    // The text comes back as it is, so what was found about it stands.
    if (known) *known = std::move(facts);
    return text;
  }
  if (known) *known = Known{};  // the passes may change the text
  const std::span<const Pass> rows(SCALES);
  if (scales.with_m) return run_passes(std::move(text), rows, std::move(facts));
  return run_passes(run_passes(std::move(text), rows.first(M_ROW), std::move(facts)), rows.subspan(M_ROW + 1));
}

}  // namespace

std::string expand_suffix(std::string_view text, const regex::Regex& pattern, unsigned zeros) {
  return pattern.replace_all(text, [zeros](const Captures& c) { return scaled_amount(c, zeros); });
}

std::string expand_suffixes_no_m(std::string_view text, Known* known) {
  return apply_scales(std::string(text), NO_M, known);
}
std::string expand_suffixes_no_m(std::string&& text, Known* known) { return apply_scales(std::move(text), NO_M, known); }

std::string expand_all_currency_suffixes(std::string_view text, Known* known) {
  return apply_scales(std::string(text), ALL, known);
}
std::string expand_all_currency_suffixes(std::string&& text, Known* known) {
  return apply_scales(std::move(text), ALL, known);
}

// ---- Malay rule passes ----

namespace {

constinit regex::LazyRegex RE_CURRENCY{
    R"((?i)(?<![^\W\p{Ideographic}])(RM|\$|£|€|USD|EUR|GBP|MYR)(?:\s?)([\d,]+(?:[\.,]\d+)?|\.\d+)(?:\s+(juta|bilion|trilion|ribu|million|billion|trillion|thousand)s?\b|\s?([千百万亿兆]+)|\b))"};
constinit regex::LazyRegex RE_TIME{
    R"((?i)\b(\d{1,2})[:\.](\d{2})(?::(\d{2}))?\s*(?:(am|pm|a\.m\.|p\.m\.|malam|petang)))"};
constinit regex::LazyRegex RE_TIME_HOUR_ONLY{
    R"((?i)\b(\d{1,2})\s*(am|pm|a\.m\.|p\.m\.|malam|petang|pagi|siang|tengah hari)\b)"};

constexpr std::string_view TIME_NO_MERIDIAN =
    R"((?i)\b(\d{1,2}):(\d{2})(?::(\d{2}))?\b(?!:\d)(?!\s*(?:am|pm|a\.m\.|p\.m\.|malam|petang))(?!.*%))";
constinit regex::LazyRegex RE_TIME_NO_MERIDIAN{TIME_NO_MERIDIAN};
// Run without its final "(?!.*%)", which the walk checks in linear time.
constinit regex::LazyRegex RE_TIME_NO_MERIDIAN_HEAD{without_percent_guard(TIME_NO_MERIDIAN)};
static_assert(without_percent_guard(TIME_NO_MERIDIAN) != TIME_NO_MERIDIAN);

}  // namespace

std::string digit_word_upper(char32_t c) {
  if (unicode::is_ascii_digit(c)) return std::string(lang::ms::DIGITS[c - U'0']);
  return unicode::upper_char(c);
}

std::string normalize_mixed_alnum(std::string_view token) { return mixed_alnum(token, lang::ms::DIGITS); }

namespace {

std::string cardinal(unsigned n) { return num2word::to_cardinal_with(n, MS_VOCAB); }
std::string number(std::string_view t) { return read_number(t, MS_VOCAB); }


std::string date_ymd(const Captures& c) {
  if (!is_day_and_month(parse_num(c[3]), parse_num(c[2]))) return std::string(c[0]);
  return read_date(c[3], c[2], c[1], lang::ms::MONTHS, MS_VOCAB);
}
std::string date_dmy(const Captures& c) {
  if (!is_day_and_month(parse_num(c[1]), parse_num(c[2]))) return std::string(c[0]);
  return read_date(c[1], c[2], c[3], lang::ms::MONTHS, MS_VOCAB);
}

std::string money(const Captures& c) {
  std::string code = unicode::to_upper(c[1]);
  // Every code the pattern admits is in the table; an odd case fold keeps its text.
  const lang::CurrencyRow* row = lang::find_currency(lang::ENTITY_MONEY, code);
  const std::string_view unit = row ? row->major : std::string_view(code);
  std::string amount = unicode::replace_all(c[2], ",", "");
  std::size_t dot = amount.find('.');
  std::string_view whole = std::string_view(amount).substr(0, dot);
  std::string_view frac = dot == std::string::npos ? std::string_view{} : std::string_view(amount).substr(dot + 1);
  std::string out = number(whole);
  // A scaled amount, or one with more decimals than sen, is one decimal number.
  if (c.matched(3) || c.matched(4) || unicode::char_count(frac) > 2) {
    if (dot != std::string::npos) out += " perpuluhan " + digit_by_digit(frac, MS_VOCAB);
    if (c.matched(4)) out.append(" ").append(c[4]);  // a Chinese scale stays as written
    if (c.matched(3)) {
      // English scale words as Malay says them; Malay ones stay.
      std::string lower = unicode::to_lower(c[3]);
      out.append(" ").append(lang::scale_from_english(lower, lang::ms::SCALES));
    }
    return out.append(" ").append(unit);
  }
  out += ' ';
  out += unit;
  if (dot == std::string::npos) return out;
  // One fraction digit means tens of sen: "RM12.5" is twelve ringgit fifty sen.
  std::string cents(frac);
  if (cents.size() == 1) cents += '0';
  if (cents == "00") return out;
  // An odd case fold without a row reads its cents as sen.
  return out + " " + number(cents) + " " + std::string(row ? row->minor : lang::find_currency(lang::ENTITY_MONEY, "RM")->minor);
}

std::string clock(const Captures& c) { return read_clock(c, MS_VOCAB); }

std::string clock_with_period(const Captures& c) {
  std::string mer = unicode::to_lower(c[4]);
  std::string period;
  if (unicode::char_count(mer) <= 2) {
    std::size_t pos = 0;
    period = unicode::to_utf8(unicode::decode(mer, pos)) + " m";
  } else {
    period = std::string(c[4]);
  }
  std::string out = read_clock_words(c, MS_VOCAB);
  out.append(" ").append(period);
  return std::string(unicode::trim(out));
}

std::string hour_with_period(const Captures& c) {
  unsigned h = read_small(c[1]);
  std::string mer = unicode::replace_all(unicode::to_lower(c[2]), ".", "");
  std::string_view period = mer;
  if (mer == "am") period = "pagi";
  if (mer == "pm") period = h < 18 ? "petang" : "malam";
  return cardinal(h) + " " + std::string(period);
}

std::string percent(const Captures& c) {
  std::string_view n = c[1];
  std::size_t dot = n.find('.');
  if (dot == std::string_view::npos) return number(n) + " peratus";
  // ‘.5%’ has no whole part to read
  return (dot == 0 ? std::string() : number(n.substr(0, dot)) + " ") + "perpuluhan " +
         digit_by_digit(n.substr(dot + 1), MS_VOCAB) + " peratus";
}

std::string decimal(const Captures& c) {
  return (c[1].empty() ? std::string() : number(c[1]) + " ") + "perpuluhan " + digit_by_digit(c[2], MS_VOCAB);
}
std::string dashed(const Captures& c) { return spread_digits(c[1]); }
std::string comma_number(const Captures& c) { return number(c[0]); }
std::string adjacent(const Captures& c) { return join_digit_groups(c[0]); }
std::string plain_number(const Captures& c) { return read_digit_run(c[0], MS_VOCAB); }
std::string mixed_token(const Captures& c) { return normalize_mixed_alnum(c[0]); }

// Order matters: money before times ("RM10.30" is not a clock), times before
// decimals, and the dashed/adjacent/number trio spreads, rejoins, then reads.
const Pass MALAY_PASSES[] = {
    {.re = RE_ZERO_COMMA, .read = zero_point, .near = kDigitCommaDigit},  // ‘0,001’ -> ‘0.001’
    {.re = RE_K_SUFFIX, .read = times_ten_to<3>, .walk = replace_after_codes, .near = kDigitWord},  // ‘RM1.5K’ -> ‘RM1500’
    {.re = RE_DATE_YMD, .read = date_ymd, .near = kDigitDate},  // ‘2024-03-05’ -> ‘lima Mac dua ribu dua puluh empat’
    {.re = RE_DATE, .read = date_dmy, .near = kDigitDate},  // ‘05/03/24’ -> ‘lima Mac dua puluh empat’
    {RE_CURRENCY, money, nullptr, replace_after_codes},  // ‘RM5.50’ -> ‘lima ringgit lima puluh sen’, ‘RM5.125’ -> ‘lima perpuluhan satu dua lima ringgit’
    {.re = RE_TIME_NO_MERIDIAN, .read = clock, .head = &RE_TIME_NO_MERIDIAN_HEAD, .near = kDigitMarkDigit},  // ‘10:30’ -> ‘sepuluh tiga puluh’
    {.re = RE_TIME, .read = clock_with_period, .near = kDigitMarkDigit | kDigitPeriod},  // ‘10:30pm’ -> ‘sepuluh tiga puluh p m’
    {.re = RE_TIME_HOUR_ONLY, .read = hour_with_period, .near = kDigitPeriod},  // ‘3pm’ -> ‘tiga petang’
    {.re = RE_GROUPED_DECIMAL, .read = ungrouped, .near = kDigitCommaDigit | kDotDigit},  // ‘7,654.32’ -> ‘7654.32’
    {RE_PERCENT, percent},                    // ‘12.5%’ -> ‘dua belas perpuluhan lima peratus’
    {.re = RE_DECIMAL, .read = decimal, .near = kDotDigit},  // ‘3.14’ -> ‘tiga perpuluhan satu empat’, ‘.5’ -> ‘perpuluhan lima’
    {RE_DASHED, dashed, nullptr, replace_at_digit_runs},  // ‘012-345’ -> ‘0 1 2 3 4 5’
    {.re = RE_GROUPED_ALNUM, .read = ungrouped, .near = kDigitCommaDigit},  // ‘1,000th’ -> ‘1000th’
    {.re = RE_COMMA_NUM, .read = comma_number, .near = kDigitCommaDigit},  // ‘1,500’ -> ‘seribu lima ratus’
    {.re = RE_ADJACENT, .read = adjacent, .near = kDigitBlank},  // ‘0 1 2 3 4 5’ -> ‘012345’
    {RE_NUMBER, plain_number},                // ‘12345’ -> ‘satu dua tiga empat lima’
    {RE_ALNUM, mixed_token, nullptr, replace_words_with_digits},  // ‘b2b’ -> ‘B dua B’
};

}  // namespace

// A bare number is one match of the plain-number pass; every other pass
// needs a character it lacks, and its reading holds no digit.
std::span<const Pass> malay_passes() { return MALAY_PASSES; }

std::string normalize_malay(std::string_view text) { return normalize_malay(std::string(text)); }
std::string normalize_malay(std::string&& text) {
  if (all_ascii_digits(text)) return read_digit_run(text, MS_VOCAB);
  return run_passes(std::move(text), MALAY_PASSES);
}

}  // namespace kalvesta::normalize
