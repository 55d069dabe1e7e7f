// The patterns and spellers of the entity kinds that read alike in every
// language (temperature, fraction, multiplier, "hari bulan" day, Hijri year),
// and the measurement pass that speaks a number followed by a unit.
#include "shared.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "langpack.h"
#include "normalize_zh.h"
#include "num2word.h"
#include "num2word_en.h"
#include "numtext.h"
#include "result.h"
#include "unicode.h"

namespace kalvesta::shared {

namespace {

using langpack::LanguagePack;
using langpack::WordMap;

constinit regex::LazyRegex RE_DISTANCE{
    R"((?i)((?<![\w.])\.\d+|\b-?\d+(?:,\d{3})*(?:[\.,]\d+)?)\s*(km|m|cm|mm|ft|in|yd|mi|batu|kaki|inci)\b)"};
constinit regex::LazyRegex RE_VOLUME{R"((?i)((?<![\w.])\.\d+|\b-?\d+(?:,\d{3})*(?:[\.,]\d+)?)\s*(ml|l|gal)\b)"};
constinit regex::LazyRegex RE_WEIGHT{R"((?i)((?<![\w.])\.\d+|\b-?\d+(?:,\d{3})*(?:[\.,]\d+)?)\s*(kg|g|mg|lb|oz)\b)"};
constinit regex::LazyRegex RE_DURATION{
    R"((?i)\b(\d+(?:,\d{3})*(?:[\.,]\d+)?)\s*(jam|minit|saat|hours?|minutes?|seconds?)\b)"};
constinit regex::LazyRegex RE_AREA{R"((?i)((?<![\w.])\.\d+|\b-?\d+(?:,\d{3})*(?:[\.,]\d+)?)\s*(sq\s+ft|sqft)\b)"};

// Digits "0"-"9" only, below 2^128; nothing otherwise (no sign accepted).
std::optional<u128> read_unsigned(std::string_view text) {
  if (!all_ascii_digits(text)) return std::nullopt;
  return parse_u128(text);
}


// The value of one fraction character: an ASCII digit, anything else 0.
unsigned digit_value(char32_t c) { return c >= U'0' && c <= U'9' ? unsigned(c - U'0') : 0; }

// A group that took no part reads as "0".
std::string_view group_or_zero(const regex::Captures& caps, std::size_t i) {
  return caps.matched(i) ? caps.group(i) : std::string_view("0");
}

// "1.5" -> ("1", "5"); without a "." the fraction is empty and absent.
struct Split {
  std::string_view whole, fraction;
  bool has_point;
};
Split split_point(std::string_view number) {
  auto dot = number.find('.');
  if (dot == std::string_view::npos) return {number, {}, false};
  return {number.substr(0, dot), number.substr(dot + 1), true};
}

}  // namespace

std::string zh_fraction(std::string_view fraction) {
  std::string out;
  for (std::size_t pos = 0; pos < fraction.size();)
    out += normalize_zh::to_cardinal_zh(digit_value(unicode::decode(fraction, pos)));
  return out;
}

std::string_view decimal_word(std::string_view lang) {
  if (lang == "en") return "point";
  if (lang == "id") return "koma";
  if (is_chinese(lang)) return "点";
  return "perpuluhan";
}

std::string spaced_fraction(std::string_view fraction, std::string_view lang) {
  std::string out;
  for (std::size_t pos = 0; pos < fraction.size();) {
    if (!out.empty()) out += ' ';
    out += cardinal_for(digit_value(unicode::decode(fraction, pos)), lang);
  }
  return out;
}

namespace {

// Whether the comma at `comma` groups thousands: exactly three digits follow
// it, and the number does not start with a lone zero (‘0,001’ is a decimal).
bool groups_thousands(std::string_view text, std::size_t comma) {
  std::size_t digits = 0;
  while (comma + 1 + digits < text.size() && unicode::is_ascii_digit(static_cast<unsigned char>(text[comma + 1 + digits])))
    ++digits;
  return digits == 3 && !text.starts_with("0,");
}

// A comma that groups thousands goes (‘1,000’ -> ‘1000’); any other is a
// decimal point (‘1,5’ -> ‘1.5’, ‘36,6’ -> ‘36.6’, ‘0,001’ -> ‘0.001’).
std::string decimal_commas(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ',') {
      out.push_back(text[i]);
      continue;
    }
    if (!groups_thousands(text, i)) out.push_back('.');
  }
  return out;
}

const std::string* lookup(const WordMap& table, const std::string& key) {
  auto it = table.find(key);
  return it == table.end() ? nullptr : &it->second;
}

