#include "normalize.h"
namespace kalvesta::normalize {
constinit regex::LazyRegex RE_K_SUFFIX{"(?i)(?<!\\w)(RM|Rp|\\$|£|€|USD|EUR|GBP|MYR|IDR)(?:\\s?)(\\d+(?:\\.\\d+)?)K\\b"};
constinit regex::LazyRegex RE_M_SUFFIX{"x"};
constinit regex::LazyRegex RE_B_SUFFIX{"x"};
constinit regex::LazyRegex RE_T_SUFFIX{"x"};
constinit regex::LazyRegex RE_RIBU_SUFFIX{"x"};
constinit regex::LazyRegex RE_JUTA_SUFFIX{"x"};
constinit regex::LazyRegex RE_MILIAR_SUFFIX{"x"};
constinit regex::LazyRegex RE_TRILIUN_SUFFIX{"x"};
std::string expand_suffix(std::string_view text, const regex::Regex&, double) { return std::string(text); }
std::string expand_suffixes_no_m(std::string_view text) { return std::string(text); }
std::string expand_all_currency_suffixes(std::string_view text) { return std::string(text); }
std::string normalize_malay(std::string_view text) { return std::string(text); }
std::string digit_word_upper(char32_t) { return {}; }
}  // namespace kalvesta::normalize
