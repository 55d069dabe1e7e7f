// The language registry: maps a caller's language code to one of the five
// packs built in src/lang/, and reads single digits through a pack.
// The registry and the packs are built once, on the first lookup.
#include "langpack.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "result.h"
#include "unicode.h"

namespace kalvesta::langpack {

namespace {

// The codes the symbol step speaks as the unit word of the pack's money rows.
constexpr std::string_view SPOKEN_CODES[] = {"EUR", "GBP"};

WordMap make_word_map(std::span<const Row> rows) {
  WordMap map;
  map.reserve(rows.size());
  for (const auto& [key, word] : rows) map.emplace(key, word);
  return map;
}

}  // namespace

LanguagePack build_pack(const PackRows& rows) {
  LanguagePack p;
  p.code = std::string(rows.code);
  p.symbol_words = make_word_map(rows.symbol_words);
  for (std::string_view code : SPOKEN_CODES)
    if (const CurrencyRow* row = lang::find_currency(rows.money, code)) p.currency_code_words.emplace(code, row->major);
  p.index_symbols();
  for (std::size_t d = 0; d < rows.digit_words.size(); ++d)
    p.digit_words.emplace(std::string(1, static_cast<char>('0' + d)), rows.digit_words[d]);
  p.currencies.reserve(rows.currencies.size());
  for (const auto& row : rows.currencies)
    p.currencies.emplace(row.key, std::pair<std::string, std::string>(row.major, row.minor));
  p.negative_word = std::string(rows.negative_word);
  p.month_names = make_word_map(rows.month_names);
  p.distance_units = make_word_map(rows.distance_units);
  p.volume_units = make_word_map(rows.volume_units);
  p.weight_units = make_word_map(rows.weight_units);
  p.duration_units = make_word_map(rows.duration_units);
  p.area_units = make_word_map(rows.area_units);
  p.temperature_units = make_word_map(rows.temperature_units);
  p.per_word = std::string(rows.per_word);
  p.times_word = std::string(rows.times_word);
  p.hijri_word = std::string(rows.hijri_word);
  p.strip_exclamations = rows.strip_exclamations;
  p.digits = rows.digit_words;
  p.months = rows.month_names;
  return p;
}

void LanguagePack::index_symbols() {
  symbol_leads = {};
  for (const auto& [key, word] : symbol_words) {
    // Letters, digits and blanks are never looked up, so never spoken.
    if (key.empty() || unicode::is_ascii_alnum(key[0]) || key[0] == ' ') continue;
    const auto b = static_cast<unsigned char>(key[0]);
    symbol_leads[b / 64] |= std::uint64_t{1} << (b % 64);
  }
  code_leads = {};
  for (const auto& [code, word] : currency_code_words) {
    // An empty code would be found everywhere: every byte counts as its lead.
    if (code.empty()) code_leads.fill(~std::uint64_t{0});
    else code_leads[static_cast<unsigned char>(code[0]) / 64] |= std::uint64_t{1} << (static_cast<unsigned char>(code[0]) % 64);
  }
}

std::string LanguagePack::speak_digit(char32_t c) const {
  if (c >= U'0' && c <= U'9' && static_cast<std::size_t>(c - U'0') < digits.size()) return std::string(digits[c - U'0']);
  return unicode::to_utf8(c);
}

namespace {

// Five codes: a walk over them beats hashing the code on every call.
using Registry = std::vector<std::pair<std::string_view, const LanguagePack*>>;

const Registry& registry() {
  static const Registry REGISTRY = [] {
    Registry list;
    for (const LanguagePack* pack : lang::all_packs()) list.emplace_back(pack->code, pack);
    return list;
  }();
  return REGISTRY;
}

const LanguagePack* find_code(const Registry& reg, std::string_view code) {
  for (const auto& [c, pack] : reg) {
    // The first byte tells the codes apart before any compare of the rest.
    if (c.size() == code.size() && (c.empty() || c[0] == code[0]) && c == code) return pack;
  }
  return nullptr;
}

const LanguagePack* lookup(std::string_view code) {
  const Registry& reg = registry();
  // A registered code is its own normal form, so the common case skips the
  // case mapping entirely.
  if (const LanguagePack* pack = find_code(reg, code)) return pack;
  return find_code(reg, unicode::to_lower(unicode::trim(code)));
}

}  // namespace

bool is_supported(std::string_view code) { return lookup(code) != nullptr; }

const LanguagePack* try_get_pack(std::string_view code) { return lookup(code); }

const LanguagePack& get_pack(std::string_view code) {
  const LanguagePack* pack = lookup(code);
  if (pack == nullptr) throw InternalFailure("unsupported language: " + std::string(code));
  return *pack;
}

std::vector<std::string> supported_languages() {
  std::vector<std::string> codes;
  for (const auto& entry : registry()) codes.emplace_back(entry.first);
  std::sort(codes.begin(), codes.end());
  return codes;
}

std::string unsupported_language(std::string_view code) {
  std::string codes;
  for (const auto& c : supported_languages()) {
    if (!codes.empty()) codes += ", ";
    codes += c;
  }
  return "Unsupported language: '" + std::string(code) + "' (expected one of (" + codes + "))";
}

}  // namespace kalvesta::langpack

namespace kalvesta::lang {

std::vector<const langpack::LanguagePack*> all_packs() {
  return {&ms::pack(), &en::pack(), &id::pack(), &zh::pack(), &zh::pack_zh_my()};
}

}  // namespace kalvesta::lang
