// The Indonesian ("id") language pack: every word the passes outside the rule
// engines speak in Indonesian, as constant rows assembled once on first use.
// Its digit, month and money words stand in words.h, shared with the passes.
// Only this pack has currency rows of its own.
#include "langpack.h"
#include "lang/words.h"

namespace kalvesta::lang::id {
namespace {

using langpack::Row;

constexpr Row SYMBOL_WORDS[] = {
    {"&", "and"},         {"+", "plus"},          {"=", "equals"},
    {"@", "at"},          {"#", "hash"},          {"*", "star"},
    {"%", "persen"},      {"$", "dollar"},        {"\u00A9", "copyright"},
    {"\u00AE", "registered"}, {"\u2122", "trademark"}, {"<", "less than"},
    {">", "greater than"}, {"|", "bar"},          {"~", "tilde"},
    {"^", "caret"},
};

constexpr Row DISTANCE_UNITS[] = {
    {"km", "kilometer"}, {"m", "meter"}, {"cm", "sentimeter"}, {"mm", "milimeter"},
    {"ft", "kaki"},      {"in", "inci"}, {"yd", "yard"},       {"mi", "mil"},
    {"batu", "batu"},    {"kaki", "kaki"}, {"inci", "inci"},
};

constexpr Row VOLUME_UNITS[] = {{"ml", "mililiter"}, {"l", "liter"}, {"gal", "galon"}};

constexpr Row WEIGHT_UNITS[] = {
    {"kg", "kilogram"}, {"g", "gram"}, {"mg", "miligram"}, {"lb", "pon"}, {"oz", "ons"},
};

constexpr Row DURATION_UNITS[] = {
    {"jam", "jam"},       {"minit", "menit"},    {"saat", "detik"},
    {"hour", "jam"},      {"hours", "jam"},      {"minute", "menit"},
    {"minutes", "menit"}, {"second", "detik"},   {"seconds", "detik"},
};

constexpr Row AREA_UNITS[] = {{"sq ft", "kaki persegi"}, {"sqft", "kaki persegi"}};

constexpr Row TEMPERATURE_UNITS[] = {{"c", "selsius"}, {"f", "fahrenheit"}, {"k", "kelvin"}};

constexpr langpack::PackRows ROWS{
    .code = "id",
    .symbol_words = SYMBOL_WORDS,
    .money = MONEY,
    .digit_words = DIGITS,
    .currencies = MONEY,
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
    .hijri_word = "Hijriah",
    .strip_exclamations = false,
};

}  // namespace

const langpack::LanguagePack& pack() {
  static const langpack::LanguagePack PACK = langpack::build_pack(ROWS);
  return PACK;
}

}  // namespace kalvesta::lang::id
