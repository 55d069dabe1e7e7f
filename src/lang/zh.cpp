// The two Chinese language packs, "zh" and "zh_my". Both come from one
// builder; "zh" then swaps three symbol words for their mainland forms,
// while "zh_my" keeps the Malaysian ones ("at", "hash", "块").
#include "langpack.h"
#include "lang/words.h"

namespace kalvesta::lang::zh {
namespace {

using langpack::Row;

// The Malaysian Chinese symbol words; "zh" overrides three of them below.
constexpr Row SYMBOL_WORDS[] = {
    {"&", "和"},          {"+", "加"},          {"=", "等于"},
    {"@", "at"},          {"#", "hash"},        {"*", "星号"},
    {"%", "巴仙"},        {"$", MONEY_MY_DEFAULT.major},          {"\u00A9", "版权"},
    {"\u00AE", "注册"},   {"\u2122", "商标"},   {"<", "小于"},
    {">", "大于"},        {"|", "竖线"},        {"~", "波浪号"},
    {"^", "插入符"},
};

// ‘@’ -> ‘艾特’, ‘#’ -> ‘井’, ‘$’ -> ‘美元’ in "zh" only.
constexpr Row ZH_SYMBOL_OVERRIDES[] = {{"@", "艾特"}, {"#", "井"}, {"$", find_currency(MONEY, "$")->major}};

constexpr Row DISTANCE_UNITS[] = {{"km", "公里"}, {"m", "米"}, {"cm", "厘米"}, {"mm", "毫米"}};

constexpr Row VOLUME_UNITS[] = {{"ml", "毫升"}, {"l", "升"}, {"litre", "升"}, {"liter", "升"}};

constexpr Row WEIGHT_UNITS[] = {{"kg", "公斤"}, {"g", "克"}, {"mg", "毫克"}};

constexpr Row TEMPERATURE_UNITS[] = {{"c", "摄氏度"}, {"f", "华氏度"}, {"k", "开尔文"}};

}  // namespace

// Month names, durations, areas and currencies stay empty: the Chinese
// readings build those words themselves. Each code reads its own money words.
langpack::LanguagePack base_pack(std::string_view code) {
  return langpack::build_pack({
      .code = code,
      .symbol_words = SYMBOL_WORDS,
      .money = code == "zh_my" ? std::span<const CurrencyRow>(MONEY_MY) : std::span<const CurrencyRow>(MONEY),
      .digit_words = DIGITS,
      .negative_word = "负",
      .distance_units = DISTANCE_UNITS,
      .volume_units = VOLUME_UNITS,
      .weight_units = WEIGHT_UNITS,
      .temperature_units = TEMPERATURE_UNITS,
      .per_word = "per",
      .times_word = "kali",
      .hijri_word = "Hijri",
  });
}

const langpack::LanguagePack& pack() {
  static const langpack::LanguagePack PACK = [] {
    langpack::LanguagePack p = base_pack("zh");
    for (const auto& [symbol, word] : ZH_SYMBOL_OVERRIDES) p.symbol_words[std::string(symbol)] = word;
    p.index_symbols();
    return p;
  }();
  return PACK;
}

const langpack::LanguagePack& pack_zh_my() {
  static const langpack::LanguagePack PACK = base_pack("zh_my");
  return PACK;
}

}  // namespace kalvesta::lang::zh
