// Indonesian number-format pre-parse and rule passes.
#pragma once

#include <string>
#include <string_view>

#include "numtext.h"

namespace kalvesta::normalize_id {

std::string preparse_number_formats(std::string_view text);
std::string suffix_word(std::string_view suffix);
std::string normalize_indonesian(std::string_view text);
std::string normalize_currency_id(std::string_view text);
std::string normalize_mixed_alnum_id(std::string_view token);
using kalvesta::parse_num;

}  // namespace kalvesta::normalize_id
