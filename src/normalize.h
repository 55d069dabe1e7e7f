// Malay rule passes and the currency scale-suffix expansion that every
// language runs before its own passes.
#pragma once

#include <string>
#include <string_view>

#include "regex.h"
#include "rules.h"

namespace kalvesta::normalize {

// Scale-suffix patterns: a currency code, an amount, then a letter or word scale.
extern constinit regex::LazyRegex RE_K_SUFFIX;
extern constinit regex::LazyRegex RE_M_SUFFIX;
extern constinit regex::LazyRegex RE_B_SUFFIX;
extern constinit regex::LazyRegex RE_T_SUFFIX;
extern constinit regex::LazyRegex RE_RIBU_SUFFIX;
extern constinit regex::LazyRegex RE_JUTA_SUFFIX;
extern constinit regex::LazyRegex RE_MILIAR_SUFFIX;
extern constinit regex::LazyRegex RE_TRILIUN_SUFFIX;

// Every match of a scale pattern as its code and the amount times 10^zeros.
std::string expand_suffix(std::string_view text, const regex::Regex& pattern, unsigned zeros);
// Every scale but "M", which Indonesian reads as miliar in its own pre-parse.
// `known`, when given, tells about the text given and learns about the text
// returned if it is the same. A text handed over whole is returned without a
// copy when nothing changes.
std::string expand_suffixes_no_m(std::string_view text, rules::Known* known = nullptr);
std::string expand_suffixes_no_m(std::string&& text, rules::Known* known = nullptr);
std::string expand_all_currency_suffixes(std::string_view text, rules::Known* known = nullptr);
std::string expand_all_currency_suffixes(std::string&& text, rules::Known* known = nullptr);

std::string normalize_malay(std::string_view text);
std::string normalize_malay(std::string&& text);
// The Malay pass table (tests check its gates).
std::span<const rules::Pass> malay_passes();
std::string digit_word_upper(char32_t c);
std::string normalize_mixed_alnum(std::string_view token);

}  // namespace kalvesta::normalize
