#include "normalize_id.h"
namespace kalvesta::normalize_id {
std::string preparse_number_formats(std::string_view text) { return std::string(text); }
std::string suffix_word(std::string_view) { return {}; }
std::string normalize_indonesian(std::string_view text) { return std::string(text); }
std::string normalize_currency_id(std::string_view text) { return std::string(text); }
std::string normalize_mixed_alnum_id(std::string_view token) { return std::string(token); }
}  // namespace kalvesta::normalize_id
