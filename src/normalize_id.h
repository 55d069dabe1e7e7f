// Indonesian number-format pre-parse and rule passes.
#pragma once

#include <string>
#include <string_view>

#include "numtext.h"
#include "rules.h"

namespace kalvesta::normalize_id {

std::string preparse_number_formats(std::string_view text, rules::Known* after = nullptr);
std::string preparse_number_formats(std::string&& text, rules::Known* after = nullptr);
std::string suffix_word(std::string_view suffix);
std::string normalize_indonesian(std::string_view text);
std::string normalize_indonesian(std::string&& text);
// The pre-parse's pass table, or the Indonesian one (tests check their gates).
std::span<const rules::Pass> indonesian_passes(bool preparse);
std::string normalize_mixed_alnum_id(std::string_view token);
// An amount's digits with its grouping commas gone and a last comma before
// one or two digits as the point: ‘12,50’ -> ‘12.50’, ‘1,500’ -> ‘1500’.
std::string amount_digits(std::string_view amount);
using kalvesta::parse_num;

}  // namespace kalvesta::normalize_id