// The first match, or nothing when there is none or matching fails: an
// entity that cannot be read comes back as written.
std::optional<regex::Captures> first_match(const regex::LazyRegex& re, std::string_view text) {
  try {
    return re->captures(text);
  } catch (const InternalFailure&) {
    return std::nullopt;
  }
}

// ---- measurement pass ----

// The spaced reading of an unsigned number text with an optional decimal
// point, digit for digit as written (a fraction's trailing zeros go: 1.50
// reads as 1.5, 2.0 as 2); text in other digits stays as written.
std::string spaced_measure(std::string_view number, std::string_view as_written,
                           std::string_view lang) {
  Split s = split_point(number);
  const bool leading_dot = s.has_point && s.whole.empty();  // ‘.5’
  if ((!leading_dot && !all_ascii_digits(s.whole)) || (s.has_point && !all_ascii_digits(s.fraction)))
    return std::string(as_written);
  std::string_view fraction = s.fraction.substr(0, s.fraction.find_last_not_of('0') + 1);
  if (leading_dot && !fraction.empty()) return "perpuluhan " + spaced_fraction(fraction, lang);
  std::string out = leading_dot ? cardinal_for(0, lang) : cardinal_text(s.whole, lang);
  if (fraction.empty()) return out;
  return out + " perpuluhan " + spaced_fraction(fraction, lang);
}

std::string zh_measure(std::string_view number) {
  Split s = split_point(number);
  if (s.has_point)
    return normalize_zh::to_cardinal_zh_text(s.whole) + "点" + zh_fraction(s.fraction);
  return normalize_zh::to_cardinal_zh_text(number);
}

std::string read_measure(const regex::Captures& caps, const WordMap& units, std::string_view lang,
                         bool fraction_to_passes) {
  const std::string* unit = lookup(units, unicode::to_lower(caps.group(2)));
  if (!unit) return std::string(caps.group(0));
  std::string_view written = group_or_zero(caps, 1);
  const std::string_view gap = is_chinese(lang) ? "" : " ";
  // A number that only ends here (‘1.2.5 km’) is left for the language
  // passes to read; only its unit is read.
  std::string_view before = caps.subject().substr(0, caps.start(0));
  if (before.size() >= 2 && (before.back() == '.' || before.back() == ',') &&
      unicode::is_ascii_digit(static_cast<unsigned char>(before[before.size() - 2])))
    return std::string(written) + std::string(gap) + *unit;
  if (fraction_to_passes) {
    // So is a duration's fraction, read as the language passes read one
    // (‘1.5 hours’ -> ‘one point five hours’), a decimal comma as a point.
    std::string number(written);
    const std::size_t comma = number.rfind(',');
    const bool comma_decimal =
        number.find('.') == std::string::npos && comma != std::string::npos && !groups_thousands(number, comma);
    if (comma_decimal && lang != "id") number[comma] = '.';  // Indonesian passes read a decimal comma
    if (comma_decimal || number.find('.') != std::string::npos) return number + std::string(gap) + *unit;
  }
  // A "-" here always follows a word character (the "\b" before it needs
  // one), so it joins a range or a token rather than signing the number: it
  // stays in front of the reading as written.
  std::string out;
  if (!written.empty() && written.front() == '-') {
    out = "-";
    written.remove_prefix(1);
  }
  std::string number = decimal_commas(written);
  if (is_chinese(lang)) return out + zh_measure(number) + *unit;
  return out + spaced_measure(number, written, lang) + " " + *unit;
}

struct MeasurePass {
  const regex::LazyRegex& re;
  WordMap LanguagePack::*units;
  WordList words;  // the pattern's units, up to the first blank
  bool fraction_to_passes = false;
};

constexpr std::string_view DISTANCE_UNITS[] = {"km", "m", "cm", "mm", "ft", "in", "yd", "mi", "batu", "kaki", "inci"};
constexpr std::string_view VOLUME_UNITS[] = {"ml", "l", "gal"};
constexpr std::string_view WEIGHT_UNITS[] = {"kg", "g", "mg", "lb", "oz"};
constexpr std::string_view DURATION_UNITS[] = {"jam",    "minit",   "saat",   "hour",   "hours",
                                               "minute", "minutes", "second", "seconds"};
constexpr std::string_view AREA_UNITS[] = {"sq", "sqft"};

