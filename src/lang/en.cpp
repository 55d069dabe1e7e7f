// The English ("en") language pack: every word the passes outside the rule
// engines speak in English, as constant rows assembled once on first use.
// Its digit, month and money words stand in words.h, shared with the passes.
#include "langpack.h"
#include "lang/words.h"

namespace kalvesta::lang::en {
namespace {

using langpack::Row;

// "*" has an empty word: the special-character step turns it into blanks.
constexpr Row SYMBOL_WORDS[] = {
    {"&", "and"},         {"+", "plus"},          {"=", "equals"},
    {"@", "at"},          {"#", "hash"},          {"*", ""},
    {"%", "percent"},     {"$", find_currency(ENTITY_MONEY, "$")->major}, {"\u00A9", "copyright"},
    {"\u00AE", "registered"}, {"\u2122", "trademark"}, {"<", "less than"},
    {">", "greater than"}, {"|", "bar"},          {"~", "tilde"},
    {"^", "caret"},
};

// The Malay unit words are keys here too, so mixed-language text still reads.
constexpr Row DISTANCE_UNITS[] = {
    {"km", "kilometers"}, {"m", "meters"},   {"cm", "centimeters"}, {"mm", "millimeters"},
    {"ft", "feet"},       {"in", "inches"},  {"yd", "yards"},       {"mi", "miles"},
    {"batu", "miles"},    {"kaki", "feet"},  {"inci", "inches"},
};

constexpr Row VOLUME_UNITS[] = {{"ml", "milliliters"}, {"l", "liters"}, {"gal", "gallons"}};

constexpr Row WEIGHT_UNITS[] = {
    {"kg", "kilograms"}, {"g", "grams"}, {"mg", "milligrams"}, {"lb", "pounds"}, {"oz", "ounces"},
};

// Singular keys keep singular words; every other key reads plural.
constexpr Row DURATION_UNITS[] = {
    {"jam", "hours"},       {"minit", "minutes"},     {"saat", "seconds"},
    {"hour", "hour"},       {"hours", "hours"},       {"minute", "minute"},
    {"minutes", "minutes"}, {"second", "second"},     {"seconds", "seconds"},
};

constexpr Row AREA_UNITS[] = {{"sq ft", "square feet"}, {"sqft", "square feet"}};

constexpr Row TEMPERATURE_UNITS[] = {{"c", "celsius"}, {"f", "fahrenheit"}, {"k", "kelvin"}};

constexpr langpack::PackRows ROWS{
    .code = "en",
    .symbol_words = SYMBOL_WORDS,
    .money = ENTITY_MONEY,
    .digit_words = DIGITS,
    .negative_word = "negative",
    .month_names = MONTHS,
    .distance_units = DISTANCE_UNITS,
    .volume_units = VOLUME_UNITS,
    .weight_units = WEIGHT_UNITS,
    .duration_units = DURATION_UNITS,
    .area_units = AREA_UNITS,
    .temperature_units = TEMPERATURE_UNITS,
    .per_word = "over",
    .times_word = "times",
    .hijri_word = "Hijri",
    .strip_exclamations = true,
};

}  // namespace

const langpack::LanguagePack& pack() {
  static const langpack::LanguagePack PACK = langpack::build_pack(ROWS);
  return PACK;
}

}  // namespace kalvesta::lang::en
