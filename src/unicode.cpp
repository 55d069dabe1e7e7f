// Unicode helpers over UTF-8 text, backed by ICU: decoding, character
// properties, White_Space trimming and collapsing, and full case mapping.
#include "unicode.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <vector>

namespace kalvesta::unicode {

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c <= 0x10FFFF) {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out += "\xEF\xBF\xBD";  // not a character: U+FFFD
  }
}

std::string to_utf8(char32_t c) {
  std::string s;
  append_utf8(s, c);
  return s;
}

std::size_t char_count(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    decode(text, pos);
    ++n;
  }
  return n;
}

bool is_white_space(char32_t c) {
  if (c < 0x80) return c == ' ' || (c >= 0x09 && c <= 0x0D);
  // Every other White_Space character (U+180E in older Unicode versions
  // too) is one of these or in U+2000..U+3000.
  if (c != 0x85 && c != 0xA0 && c != 0x1680 && c != 0x180E && (c < 0x2000 || c > 0x3000)) return false;
  return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_WHITE_SPACE);
}

bool is_alphabetic(char32_t c) {
  if (c < 0x80) return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
  return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_ALPHABETIC);
}

bool needs_debug_escape(char32_t c) {
  if (c < 0x80) return c < 0x20 || c == 0x7F;
  switch (u_charType(static_cast<UChar32>(c))) {
    case U_CONTROL_CHAR:
    case U_FORMAT_CHAR:
    case U_SURROGATE:
    case U_PRIVATE_USE_CHAR:
    case U_UNASSIGNED:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
    case U_SPACE_SEPARATOR:
      return true;
    default:
      return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_GRAPHEME_EXTEND);
  }
}

bool is_decimal_digit(char32_t c) {
  if (c < 0x80) return c >= '0' && c <= '9';
  // No script between Ol Chiki and Vai has digits of its own: this gap holds
  // the CJK ideographs, kana and punctuation.
  if (c >= 0x1C5A && c < 0xA620) return false;
  return u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER;
}

// Read off the character tables once.
const std::array<std::uint8_t, 256>& lead_classes() {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> out{};
    for (std::size_t b = 0xF0; b < 0x100; ++b) out[b] = 3;  // four bytes and stray bytes: always looked up
    for (char32_t c = 0x80; c < 0x10000; ++c) {
      // The first byte of c's UTF-8 form, without building the form.
      const std::size_t lead = c < 0x800 ? 0xC0 | (c >> 6) : 0xE0 | (c >> 12);
      if (out[lead] != 3) out[lead] |= (is_decimal_digit(c) ? 1 : 0) | (is_white_space(c) ? 2 : 0);
    }
    for (std::size_t b = 0x80; b < 0xC0; ++b) out[b] = 3;
    out[0xC0] = out[0xC1] = 3;  // they start only overlong forms
    return out;
  }();
  return table;
}

namespace {

// How many bytes decode() takes for the character at `pos` (< size).
std::size_t lead_length(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  decode(text, end);
  return end - pos;
}

}  // namespace

std::string ascii_digits(std::string_view text) {
  // Only a character whose first byte starts some digit is looked up; the
  // text between the digits found is copied in runs.
  const auto& leads = lead_classes();
  std::string out;
  std::size_t copied = 0;
  for (std::size_t pos = ascii_end(text, 0); pos < text.size(); pos = ascii_end(text, pos)) {
    auto b = static_cast<unsigned char>(text[pos]);
    while ((leads[b] & 1) == 0) {
      pos += lead_length(text, pos);
      if (pos == text.size() || (b = static_cast<unsigned char>(text[pos])) < 0x80) break;
    }
    if (pos == text.size() || b < 0x80) continue;
    const std::size_t start = pos;
    const char32_t c = decode(text, pos);
    if (!is_decimal_digit(c)) continue;
    if (copied == 0) out.reserve(text.size());
    out.append(text.substr(copied, start - copied));
    out.push_back(static_cast<char>('0' + u_charDigitValue(static_cast<UChar32>(c))));
    copied = pos;
  }
  if (copied == 0) return std::string(text);
  out.append(text.substr(copied));
  return out;
}

bool is_numeric(char32_t c) {
  if (c < 0x80) return c >= '0' && c <= '9';
  int8_t t = u_charType(static_cast<UChar32>(c));
  return t == U_DECIMAL_DIGIT_NUMBER || t == U_LETTER_NUMBER || t == U_OTHER_NUMBER;
}

bool is_uppercase(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z';
  return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_UPPERCASE);
}

