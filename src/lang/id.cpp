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

langpack::LanguagePack build() {
  using langpack::make_word_map;
  langpack::LanguagePack p;
  p.code = "id";
  p.symbol_words = make_word_map(SYMBOL_WORDS);
  p.currency_code_words = make_word_map(CURRENCY_CODE_WORDS);
  p.digit_words = make_word_map(DIGIT_WORDS);
  p.currencies.reserve(std::size(CURRENCIES));
  for (const auto& row : CURRENCIES)
    p.currencies.emplace(row.key, std::pair<std::string, std::string>(row.major, row.minor));
  p.negative_word = "negatif";
  p.month_names = make_word_map(MONTH_NAMES);
  p.distance_units = make_word_map(DISTANCE_UNITS);
  p.volume_units = make_word_map(VOLUME_UNITS);
  p.weight_units = make_word_map(WEIGHT_UNITS);
  p.duration_units = make_word_map(DURATION_UNITS);
  p.area_units = make_word_map(AREA_UNITS);
  p.temperature_units = make_word_map(TEMPERATURE_UNITS);
  p.per_word = "per";
  p.times_word = "kali";
  p.hijri_word = "Hijriah";
  p.strip_exclamations = false;
  return p;
}

}  // namespace

const langpack::LanguagePack& pack() {
  static const langpack::LanguagePack PACK = build();
  return PACK;
}

}  // namespace kalvesta::lang::id
