// The English ("en") language pack: every word the passes outside the rule
// engines speak in English, as constant rows assembled once on first use.
#include "langpack.h"

namespace kalvesta::lang::en {
namespace {

using langpack::Row;

// "*" has an empty word: the special-character step turns it into blanks.
constexpr Row SYMBOL_WORDS[] = {
    {"&", "and"},         {"+", "plus"},          {"=", "equals"},
    {"@", "at"},          {"#", "hash"},          {"*", ""},
    {"%", "percent"},     {"$", "dollar"},        {"\u00A9", "copyright"},
    {"\u00AE", "registered"}, {"\u2122", "trademark"}, {"<", "less than"},
    {">", "greater than"}, {"|", "bar"},          {"~", "tilde"},
    {"^", "caret"},
};

constexpr Row CURRENCY_CODE_WORDS[] = {{"EUR", "euro"}, {"GBP", "pound"}};

constexpr Row DIGIT_WORDS[] = {
    {"0", "zero"}, {"1", "one"}, {"2", "two"},   {"3", "three"}, {"4", "four"},
    {"5", "five"}, {"6", "six"}, {"7", "seven"}, {"8", "eight"}, {"9", "nine"},
};

constexpr Row MONTH_NAMES[] = {
    {"1", "January"},    {"2", "February"}, {"3", "March"},     {"4", "April"},
    {"5", "May"},        {"6", "June"},     {"7", "July"},      {"8", "August"},
    {"9", "September"},  {"10", "October"}, {"11", "November"}, {"12", "December"},
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

langpack::LanguagePack build() {
  using langpack::make_word_map;
  langpack::LanguagePack p;
  p.code = "en";
  p.symbol_words = make_word_map(SYMBOL_WORDS);
  p.currency_code_words = make_word_map(CURRENCY_CODE_WORDS);
  p.digit_words = make_word_map(DIGIT_WORDS);
  p.negative_word = "negative";
  p.month_names = make_word_map(MONTH_NAMES);
  p.distance_units = make_word_map(DISTANCE_UNITS);
  p.volume_units = make_word_map(VOLUME_UNITS);
  p.weight_units = make_word_map(WEIGHT_UNITS);
  p.duration_units = make_word_map(DURATION_UNITS);
  p.area_units = make_word_map(AREA_UNITS);
  p.temperature_units = make_word_map(TEMPERATURE_UNITS);
  p.per_word = "over";
  p.times_word = "times";
  p.hijri_word = "Hijri";
  p.strip_exclamations = true;
  return p;
}

}  // namespace

const langpack::LanguagePack& pack() {
  static const langpack::LanguagePack PACK = build();
  return PACK;
}

}  // namespace kalvesta::lang::en
