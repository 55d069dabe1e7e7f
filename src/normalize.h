// Malay rule passes and the currency scale-suffix expansion that every
// language runs before its own passes.
#pragma once

#include <string>
#include <string_view>

#include "numtext.h"
#include "regex.h"

namespace kalvesta::normalize {

// Scale-suffix patterns, shared with the Indonesian passes.
extern constinit regex::LazyRegex RE_K_SUFFIX;
extern constinit regex::LazyRegex RE_M_SUFFIX;
extern constinit regex::LazyRegex RE_B_SUFFIX;
extern constinit regex::LazyRegex RE_T_SUFFIX;
extern constinit regex::LazyRegex RE_RIBU_SUFFIX;
extern constinit regex::LazyRegex RE_JUTA_SUFFIX;
extern constinit regex::LazyRegex RE_MILIAR_SUFFIX;
extern constinit regex::LazyRegex RE_TRILIUN_SUFFIX;

std::string expand_suffix(std::string_view text, const regex::Regex& pattern, double multiplier);
std::string expand_suffixes_no_m(std::string_view text);
std::string expand_all_currency_suffixes(std::string_view text);

std::string normalize_malay(std::string_view text);
using kalvesta::parse_num;
std::string digit_word_upper(char32_t c);

}  // namespace kalvesta::normalize
