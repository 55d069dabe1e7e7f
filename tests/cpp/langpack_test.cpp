// The language registry and the five packs: code normalisation, refused
// codes, digit reading, and the rows where packs deliberately differ.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "langpack.h"
#include "result.h"

using namespace kalvesta;
using langpack::get_pack;
using langpack::is_supported;
using langpack::try_get_pack;

namespace {

struct CodeCase {
  std::string_view in, want;  // want: the pack code found, "" for none
};

const CodeCase kCodes[] = {
    {"ms", "ms"},
    {"  EN  ", "en"},
    {"Zh_My", "zh_my"},
    {"ZH_MY", "zh_my"},
    {"\tid\n", "id"},
    {"\u3000id", "id"},         // ideographic space is White_Space
    {"zh\u00A0", "zh"},         // so is the no-break space
    {"zh-my", ""},              // no separator folding
    {"zh my", ""},
    {"e n", ""},
    {"", ""},
    {"   ", ""},
    {"malay", ""},              // no aliases
    {"in", ""},
    {"\u0130d", ""},            // "İ" lowercases to "i̇", not "i"
};

TEST(registry, normalises_codes) {
  for (const auto& c : kCodes) {
    const langpack::LanguagePack* pack = try_get_pack(c.in);
    EXPECT_EQ(pack ? pack->code : "", c.want) << "[" << c.in << "]";
    EXPECT_EQ(is_supported(c.in), !c.want.empty()) << "[" << c.in << "]";
  }
}

TEST(registry, get_pack_quotes_code_as_passed) {
  try {
    get_pack(" xx ");
    FAIL() << "no failure for an unregistered code";
  } catch (const InternalFailure& e) {
    EXPECT_STREQ(e.what(), "unsupported language:  xx ");
  }
}

TEST(registry, same_object_for_every_spelling) {
  EXPECT_EQ(&get_pack("zh"), &get_pack("ZH"));
  EXPECT_EQ(&get_pack(" zh_my "), &lang::zh::pack_zh_my());
  EXPECT_EQ(&get_pack("ms"), lang::all_packs()[0]);
}

TEST(registry, supported_languages_sorted) {
  EXPECT_EQ(langpack::supported_languages(), (std::vector<std::string>{"en", "id", "ms", "zh", "zh_my"}));
}

TEST(registry, all_packs_in_build_order) {
  std::vector<std::string> codes;
  for (const auto* p : lang::all_packs()) codes.push_back(p->code);
  EXPECT_EQ(codes, (std::vector<std::string>{"ms", "en", "id", "zh", "zh_my"}));
}

struct DigitCase {
  std::string_view lang;
  char32_t in;
  std::string_view want;
};

const DigitCase kDigits[] = {
    {"ms", U'7', "tujuh"},  {"ms", U'8', "lapan"},   {"ms", U'0', "kosong"},
    {"id", U'8', "delapan"}, {"id", U'0', "nol"},
    {"en", U'8', "eight"},  {"en", U'0', "zero"},
    {"zh", U'8', "八"},     {"zh_my", U'8', "八"},   {"zh_my", U'0', "零"},
    // Anything but an ASCII digit comes back as itself.
    {"ms", U'x', "x"},
    {"ms", U'\u0663', "\u0663"},   // Arabic-Indic three
    {"zh", U'\uFF18', "\uFF18"},   // fullwidth eight
    {"en", U'\U0001F600', "\U0001F600"},
};

TEST(speak_digit, per_pack) {
  for (const auto& c : kDigits)
    EXPECT_EQ(get_pack(c.lang).speak_digit(c.in), c.want) << c.lang << " U+" << std::hex << +c.in;
}

struct RowCase {
  std::string_view lang, table, key, want;  // want "-" means no row
};

const langpack::WordMap& table(const langpack::LanguagePack& p, std::string_view name) {
  if (name == "symbol") return p.symbol_words;
  if (name == "code") return p.currency_code_words;
  if (name == "month") return p.month_names;
  if (name == "distance") return p.distance_units;
  if (name == "volume") return p.volume_units;
  if (name == "weight") return p.weight_units;
  if (name == "duration") return p.duration_units;
  if (name == "area") return p.area_units;
  return p.temperature_units;
}

const RowCase kRows[] = {
    // The three symbols where the two Chinese packs part ways.
    {"zh", "symbol", "@", "艾特"},   {"zh_my", "symbol", "@", "at"},
    {"zh", "symbol", "#", "井"},     {"zh_my", "symbol", "#", "hash"},
    {"zh", "symbol", "$", "美元"},   {"zh_my", "symbol", "$", "块"},
    {"zh", "symbol", "*", "星号"},   {"id", "symbol", "*", "star"},
    {"ms", "symbol", "*", ""},       {"en", "symbol", "*", ""},
    {"ms", "symbol", "%", "peratus"}, {"id", "symbol", "%", "persen"},
    {"en", "symbol", "\u2122", "trademark"}, {"zh", "code", "GBP", "英镑"},
    {"ms", "temperature", "c", "celcius"}, {"id", "temperature", "c", "selsius"},
    {"en", "temperature", "c", "celsius"}, {"zh", "temperature", "k", "开尔文"},
    {"ms", "month", "3", "Mac"},     {"id", "month", "3", "Maret"},
    {"en", "month", "12", "December"}, {"en", "month", "03", "-"},
    {"zh", "month", "1", "-"},
    {"en", "duration", "jam", "hours"}, {"en", "duration", "hour", "hour"},
    {"id", "duration", "saat", "detik"}, {"en", "distance", "batu", "miles"},
    {"ms", "distance", "yd", "ela"}, {"id", "distance", "mi", "mil"},
    {"ms", "distance", "KM", "-"},   // keys are case-sensitive
    {"zh", "distance", "ft", "-"},   {"zh", "volume", "litre", "升"},
    {"zh", "volume", "gal", "-"},    {"ms", "volume", "litre", "-"},
    {"ms", "weight", "lb", "paun"},  {"id", "weight", "oz", "ons"},
    {"en", "area", "sq ft", "square feet"}, {"ms", "area", "sq  ft", "-"},
    {"zh_my", "area", "sqft", "-"},
};

TEST(pack_tables, rows_that_differ) {
  for (const auto& c : kRows) {
    const auto& map = table(get_pack(c.lang), c.table);
    auto it = map.find(std::string(c.key));
    EXPECT_EQ(it == map.end() ? "-" : it->second, c.want) << c.lang << " " << c.table << " [" << c.key << "]";
  }
}

TEST(pack_tables, chinese_packs_differ_only_in_three_symbols) {
  langpack::LanguagePack zh = get_pack("zh");
  const langpack::LanguagePack& zh_my = get_pack("zh_my");
  for (const char* key : {"@", "#", "$"}) zh.symbol_words[key] = zh_my.symbol_words.at(key);
  EXPECT_EQ(zh.symbol_words, zh_my.symbol_words);
  EXPECT_EQ(zh.digit_words, zh_my.digit_words);
  EXPECT_EQ(zh.distance_units, zh_my.distance_units);
  EXPECT_EQ(zh.volume_units, zh_my.volume_units);
}

TEST(pack_tables, sizes_and_scalar_fields) {
  for (const auto* p : lang::all_packs()) {
    const bool chinese = p->code == "zh" || p->code == "zh_my";
    EXPECT_EQ(p->symbol_words.size(), 16u) << p->code;
    EXPECT_EQ(p->digit_words.size(), 10u) << p->code;
    EXPECT_EQ(p->currency_code_words.size(), 2u) << p->code;
    EXPECT_EQ(p->month_names.size(), chinese ? 0u : 12u) << p->code;
    EXPECT_EQ(p->distance_units.size(), chinese ? 4u : 11u) << p->code;
    EXPECT_EQ(p->duration_units.size(), chinese ? 0u : 9u) << p->code;
    EXPECT_EQ(p->currencies.size(), p->code == "id" ? 10u : 0u) << p->code;
    EXPECT_EQ(p->strip_exclamations, p->code == "ms" || p->code == "en") << p->code;
  }
  const auto& id = get_pack("id");
  EXPECT_EQ(id.currencies.at("RP"), (std::pair<std::string, std::string>{"rupiah", "sen"}));
  EXPECT_EQ(id.currencies.at("\u00A3"), (std::pair<std::string, std::string>{"pound", "pence"}));
  EXPECT_EQ(id.currencies.count("Rp"), 0u);
  EXPECT_EQ(id.hijri_word, "Hijriah");
  EXPECT_EQ(get_pack("en").per_word, "over");
  EXPECT_EQ(get_pack("zh").negative_word, "负");
}

}  // namespace
