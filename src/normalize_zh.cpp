#include "normalize_zh.h"
namespace kalvesta::normalize_zh {
std::string to_cardinal_zh(u128) { return {}; }
std::string convert_tens(u128, bool) { return {}; }
std::string convert_hundreds(u128) { return {}; }
std::string convert_thousands(u128) { return {}; }
std::string to_year_zh(u128) { return {}; }
std::string zh_digit(char32_t) { return {}; }
std::string month_zh(std::string_view s) { return std::string(s); }
const std::unordered_map<std::string, std::string>& MONTHS_ZH() { static const std::unordered_map<std::string, std::string> m; return m; }
std::string normalize_zh_variant(std::string_view text, bool) { return std::string(text); }
}  // namespace kalvesta::normalize_zh