// Applied in this order, each over the previous output.
const MeasurePass MEASURE_PASSES[] = {
    // ‘5 km’ -> ‘lima kilometer’
    {RE_DISTANCE, &LanguagePack::distance_units, DISTANCE_UNITS},
    // ‘0.5 l’ -> ‘kosong perpuluhan lima liter’
    {RE_VOLUME, &LanguagePack::volume_units, VOLUME_UNITS},
    // ‘1,5kg’ -> ‘satu perpuluhan lima kilogram’
    {RE_WEIGHT, &LanguagePack::weight_units, WEIGHT_UNITS},
    // ‘3 hours’ -> ‘three hours’, ‘2,5 jam’ -> ‘2.5 jam’
    {RE_DURATION, &LanguagePack::duration_units, DURATION_UNITS, true},
    // ‘200 sq ft’ -> ‘dua ratus kaki persegi’
    {RE_AREA, &LanguagePack::area_units, AREA_UNITS},
};

// Bit r for each row of MEASURE_PASSES that may match here. Every match is a
// number ending in a digit, blanks, then its unit, a whole run of letters
// (the "\b" after it) as a caseless pattern sees them. Such a run counts when
// it follows, past ASCII blanks, a character that may be a digit (or a blank
// of another script).
unsigned rows_after_numbers(std::string_view text) {
  unsigned rows = 0;
  CaselessWord word;
  for (std::size_t i = 0; (i = next_maybe_digit(text, i)) < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t k = i + 1;
    if (b < 0x80) {
      // Only the last digit of a run may have a unit after it.
      while (k < text.size() && unicode::is_ascii_digit(static_cast<unsigned char>(text[k]))) ++k;
    } else {
      while (k < text.size() && (static_cast<unsigned char>(text[k]) & 0xC0) == 0x80) ++k;  // past the character
      if (b < 0xC0 || neither_digit_nor_blank(text, i)) {
        i = k;
        continue;
      }
    }
    i = k;
    while (k < text.size() && unicode::is_ascii_blank(static_cast<unsigned char>(text[k]))) ++k;
    if (k == text.size() || !may_begin_letter(static_cast<unsigned char>(text[k]))) continue;
    if (caseless_word_end(text, k, &word) == k) continue;
    for (std::size_t r = 0; r < std::size(MEASURE_PASSES); ++r) {
      if (MEASURE_PASSES[r].words.contains(word.view())) rows |= 1u << r;
    }
  }
  return rows;
}

}  // namespace

// ---- the kinds that read alike in every language ----

// Every match holds a unit letter (the Kelvin sign ends in byte AA): the
// look-behind lets every digit of a non-ASCII run start a try.
constinit regex::LazyRegex RE_TEMPERATURE{
    R"((?i)(?<![A-Za-z0-9_])(-?(?C1)\d+(?:,\d{3})*(?:[\.,]\d+)?)\s*(?:°)?([CFK])(?![A-Za-z0-9_]))", "CFKcfk\xAA"};
constinit regex::LazyRegex RE_FRACTION{R"((?<![\d/])(\d+)\s*/\s*(\d+)(?![/\d]))"};
constinit regex::LazyRegex RE_X_KALI{R"(\b(\d+(?:,\d{3})*(?:[.,]\d+)?)\s*[xX]\b)"};
constinit regex::LazyRegex RE_HARI_BULAN{R"(\b([1-9]|[12]\d|3[01])\s*[Hh][Bb]\b)"};
constinit regex::LazyRegex RE_HIJRI{R"(\b(\d{3,4})\s*[Hh]\b)"};

std::string speak_hijri(std::string_view text, std::string_view lang) {
  const LanguagePack& pack = langpack::get_pack(lang);
  auto caps = first_match(RE_HIJRI, text);
  if (!caps) return std::string(text);
  return spell_digits(group_or_zero(*caps, 1), pack) + " " + pack.hijri_word;
}

// ‘4.4x’ -> ‘four point four times’: a fraction is read with the language's
// decimal word, every digit as written.
std::string speak_x_kali(std::string_view text, std::string_view lang) {
  auto caps = first_match(RE_X_KALI, text);
  if (!caps) return std::string(text);
  const std::string number = decimal_commas(group_or_zero(*caps, 1));
  const Split s = split_point(number);
  if (is_chinese(lang)) {
    std::string c = normalize_zh::to_cardinal_zh_text(s.whole);
    if (s.has_point) return c + "点" + zh_fraction(s.fraction) + "次";
    return c == "二" ? std::string("两次") : c + "次";
  }
  std::string out = cardinal_text(s.whole, lang);
  if (s.has_point) out.append(" ").append(decimal_word(lang)).append(" ").append(spaced_fraction(s.fraction, lang));
  return out + " " + langpack::get_pack(lang).times_word;
}

