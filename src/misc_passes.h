// Small passes every language runs: USSD codes, digit contexts, elongated
// words and repeated words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "regex.h"

namespace kalvesta::misc_passes {

// Each pass hands back its own text when it changes nothing.
std::string expand_ussd(std::string text, std::string_view lang);
std::string expand_digit_contexts(std::string text, std::string_view lang);
std::string normalize_elongated(std::string text);
std::string insert_comma_repeated(std::string text, std::uint64_t n);
bool is_digit_word(std::string_view word);
namespace detail {
// For tests: each digit-context pattern, and whether the gate before it lets
// the text through.
std::vector<std::pair<const regex::Regex*, bool>> digit_context_gates(std::string_view text);
}  // namespace detail

}  // namespace kalvesta::misc_passes
