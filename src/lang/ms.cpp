// The Malay ("ms") language pack: every word the passes outside the rule
// engines speak in Malay, as constant rows assembled once on first use.
// Its digit, month and money words stand in words.h, shared with the passes.
#include "langpack.h"
#include "lang/words.h"

namespace kalvesta::lang::ms {
namespace {

using langpack::Row;

// "*" has an empty word: the special-character step turns it into blanks.
constexpr Row SYMBOL_WORDS[] = {
    {"&", "and"},         {"+", "plus"},          {"=", "equals"},
    {"@", "at"},          {"#", "hash"},          {"*", ""},
    {"%", "peratus"},     {"$", find_currency(ENTITY_MONEY, "$")->major}, {"\u00A9", "copyright"},
    {"\u00AE", "registered"}, {"\u2122", "trademark"}, {"<", "less than"},
    {">", "greater than"}, {"|", "bar"},          {"~", "tilde"},
    {"^", "caret"},
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
    .money = ENTITY_MONEY,
    .digit_words = DIGITS,
    .negative_word = "negatif",
    .month_names = MONTHS,
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