std::string speak_fraction(std::string_view text, std::string_view lang) {
  const LanguagePack* pack = is_chinese(lang) ? nullptr : &langpack::get_pack(lang);
  auto caps = first_match(RE_FRACTION, text);
  if (!caps) return std::string(text);
  const std::string_view num = group_or_zero(*caps, 1), den = group_or_zero(*caps, 2);
  if (!pack)
    return normalize_zh::to_cardinal_zh_text(den) + "分之" + normalize_zh::to_cardinal_zh_text(num);
  return cardinal_text(num, lang) + " " + pack->per_word + " " + cardinal_text(den, lang);
}

std::string speak_hari_bulan(std::string_view text, std::string_view lang) {
  auto caps = first_match(RE_HARI_BULAN, text);
  if (!caps) return std::string(text);
  return cardinal_text(group_or_zero(*caps, 1), lang) + " hari bulan";
}

std::string speak_temperature(std::string_view text, std::string_view lang) {
  const LanguagePack& pack = langpack::get_pack(lang);
  auto caps = first_match(RE_TEMPERATURE, text);
  if (!caps) return std::string(text);
  std::string number = decimal_commas(group_or_zero(*caps, 1));
  const std::string* unit = lookup(pack.temperature_units, unicode::to_lower(caps->group(2)));
  if (!unit) return std::string(text);

  const bool zh = is_chinese(lang);
  std::string out;
  std::string_view rest = number;
  if (!rest.empty() && rest.front() == '-') {
    rest.remove_prefix(1);
    out = pack.negative_word;
    if (!zh) out += ' ';
  }
  Split s = split_point(rest);
  if (zh) {
    if (s.has_point)
      out += normalize_zh::to_cardinal_zh_text(s.whole) + "点" + zh_fraction(s.fraction);
    else
      out += normalize_zh::to_cardinal_zh_text(rest);
    return out + *unit;
  }
  if (s.has_point)
    out += cardinal_text(s.whole, lang) + " perpuluhan " +
           spaced_fraction(s.fraction, lang);
  else
    out += cardinal_text(rest, lang);
  return out + " " + *unit;
}

// ---- number words ----

// The code is compared as passed, so "EN" falls to Malay.
std::string cardinal_for(u128 n, std::string_view lang) {
  if (lang == "id") return num2word::to_cardinal_with(n, num2word::ID_VOCAB);
  if (lang == "en") return num2word_en::to_cardinal_en(n);
  return num2word::to_cardinal_with(n, num2word::MS_VOCAB);
}

std::string cardinal_text(std::string_view digits, std::string_view lang) {
  if (const auto v = read_unsigned(digits)) return cardinal_for(*v, lang);
  return all_ascii_digits(digits) ? spaced_fraction(digits, lang) : cardinal_for(0, lang);
}

std::string spell_digits(std::string_view digits, const LanguagePack& pack) {
  std::string out;
  for (std::size_t pos = 0; pos < digits.size();) {
    if (!out.empty()) out += ' ';
    out += pack.speak_digit(unicode::decode(digits, pos));
  }
  return out;
}

std::string normalize_measurements(std::string out, std::string_view lang) {
  unsigned rows = rows_after_numbers(out);
  if (rows == 0) return out;
  const LanguagePack& pack = langpack::get_pack(lang);
  for (std::size_t r = 0; r < std::size(MEASURE_PASSES); ++r) {
    const MeasurePass& p = MEASURE_PASSES[r];
    const WordMap& units = pack.*(p.units);
    if (units.empty() || (rows & (1u << r)) == 0) continue;  // nothing this language can say, or no match
    std::string next = p.re->replace_all(
        out, [&](const regex::Captures& c) { return read_measure(c, units, lang, p.fraction_to_passes); });
    if (next == out) continue;
    out = std::move(next);
    rows = rows_after_numbers(out);
  }
  return out;
}

namespace detail {
std::vector<std::pair<const regex::Regex*, bool>> measurement_gates(std::string_view text) {
  std::vector<std::pair<const regex::Regex*, bool>> out;
  const unsigned rows = rows_after_numbers(text);
  for (std::size_t r = 0; r < std::size(MEASURE_PASSES); ++r) out.emplace_back(&*MEASURE_PASSES[r].re, (rows >> r) & 1);
  return out;
}
}  // namespace detail

}  // namespace kalvesta::shared