bool is_ideographic(char32_t c) {
  return c >= 0x80 && u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_IDEOGRAPHIC);
}

bool is_word_char(char32_t c) {
  if (c < 0x80) return is_alphabetic(c) || is_ascii_digit(c) || c == '_';
  auto u = static_cast<UChar32>(c);
  if (u_hasBinaryProperty(u, UCHAR_ALPHABETIC) || u_hasBinaryProperty(u, UCHAR_JOIN_CONTROL)) return true;
  int8_t t = u_charType(u);
  return t == U_NON_SPACING_MARK || t == U_COMBINING_SPACING_MARK || t == U_ENCLOSING_MARK ||
         t == U_DECIMAL_DIGIT_NUMBER || t == U_CONNECTOR_PUNCTUATION;
}

bool is_alphanumeric(char32_t c) { return is_alphabetic(c) || is_numeric(c); }

std::string_view trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t next = begin;
    if (!is_white_space(decode(text, next))) break;
    begin = next;
  }
  std::size_t end = text.size();
  while (end > begin) {
    // Step back to the first byte of the last character.
    std::size_t start = end - 1;
    while (start > begin && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80 && end - start < 4) --start;
    std::size_t pos = start;
    char32_t c = decode(text, pos);
    if (pos != end) {  // a stray continuation byte: not White_Space
      break;
    }
    if (!is_white_space(c)) break;
    end = start;
  }
  return text.substr(begin, end - begin);
}

namespace {

using CaseFn = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

// Full case mapping through UTF-16 with the root locale.
std::string map_case(std::string_view text, CaseFn fn) {
  if (text.size() > static_cast<std::size_t>(INT32_MAX / 4)) return std::string(text);
  UErrorCode err = U_ZERO_ERROR;
  std::vector<UChar> src(text.size() + 1);
  int32_t src_len = 0;
  u_strFromUTF8WithSub(src.data(), static_cast<int32_t>(src.size()), &src_len, text.data(),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &err);
  if (U_FAILURE(err)) return std::string(text);
  std::vector<UChar> dst(static_cast<std::size_t>(src_len) + 16);
  err = U_ZERO_ERROR;
  int32_t dst_len = fn(dst.data(), static_cast<int32_t>(dst.size()), src.data(), src_len, "", &err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    dst.resize(static_cast<std::size_t>(dst_len));
    err = U_ZERO_ERROR;
    dst_len = fn(dst.data(), static_cast<int32_t>(dst.size()), src.data(), src_len, "", &err);
  }
  if (U_FAILURE(err)) return std::string(text);
  std::string out(static_cast<std::size_t>(dst_len) * 3, '\0');
  int32_t out_len = 0;
  err = U_ZERO_ERROR;
  u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &out_len, dst.data(), dst_len, &err);
  if (U_FAILURE(err)) return std::string(text);
  out.resize(static_cast<std::size_t>(out_len));
  return out;
}

}  // namespace

std::string to_lower(std::string_view text) {
  if (is_ascii(text)) {
    std::string out(text);
    for (char& c : out) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
  }
  return map_case(text, u_strToLower);
}

std::string to_upper(std::string_view text) {
  if (is_ascii(text)) {
    std::string out(text);
    for (char& c : out) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
  }
  return map_case(text, u_strToUpper);
}

std::string upper_char(char32_t c) { return to_upper(to_utf8(c)); }

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Steps over whole blocks of bytes that are ASCII from the blank up, or
// whole characters with a first byte E4..EF (U+4000..U+FFFF, no White_Space
// among them), making the steps is_collapsed's walk would make on them;
// npos when a block holds two blanks in a row, or starts with one after a
// blank. It stops at the start of a character.
#if defined(__SSE2__)
constexpr std::size_t BLOCK = 16;
std::size_t skip_plain_blocks(std::string_view text, std::size_t i, bool& blank) {
  unsigned pending = 0;  // continuation bytes this block owes to a character of the last one
  for (; i + BLOCK <= text.size(); i += BLOCK) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const unsigned plain = byte_bits(_mm_cmpgt_epi8(v, _mm_set1_epi8(' ')));  // ASCII beyond the blank
    const unsigned blanks = byte_bits(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')));
    unsigned owed = pending;
    if ((plain | blanks) != 0xFFFF) {
      const unsigned leads = byte_bits(bytes_within(v, static_cast<char>(0xE4), static_cast<char>(0xEF)));
      const unsigned tails = byte_bits(_mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(0xC0))));
      owed |= leads << 1 | leads << 2;
      if ((plain | blanks | leads | tails) != 0xFFFF || tails != (owed & 0xFFFF)) break;
    } else if (pending != 0) {
      break;
    }
    if ((blanks & (blanks >> 1)) != 0 || (blank && (blanks & 1) != 0)) return npos;
    blank = (blanks >> (BLOCK - 1)) != 0;
    pending = owed >> BLOCK;
  }
  // Back to the first byte of a character the blocks split.
  return pending == 0 ? i : i - ((pending & 2) != 0 ? 1 : 2);
}
#else
constexpr std::size_t BLOCK = 8;
std::size_t skip_plain_blocks(std::string_view text, std::size_t i, bool& blank) {
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + BLOCK <= text.size(); i += BLOCK) {
      std::uint64_t w;
      std::memcpy(&w, text.data() + i, BLOCK);
      if ((w & HIGH_BITS) != 0 || at_least(w, ' ') != HIGH_BITS) break;  // beyond ASCII or below the blank
      const std::uint64_t blanks = zero_bytes(w ^ 0x2020202020202020);
      if ((blanks & (blanks << 8)) != 0 || (blank && (blanks & 0x80) != 0)) return npos;
      blank = (blanks >> 63) != 0;
    }
  }
  return i;
}
#endif

}  // namespace

