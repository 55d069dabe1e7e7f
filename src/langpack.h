// The language pack record and the registry of the five packs.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lang/words.h"

namespace kalvesta::langpack {

using WordMap = std::unordered_map<std::string, std::string>;

// One table row as the pack files write it: key, word.
using Row = lang::Row;
// One currency row: key, major unit word, minor unit word.
using CurrencyRow = lang::CurrencyRow;

struct LanguagePack {
  std::string code;
  WordMap symbol_words;         // one character (UTF-8) -> word
  WordMap currency_code_words;  // "EUR", "GBP" -> word
  WordMap digit_words;          // "0".."9" -> word
  std::unordered_map<std::string, std::pair<std::string, std::string>> currencies;  // -> (major, minor)
  std::string negative_word;
  WordMap month_names;  // "1".."12" -> name
  WordMap distance_units;
  WordMap volume_units;
  WordMap weight_units;
  WordMap duration_units;
  WordMap area_units;
  WordMap temperature_units;
  std::string per_word;
  std::string times_word;
  std::string hijri_word;
  bool strip_exclamations = false;
  // The arrays behind digit_words and month_names, for lookups without hashing.
  std::span<const std::string_view> digits;
  std::span<const Row> months;

  // The first byte of every symbol_words key, one bit each: a character
  // starting with any other byte is no symbol.
  std::array<std::uint64_t, 4> symbol_leads{};
  // The first byte of every currency_code_words key, one bit each.
  std::array<std::uint64_t, 4> code_leads{};

  // The digit word of c, or c itself when it has none.
  std::string speak_digit(char32_t c) const;
  // Whether a symbol key may start with byte b.
  bool may_start_symbol(unsigned char b) const { return symbol_leads[b / 64] >> (b % 64) & 1; }
  // Sets symbol_leads and code_leads from symbol_words and
  // currency_code_words: after every change to them.
  void index_symbols();
};

// Everything a pack file writes down: its rows and single-valued fields, in
// the order of the record. An empty table is an empty span.
struct PackRows {
  std::string_view code = {};
  std::span<const Row> symbol_words = {};
  // The money words the currency codes of the symbol step read from.
  std::span<const CurrencyRow> money = {};
  std::span<const std::string_view> digit_words = {};  // indexed by digit
  std::span<const CurrencyRow> currencies = {};
  std::string_view negative_word = {};
  std::span<const Row> month_names = {};
  std::span<const Row> distance_units = {};
  std::span<const Row> volume_units = {};
  std::span<const Row> weight_units = {};
  std::span<const Row> duration_units = {};
  std::span<const Row> area_units = {};
  std::span<const Row> temperature_units = {};
  std::string_view per_word = {}, times_word = {}, hijri_word = {};
  bool strip_exclamations = false;
};

// The pack record built from a pack file's rows.
LanguagePack build_pack(const PackRows& rows);

// Lookups trim White_Space and lowercase (full mapping) before matching.
bool is_supported(std::string_view code);
const LanguagePack* try_get_pack(std::string_view code);
// Internal failure "unsupported language: {}" on an unregistered code.
const LanguagePack& get_pack(std::string_view code);
// The registered codes, sorted by bytes: en, id, ms, zh, zh_my.
std::vector<std::string> supported_languages();
// The caller's error for a code that is not registered, the code as given:
// "Unsupported language: 'fr' (expected one of (en, id, ms, zh, zh_my))".
std::string unsupported_language(std::string_view code);

}  // namespace kalvesta::langpack

namespace kalvesta::lang {

// The five packs in the order ms, en, id, zh, zh_my, each built once.
std::vector<const langpack::LanguagePack*> all_packs();

namespace ms { const langpack::LanguagePack& pack(); }
namespace en { const langpack::LanguagePack& pack(); }
namespace id { const langpack::LanguagePack& pack(); }
namespace zh {
langpack::LanguagePack base_pack(std::string_view code);
const langpack::LanguagePack& pack();        // "zh"
const langpack::LanguagePack& pack_zh_my();  // "zh_my"
}  // namespace zh

}  // namespace kalvesta::lang
