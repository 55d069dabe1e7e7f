// English rule passes and word rewrites, and two passes every language runs:
// the fixed pronunciation overrides and the acronym / letter-period pass.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numtext.h"
#include "regex.h"
#include "rules.h"

namespace kalvesta::normalize_en {

std::string normalize_english(std::string_view text);
std::string normalize_english(std::string&& text);
// The number, money and time pass table (tests check its gates).
std::span<const rules::Pass> english_passes();
std::string render_year(u128 year);
using kalvesta::parse_num;
std::string mixed_alnum_en(std::string_view token);

std::string apply_pronunciation_overrides(std::string text, std::string_view lang);
std::string replace_letter_period_sequences(std::string text);
std::string expand_acronym(std::string_view token);

namespace detail {
// For tests: each contraction and title pattern, and whether the check
// before it lets the text through.
std::vector<std::pair<const regex::Regex*, bool>> word_row_gates(std::string_view text);
// For tests: the company, unit and "No." patterns, and whether the check
// before each lets the text through.
std::vector<std::pair<const regex::Regex*, bool>> override_gates(std::string_view text);
}  // namespace detail

}  // namespace kalvesta::normalize_en
