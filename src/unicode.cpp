#include "unicode.h"
namespace kalvesta::unicode {
char32_t decode(std::string_view text, std::size_t& pos) { return static_cast<unsigned char>(text[pos++]); }
void append_utf8(std::string& out, char32_t c) { out.push_back(static_cast<char>(c)); }
std::string to_utf8(char32_t c) { std::string s; append_utf8(s, c); return s; }
std::size_t char_count(std::string_view text) { return text.size(); }
bool is_white_space(char32_t c) { return c == ' '; }
bool is_alphabetic(char32_t) { return false; }
bool is_numeric(char32_t) { return false; }
bool is_uppercase(char32_t) { return false; }
bool is_word_char(char32_t) { return false; }
bool is_ascii_digit(char32_t c) { return c >= '0' && c <= '9'; }
std::string_view trim(std::string_view text) { return text; }
std::string to_lower(std::string_view text) { return std::string(text); }
std::string to_upper(std::string_view text) { return std::string(text); }
std::string upper_char(char32_t c) { return to_utf8(c); }
std::string collapse_whitespace(std::string_view text) { return std::string(text); }
std::string replace_all(std::string_view text, std::string_view, std::string_view) { return std::string(text); }
}  // namespace kalvesta::unicode
