// The words of each language that several modules read, each written once:
// digit words, month names, money words and scale words. The pack files
// build their records from these arrays; the passes, the number spellers and
// the entity spellers read the arrays themselves (compile-time, no lookup).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

namespace kalvesta::lang {

// One keyed row: key, word.
using Row = std::pair<std::string_view, std::string_view>;
// Digit words indexed by digit value.
using DigitWords = std::array<std::string_view, 10>;
// Month names keyed "1".."12".
using MonthNames = std::array<Row, 12>;
// One money row: the upper-cased symbol or code, the unit word, the subunit word.
struct CurrencyRow {
  std::string_view key, major, minor;
};
// A scale word and the power of ten it names.
using ScaleWord = std::pair<std::string_view, std::uint32_t>;

// The row of `key` (compared exactly), nothing when the table has none.
constexpr const CurrencyRow* find_currency(std::span<const CurrencyRow> rows, std::string_view key) {
  for (const CurrencyRow& row : rows)
    if (row.key == key) return &row;
  return nullptr;
}

// The word a table gives the power of ten, empty when it has none.
constexpr std::string_view scale_word(std::span<const ScaleWord> scales, std::uint32_t power) {
  for (const auto& [word, p] : scales)
    if (p == power) return word;
  return {};
}

// The money words of Malay and English: their money passes, their packs and
// the entity speller (for every language without rows of its own) read them.
inline constexpr CurrencyRow ENTITY_MONEY[] = {
    {"$", "dollar", "cents"}, {"USD", "dollar", "cents"}, {"RM", "ringgit", "sen"}, {"MYR", "ringgit", "sen"},
    {"RP", "rupiah", "sen"},  {"IDR", "rupiah", "sen"},   {"€", "euro", "cents"},  {"EUR", "euro", "cents"},
    {"£", "pound", "pence"},  {"GBP", "pound", "pence"},
};
// A code with no row reads as written, with this subunit word.
inline constexpr std::string_view ENTITY_MINOR_DEFAULT = "cents";

namespace ms {

inline constexpr DigitWords DIGITS = {"kosong", "satu", "dua",   "tiga",  "empat",
                                      "lima",   "enam", "tujuh", "lapan", "sembilan"};

inline constexpr MonthNames MONTHS = {{
    {"1", "Januari"}, {"2", "Februari"},  {"3", "Mac"},      {"4", "April"},
    {"5", "Mei"},     {"6", "Jun"},       {"7", "Julai"},    {"8", "Ogos"},
    {"9", "September"}, {"10", "Oktober"}, {"11", "November"}, {"12", "Disember"},
}};

inline constexpr ScaleWord SCALES[] = {
    {"ribu", 3},          {"juta", 6},         {"bilion", 9},     {"trilion", 12},
    {"quadrillion", 15},  {"quintillion", 18}, {"sextillion", 21}, {"septillion", 24},
    {"oktillion", 27},    {"nonillion", 30},   {"decillion", 33},
};

}  // namespace ms

namespace id {

inline constexpr DigitWords DIGITS = {"nol",  "satu", "dua",   "tiga",    "empat",
                                      "lima", "enam", "tujuh", "delapan", "sembilan"};

inline constexpr MonthNames MONTHS = {{
    {"1", "Januari"}, {"2", "Februari"},  {"3", "Maret"},    {"4", "April"},
    {"5", "Mei"},     {"6", "Juni"},      {"7", "Juli"},     {"8", "Agustus"},
    {"9", "September"}, {"10", "Oktober"}, {"11", "November"}, {"12", "Desember"},
}};

// Keys are matched exactly: the rupiah symbol is "RP", never "Rp".
inline constexpr CurrencyRow MONEY[] = {
    {"RP", "rupiah", "sen"}, {"IDR", "rupiah", "sen"},
    {"RM", "ringgit", "sen"}, {"MYR", "ringgit", "sen"},
    {"$", "dolar", "sen"},    {"USD", "dolar", "sen"},
    {"\u00A3", "pound", "pence"}, {"GBP", "pound", "pence"},
    {"\u20AC", "euro", "sen"},    {"EUR", "euro", "sen"},
};

inline constexpr ScaleWord SCALES[] = {
    {"ribu", 3},          {"juta", 6},         {"miliar", 9},     {"triliun", 12},
    {"kuadriliun", 15},   {"kuintiliun", 18},  {"sekstiliun", 21}, {"septiliun", 24},
    {"oktiliun", 27},     {"noniliun", 30},    {"desiliun", 33},
};

// Short scale suffixes, lower-cased, and their powers; M is miliar.
inline constexpr std::pair<std::string_view, std::uint32_t> SCALE_SUFFIXES[] = {
    {"k", 3}, {"rb", 3}, {"jt", 6}, {"m", 9}, {"b", 9}, {"t", 12},
};

}  // namespace id

namespace en {

inline constexpr DigitWords DIGITS = {"zero", "one", "two",   "three", "four",
                                      "five", "six", "seven", "eight", "nine"};

inline constexpr MonthNames MONTHS = {{
    {"1", "January"},    {"2", "February"}, {"3", "March"},     {"4", "April"},
    {"5", "May"},        {"6", "June"},     {"7", "July"},      {"8", "August"},
    {"9", "September"},  {"10", "October"}, {"11", "November"}, {"12", "December"},
}};

// One word per base-1000 group up to the largest 128-bit value (index 12).
inline constexpr std::array<std::string_view, 13> SCALES = {
    "",           "thousand",   "million",   "billion",   "trillion",
    "quadrillion", "quintillion", "sextillion", "septillion", "octillion",
    "nonillion",  "decillion",  "undecillion",
};

}  // namespace en

namespace zh {

inline constexpr DigitWords DIGITS = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

inline constexpr MonthNames MONTHS = {{
    {"1", "一"}, {"2", "二"}, {"3", "三"}, {"4", "四"}, {"5", "五"}, {"6", "六"},
    {"7", "七"}, {"8", "八"}, {"9", "九"}, {"10", "十"}, {"11", "十一"}, {"12", "十二"},
}};

// The characters of a number written in Chinese: digits, 〇 and 两, place and
// group words, in simplified, traditional and financial forms.
inline constexpr std::u32string_view NUMERAL_CHARS =
    U"零〇一二两兩三四五六七八九十百千万萬亿億兆壹贰貳叁參肆伍陆陸柒捌玖拾佰仟";

// Unit of each four-digit group, least significant first; four groups reach 10^16.
inline constexpr std::array<std::string_view, 4> GROUP_UNITS = {"", "万", "亿", "兆"};

// Money words of "zh": its money pass and its entity speller.
inline constexpr CurrencyRow MONEY[] = {
    {"RM", "令吉", "仙"},  {"MYR", "令吉", "仙"}, {"$", "美元", "分"},  {"USD", "美元", "分"},
    {"£", "英镑", "便士"}, {"GBP", "英镑", "便士"}, {"€", "欧元", "分"}, {"EUR", "欧元", "分"},
};
// The Malaysian forms "zh_my" reads, in its money pass and its entity speller.
inline constexpr CurrencyRow MONEY_MY[] = {
    {"$", "美金", "仙"}, {"USD", "美金", "仙"}, {"RM", "令吉", "仙"}, {"MYR", "令吉", "仙"},
    {"£", "英磅", "仙"}, {"GBP", "英磅", "仙"}, {"€", "欧元", "仙"}, {"EUR", "欧元", "仙"},
};
// The entity speller's words for a code with no row, per variant ("块" is
// also the "zh_my" word of the "$" symbol).
inline constexpr CurrencyRow MONEY_DEFAULT{"", "元", "分"};
inline constexpr CurrencyRow MONEY_MY_DEFAULT{"", "块", "仙"};

}  // namespace zh

// An English scale word (‘million’) in the words of `scales` (‘juta’); any
// other word comes back unchanged.
constexpr std::string_view scale_from_english(std::string_view word, std::span<const ScaleWord> scales) {
  for (std::size_t i = 1; i < en::SCALES.size(); ++i) {
    if (en::SCALES[i] != word) continue;
    std::string_view own = scale_word(scales, static_cast<std::uint32_t>(3 * i));
    return own.empty() ? word : own;
  }
  return word;
}

}  // namespace kalvesta::lang
