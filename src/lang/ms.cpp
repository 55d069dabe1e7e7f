// The Malay ("ms") language pack: every word the passes outside the rule
// engines speak in Malay, as constant rows assembled once on first use.
#include "langpack.h"

namespace kalvesta::lang::ms {
namespace {

using langpack::Row;

// "*" has an empty word: the special-character step turns it into blanks.
constexpr Row SYMBOL_WORDS[] = {
    {"&", "and"},         {"+", "plus"},          {"=", "equals"},
    {"@", "at"},          {"#", "hash"},          {"*", ""},
    {"%", "peratus"},     {"$", "dollar"},        {"\u00A9", "copyright"},
    {"\u00AE", "registered"}, {"\u2122", "trademark"}, {"<", "less than"},
    {">", "greater than"}, {"|", "bar"},          {"~", "tilde"},
    {"^", "caret"},
};

constexpr Row CURRENCY_CODE_WORDS[] = {{"EUR", "euro"}, {"GBP", "pound"}};

constexpr Row DIGIT_WORDS[] = {
    {"0", "kosong"}, {"1", "satu"}, {"2", "dua"},   {"3", "tiga"},  {"4", "empat"},
    {"5", "lima"},   {"6", "enam"}, {"7", "tujuh"}, {"8", "lapan"}, {"9", "sembilan"},
};

constexpr Row MONTH_NAMES[] = {
    {"1", "Januari"}, {"2", "Februari"},  {"3", "Mac"},      {"4", "April"},
    {"5", "Mei"},     {"6", "Jun"},       {"7", "Julai"},    {"8", "Ogos"},
    {"9", "September"}, {"10", "Oktober"}, {"11", "November"}, {"12", "Disember"},
};

constexpr Row DISTANCE_UNITS[] = {
    {"km", "kilometer"}, {"m", "meter"}, {"cm", "sentimeter"}, {"mm", "milimeter"},
    {"ft", "kaki"},      {"in", "inci"}, {"yd", "ela"},        {"mi", "batu"},
    {"batu", "batu"},    {"kaki", "kaki"}, {"inci", "inci"},
};

constexpr Row VOLUME_UNITS[] = {{"ml", "mililiter"}, {"l", "liter"}, {"gal", "gelen"}};

constexpr Row WEIGHT_UNITS[] = {
    {"kg", "kilogram"}, {"g", "gram"}, {"mg", "miligram"}, {"lb", "paun"}, {"oz", "auns"},
};

constexpr Row DURATION_UNITS[] = {
    {"jam", "jam"},     {"minit", "minit"},     {"saat", "saat"},
    {"hour", "jam"},    {"hours", "jam"},       {"minute", "minit"},
    {"minutes", "minit"}, {"second", "saat"},   {"seconds", "saat"},
};

constexpr Row AREA_UNITS[] = {{"sq ft", "kaki persegi"}, {"sqft", "kaki persegi"}};

// Malay spells the Celsius scale "celcius".
constexpr Row TEMPERATURE_UNITS[] = {{"c", "celcius"}, {"f", "fahrenheit"}, {"k", "kelvin"}};

constexpr langpack::PackRows ROWS{
    .code = "ms",
    .symbol_words = SYMBOL_WORDS,
    .currency_code_words = CURRENCY_CODE_WORDS,
    .digit_words = DIGIT_WORDS,
    .negative_word = "negatif",
    .month_names = MONTH_NAMES,
    .distance_units = DISTANCE_UNITS,
    .volume_units = VOLUME_UNITS,
    .weight_units = WEIGHT_UNITS,
    .duration_units = DURATION_UNITS,
    .area_units = AREA_UNITS,
    .temperature_units = TEMPERATURE_UNITS,
    .per_word = "per",
    .times_word = "kali",
    .hijri_word = "Hijri",
    .strip_exclamations = true,
};

}  // namespace

const langpack::LanguagePack& pack() {
  static const langpack::LanguagePack PACK = langpack::build_pack(ROWS);
  return PACK;
}

}  // namespace kalvesta::lang::ms
