#include "normalize_en.h"
namespace kalvesta::normalize_en {
std::string normalize_english(std::string_view text) { return std::string(text); }
std::string render_year(u128) { return {}; }
std::string mixed_alnum_en(std::string_view token) { return std::string(token); }
std::string apply_pronunciation_overrides(std::string_view text, std::string_view) { return std::string(text); }
std::string replace_letter_period_sequences(std::string_view text) { return std::string(text); }
std::string expand_acronym(std::string_view token) { return std::string(token); }
}  // namespace kalvesta::normalize_en
