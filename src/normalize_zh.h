// Chinese number readings and the rule passes of "zh" and "zh_my".
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "numtext.h"
#include "rules.h"

namespace kalvesta::normalize_zh {

std::string to_cardinal_zh(u128 n);
// ASCII digits read as one number; a run past 128 bits digit by digit.
std::string to_cardinal_zh_text(std::string_view digits);
std::string to_year_zh(u128 n);
std::string month_zh(std::string_view s);
// "1".."12" -> "一".."十二", built once on first use.
const std::unordered_map<std::string, std::string>& MONTHS_ZH();

std::string normalize_zh_variant(std::string_view text, bool is_my);

namespace detail {
// For tests: the passes of a variant in order.
std::span<const rules::Pass> passes(bool is_my);
// What every match of every pass holds: a text without it is left as it is.
const rules::Needs& reading_needs();
}  // namespace detail

}  // namespace kalvesta::normalize_zh
