// The Indonesian ("id") language pack: every word the passes outside the rule
// engines speak in Indonesian, as constant rows assembled once on first use.
// Only this pack carries currency unit words.
#include "langpack.h"

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

constexpr Row CURRENCY_CODE_WORDS[] = {{"EUR", "euro"}, {"GBP", "pound"}};

constexpr Row DIGIT_WORDS[] = {
    {"0", "nol"},  {"1", "satu"}, {"2", "dua"},   {"3", "tiga"},    {"4", "empat"},
    {"5", "lima"}, {"6", "enam"}, {"7", "tujuh"}, {"8", "delapan"}, {"9", "sembilan"},
};

// Keys are matched exactly: the rupiah symbol is "RP", never "Rp".
constexpr langpack::CurrencyRow CURRENCIES[] = {
    {"RP", "rupiah", "sen"}, {"IDR", "rupiah", "sen"},
    {"RM", "ringgit", "sen"}, {"MYR", "ringgit", "sen"},
    {"$", "dolar", "sen"},    {"USD", "dolar", "sen"},
    {"\u00A3", "pound", "pence"}, {"GBP", "pound", "pence"},
    {"\u20AC", "euro", "sen"},    {"EUR", "euro", "sen"},
};

constexpr Row MONTH_NAMES[] = {
    {"1", "Januari"}, {"2", "Februari"},  {"3", "Maret"},    {"4", "April"},
    {"5", "Mei"},     {"6", "Juni"},      {"7", "Juli"},     {"8", "Agustus"},
    {"9", "September"}, {"10", "Oktober"}, {"11", "November"}, {"12", "Desember"},
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
    .currency_code_words = CURRENCY_CODE_WORDS,
    .digit_words = DIGIT_WORDS,
    .currencies = CURRENCIES,
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
    .hijri_word = "Hijriah",
    .strip_exclamations = false,
};

}  // namespace

const langpack::LanguagePack& pack() {
  static const langpack::LanguagePack PACK = langpack::build_pack(ROWS);
  return PACK;
}

}  // namespace kalvesta::lang::id
