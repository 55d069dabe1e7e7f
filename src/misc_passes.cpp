#include "misc_passes.h"
namespace kalvesta::misc_passes {
std::string expand_ussd(std::string_view text, std::string_view) { return std::string(text); }
std::string expand_digit_contexts(std::string_view text, std::string_view) { return std::string(text); }
std::string normalize_elongated(std::string_view text) { return std::string(text); }
std::string insert_comma_repeated(std::string_view text, std::uint64_t) { return std::string(text); }
bool is_digit_word(std::string_view) { return false; }
}  // namespace kalvesta::misc_passes
