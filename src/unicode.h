// Unicode helpers over UTF-8 text: decoding, trimming, case mapping and the
// character properties the passes test. Only unicode.cpp includes ICU.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kalvesta::unicode {

// Decodes the character at text[pos] and advances pos past it. Text is valid
// UTF-8 everywhere in the system; a stray byte decodes as itself (U+0080+).
inline char32_t decode(std::string_view text, std::size_t& pos) {
  if (pos >= text.size()) {
    pos = text.size();
    return 0;
  }
  auto b = static_cast<unsigned char>(text[pos]);
  if (b < 0x80) {
    ++pos;
    return b;
  }
  if ((b & 0xF0) == 0xE0 && pos + 2 < text.size()) {
    // Three bytes, the most common form beyond ASCII, told without the loop
    // (a continuation byte flipped at its top bit is below 0x40).
    const unsigned t1 = static_cast<unsigned char>(text[pos + 1]) ^ 0x80u;
    const unsigned t2 = static_cast<unsigned char>(text[pos + 2]) ^ 0x80u;
    if (t1 < 0x40 && t2 < 0x40) {
      pos += 3;
      return static_cast<char32_t>((b & 0x0Fu) << 12 | t1 << 6 | t2);
    }
  }
  std::size_t len = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  if (b < 0xC0 || b > 0xF4 || pos + len > text.size()) {
    ++pos;  // a stray byte: itself
    return b;
  }
  char32_t c = b & (0x7F >> len);
  for (std::size_t k = 1; k < len; ++k) {
    auto cb = static_cast<unsigned char>(text[pos + k]);
    if ((cb & 0xC0) != 0x80) {
      ++pos;
      return b;
    }
    c = (c << 6) | (cb & 0x3F);
  }
  pos += len;
  return c;
}

void append_utf8(std::string& out, char32_t c);
std::string to_utf8(char32_t c);
std::size_t char_count(std::string_view text);  // characters, not bytes

bool is_white_space(char32_t c);   // White_Space
bool is_alphabetic(char32_t c);    // Alphabetic
bool is_numeric(char32_t c);       // general category Nd, Nl or No
bool is_decimal_digit(char32_t c); // general category Nd (the pattern dialect's \d)
bool is_uppercase(char32_t c);     // Uppercase
bool is_word_char(char32_t c);     // Alphabetic, Mark, Nd, Pc, Join_Control
bool is_ideographic(char32_t c);   // Ideographic (Chinese characters)
constexpr bool is_ascii_digit(char32_t c) { return c >= '0' && c <= '9'; }
// For each first byte of a two- or three-byte character: whether some
// character starting with it is a digit (bit 0) or White_Space (bit 1). Bytes
// of four-byte characters and bytes that start none have both bits: the
// character must be looked up. Most text beyond ASCII then needs no lookup.
const std::array<std::uint8_t, 256>& lead_classes();
// A-Z, a-z and 0-9; inline, since the byte loops call them on every byte.
constexpr bool is_ascii_letter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool is_ascii_alnum(char32_t c) { return (c >= '0' && c <= '9') || is_ascii_letter(c); }
// Space, tab, line feed, vertical tab, form feed, carriage return: the
// ASCII White_Space.
constexpr bool is_ascii_blank(char32_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_alphanumeric(char32_t c);  // Alphabetic or Numeric

// Shown as an escape when a string is debug-quoted: unprintable characters
// (controls, format, private use, unassigned, separators but the blank) and
// Grapheme_Extend characters.
bool needs_debug_escape(char32_t c);

// Every decimal digit (Nd) of any script written as the ASCII digit of its
// value (‘２０１５’ -> ‘2015’); all else unchanged.
std::string ascii_digits(std::string_view text);

// Surrounding White_Space removed.
std::string_view trim(std::string_view text);

// Full Unicode case mappings of the whole text ("ß" -> "SS").
std::string to_lower(std::string_view text);
std::string to_upper(std::string_view text);
// Full upper-case mapping of one character (may be several characters).
std::string upper_char(char32_t c);

// Eight bytes at a time, little-endian: bit 7 of each byte flags it.
inline constexpr std::uint64_t LOW_BITS = 0x0101010101010101, HIGH_BITS = LOW_BITS * 0x80;
// Bit 7 of each byte of w + (0x80 - lo) is set when that byte (below 0x80)
// is at least lo; a byte beyond ASCII may carry into the next one.
constexpr std::uint64_t at_least(std::uint64_t w, unsigned lo) { return (w + LOW_BITS * (0x80 - lo)) & HIGH_BITS; }
constexpr std::uint64_t within(std::uint64_t w, unsigned lo, unsigned hi) {
  return at_least(w, lo) & ~at_least(w, hi + 1);
}
#if defined(__SSE2__)
// Sixteen bytes at a time: those in [lo, hi] as signed bytes (so, for an
// ASCII range, none beyond ASCII), and one bit per byte, its top bit.
inline __m128i bytes_within(__m128i v, char lo, char hi) {
  return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(lo - 1))),
                       _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(hi + 1))));
}
inline unsigned byte_bits(__m128i m) { return static_cast<unsigned>(_mm_movemask_epi8(m)); }
#endif

// The high bit of every byte of x that is zero, and no other bit (exact: no
// carry crosses a byte).
constexpr std::uint64_t zero_bytes(std::uint64_t x) {
  constexpr std::uint64_t LOW7 = ~HIGH_BITS;
  return ~(((x & LOW7) + LOW7) | x) & HIGH_BITS;
}

// The end of the run of ASCII bytes from text[i] on, eight bytes at a time.
inline std::size_t ascii_end(std::string_view text, std::size_t i) {
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, text.data() + i, 8);
    if (const std::uint64_t high = w & HIGH_BITS; high != 0) {
      if constexpr (std::endian::native == std::endian::little) return i + std::countr_zero(high) / 8;
      break;
    }
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}
inline bool is_ascii(std::string_view text) { return ascii_end(text, 0) == text.size(); }

// Every run of White_Space replaced by one " ", ends trimmed.
std::string collapse_whitespace(std::string_view text);
// Whether collapse_whitespace would give the text back unchanged; false
// also when unsure.
bool is_collapsed(std::string_view text);

// The runs of non-White_Space characters, in order.
std::vector<std::string_view> split_white_space(std::string_view text);

// Plain substring replacement, left to right without overlap.
std::string replace_all(std::string_view text, std::string_view from, std::string_view to);

}  // namespace kalvesta::unicode