// Words apart by single blanks, with no other White_Space, told from the
// bytes. A character whose first byte is C3..DF, E4..EF or F1..F4 decodes to
// U+00C0..U+07FF or past U+3000 (or is a stray byte standing for itself):
// never White_Space, and is skipped as decode() would skip it.
bool is_collapsed(std::string_view text) {
  bool blank = true;
  for (std::size_t i = 0; i < text.size();) {
    i = skip_plain_blocks(text, i, blank);
    if (i == npos) return false;
    // A block that is not plain ASCII is walked a character at a time.
    for (const std::size_t block_end = std::min(text.size(), i + BLOCK); i < block_end;) {
      const auto b = static_cast<unsigned char>(text[i]);
      if (b > ' ' && b < 0x80) {
        do ++i;
        while (i < text.size() && static_cast<unsigned char>(text[i]) - 0x21u < 0x5Fu);
        blank = false;
      } else if (b == ' ' && !blank) {
        blank = true;
        ++i;
      } else if ((b >= 0xC3 && b <= 0xDF) || (b >= 0xE4 && b <= 0xEF) || (b >= 0xF1 && b <= 0xF4)) {
        i += lead_length(text, i);
        blank = false;
      } else if (b >= 0x80 && !is_white_space(decode(text, i))) {
        blank = false;
      } else {
        return false;
      }
    }
  }
  return !blank;
}

std::string collapse_whitespace(std::string_view text) {
  // Most texts come already collapsed.
  if (is_collapsed(text)) return std::string(text);
  std::string out;
  out.reserve(text.size());
  bool pending_space = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const auto b = static_cast<unsigned char>(text[pos]);
    if (b < 0x80) {
      if (is_ascii_blank(b)) {
        pending_space = !out.empty();
        ++pos;
        continue;
      }
      // A run of ASCII that is not white space is copied at once.
      while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80 &&
             !is_ascii_blank(static_cast<unsigned char>(text[pos])))
        ++pos;
    } else if (is_white_space(decode(text, pos))) {
      pending_space = !out.empty();
      continue;
    }
    if (pending_space) out.push_back(' ');
    pending_space = false;
    out.append(text.substr(start, pos - start));
  }
  return out;
}

std::vector<std::string_view> split_white_space(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t word_start = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t start = pos;
    bool space = is_white_space(decode(text, pos));
    if (space && word_start != std::string_view::npos) {
      words.push_back(text.substr(word_start, start - word_start));
      word_start = std::string_view::npos;
    } else if (!space && word_start == std::string_view::npos) {
      word_start = start;
    }
  }
  if (word_start != std::string_view::npos) words.push_back(text.substr(word_start));
  return words;
}

std::string replace_all(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  if (from.empty()) {
    // The empty text occurs before every character and at the end.
    out.reserve(text.size() + (text.size() + 1) * to.size());
    out.append(to);
    for (std::size_t pos = 0; pos < text.size();) {
      std::size_t start = pos;
      decode(text, pos);
      out.append(text.substr(start, pos - start));
      out.append(to);
    }
    return out;
  }
  out.reserve(text.size());
  std::size_t i = 0;
  while (true) {
    std::size_t hit = text.find(from, i);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(i, hit - i));
    out.append(to);
    i = hit + from.size();
  }
  out.append(text.substr(i));
  return out;
}

}  // namespace kalvesta::unicode
