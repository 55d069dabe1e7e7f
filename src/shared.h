// The entity kinds that read alike in every language, and the measurement
// pass.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "langpack.h"
#include "numtext.h"
#include "regex.h"
#include "unicode.h"

namespace kalvesta::shared {

// The patterns that find these kinds; each speller reads the first match of
// its pattern and gives back a text without one as written.
extern constinit regex::LazyRegex RE_TEMPERATURE;
extern constinit regex::LazyRegex RE_FRACTION;
extern constinit regex::LazyRegex RE_X_KALI;
extern constinit regex::LazyRegex RE_HARI_BULAN;
extern constinit regex::LazyRegex RE_HIJRI;
std::string speak_temperature(std::string_view text, std::string_view lang);  // ‘25°C’
std::string speak_fraction(std::string_view text, std::string_view lang);     // ‘3/4’
std::string speak_x_kali(std::string_view text, std::string_view lang);       // ‘3x’
std::string speak_hari_bulan(std::string_view text, std::string_view lang);   // ‘15hb’
std::string speak_hijri(std::string_view text, std::string_view lang);        // ‘1445H’

// For the gates before a scan. The letter at text[i] as a caseless pattern
// sees it, lower-cased (either case, the Kelvin sign as "k", the long s as
// "s"), 0 for anything else; `len` its byte length.
inline char caseless_letter_at(std::string_view text, std::size_t i, std::size_t& len) {
  const auto b = static_cast<unsigned char>(text[i]);
  len = 1;
  if (b < 0x80) {
    const unsigned letter = (b | 0x20u) - 'a';
    return letter < 26 ? static_cast<char>('a' + letter) : 0;
  }
  const auto at = [&](std::size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0; };
  if (b == 0xC5 && at(1) == 0xBF) return len = 2, 's';                  // U+017F
  if (b == 0xE2 && at(1) == 0x84 && at(2) == 0xAA) return len = 3, 'k';  // U+212A
  return 0;
}
// Whether a byte may begin such a letter.
constexpr bool may_begin_letter(unsigned char b) {
  return b < 0x80 ? ((b | 0x20u) - 'a') < 26 : b == 0xC5 || b == 0xE2;
}
// The end of the run of such letters from text[i] on; lower-cased into
// `word` when one is given (cut short past its size).
struct CaselessWord {
  char letters[16];
  std::size_t size = 0;  // above 16: longer than any word a gate looks for
  std::string_view view() const { return {letters, size <= 16 ? size : 0}; }
};
inline std::size_t caseless_word_end(std::string_view text, std::size_t i, CaselessWord* word = nullptr) {
  if (word) word->size = 0;
  std::size_t len = 0;
  for (char c; i < text.size() && (c = caseless_letter_at(text, i, len)) != 0; i += len) {
    if (!word) continue;
    if (word->size < 16) word->letters[word->size] = c;
    ++word->size;
  }
  return i;
}
// The first position from i on holding an ASCII digit or a character
// beyond ASCII other than the CJK ideographs U+4000..U+9FFF (first byte
// E4..E9), which are no digit, blank or caseless letter (text.size() if
// none). ASCII goes eight bytes at a time: below 0x80 a byte plus 0x50
// reaches the high bit from '0' on, plus 0x46 from past '9' on; only a byte
// beyond ASCII carries into the next one, so the lowest flag is exact.
inline std::size_t next_maybe_digit(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const auto ideograph = [&](std::size_t k) {
    return k + 2 < text.size() && at(k) - 0xE4u <= 0xE9u - 0xE4u && (at(k + 1) & 0xC0) == 0x80 && (at(k + 2) & 0xC0) == 0x80;
  };
  while (true) {
    for (; i + 8 <= text.size(); i += 8) {
      std::uint64_t w;
      std::memcpy(&w, text.data() + i, 8);
      const std::uint64_t hits = (w & unicode::HIGH_BITS) | unicode::within(w, '0', '9');
      if (hits == 0) continue;
      if constexpr (std::endian::native == std::endian::little) i += std::countr_zero(hits) / 8;
      break;
    }
    while (i < text.size() && at(i) < 0x80 && (at(i) < '0' || at(i) > '9')) ++i;
    if (!ideograph(i)) return i;
    do i += 3;
    while (ideograph(i));
  }
}
inline bool listed(std::span<const std::string_view> words, std::string_view word) {
  for (std::string_view w : words) {
    if (w == word) return true;
  }
  return false;
}
// A list of words with one of 64 bits set for each, from its first and
// last byte and its length: a word whose bit is clear is not compared.
class WordList {
 public:
  template <std::size_t N>
  constexpr WordList(const std::string_view (&words)[N]) : words_(words) {
    for (std::string_view w : words) bits_ |= bit(w);
  }
  constexpr bool contains(std::string_view word) const { return (bits_ & bit(word)) != 0 && listed(words_, word); }

 private:
  static constexpr std::uint64_t bit(std::string_view w) {
    if (w.empty()) return 1;
    return std::uint64_t{1} << ((static_cast<unsigned char>(w.front()) * 7u + static_cast<unsigned char>(w.back()) * 3u + w.size()) % 64);
  }
  std::span<const std::string_view> words_;
  std::uint64_t bits_ = 0;
};
// Whether the character at text[i], beyond ASCII, is certainly no digit
// (\d) and no blank (\s, White_Space): U+00A1..U+00FF, U+2000..U+2FFF but
// the blanks among them (punctuation, symbols), U+3001..U+9FFF (the CJK
// marks, kana and ideographs), and the full-width forms but the digits.
// Every other character may be either.
inline bool neither_digit_nor_blank(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0; };
  const unsigned char b = at(0), b1 = at(1), b2 = at(2);
  if (b >= 0xE4 && b <= 0xE9) return b1 >= 0x80 && b1 <= 0xBF && b2 >= 0x80 && b2 <= 0xBF;
  if (b == 0xC2) return b1 >= 0xA1 && b1 <= 0xBF;
  if (b == 0xC3) return b1 >= 0x80 && b1 <= 0xBF;
  if (b == 0xE2) {
    if (b1 < 0x80 || b1 > 0xBF || b2 < 0x80 || b2 > 0xBF) return false;
    // U+2000..U+200A, U+2028, U+2029, U+202F and U+205F are blanks
    return !(b1 == 0x80 && (b2 <= 0x8A || b2 == 0xA8 || b2 == 0xA9 || b2 == 0xAF)) && !(b1 == 0x81 && b2 == 0x9F);
  }
  if (b == 0xE3) return b1 >= 0x80 && b1 <= 0xBF && b2 >= 0x80 && b2 <= 0xBF && !(b1 == 0x80 && b2 == 0x80);
  if (b == 0xEF && b1 == 0xBC) return (b2 >= 0x81 && b2 <= 0x8F) || (b2 >= 0x9A && b2 <= 0xBF);  // U+FF01..U+FF3F
  if (b == 0xEF && (b1 == 0xBD || b1 == 0xBE)) return b2 >= 0x80 && b2 <= 0xBF;                  // U+FF40..U+FFBF
  return false;
}
// Whether the character at text[i] may be a digit or a blank of the pattern
// dialect (ASCII digits and blanks, and whatever the test above leaves open).
inline bool may_be_digit_or_blank(std::string_view text, std::size_t i) {
  const auto b = static_cast<unsigned char>(text[i]);
  if (b < 0x80) return (b >= '0' && b <= '9') || unicode::is_ascii_blank(b);
  return !neither_digit_nor_blank(text, i);
}

// The text itself comes back when no measurement is in it.
std::string normalize_measurements(std::string text, std::string_view lang);
namespace detail {
// For tests: each measurement pattern, and whether the gate before it lets
// the text through.
std::vector<std::pair<const regex::Regex*, bool>> measurement_gates(std::string_view text);
}  // namespace detail

// Each character read with the pack's digit word (others as themselves),
// joined with single blanks: "123" -> "satu dua tiga".
std::string spell_digits(std::string_view digits, const langpack::LanguagePack& pack);

// Whether the code, compared exactly, takes the Chinese readings.
inline bool is_chinese(std::string_view lang) { return lang == "zh" || lang == "zh_my"; }

// The cardinal of a language, chosen by the exact code: "id" and "en" have
// their own spellers, every other code (the Chinese ones included) Malay.
std::string cardinal_for(u128 n, std::string_view lang);
// ASCII digits read by cardinal_for; a run past 128 bits is read digit by
// digit, never as zero.
std::string cardinal_text(std::string_view digits, std::string_view lang);

// Every character of a fraction as its digit (any other character as 0):
// Chinese digits joined without separators ("05" -> "零五"), or the
// language's cardinals joined with blanks ("05" -> "kosong lima").
std::string zh_fraction(std::string_view fraction);
std::string spaced_fraction(std::string_view fraction, std::string_view lang);
// The word the language passes read a decimal point with: "point" (en),
// "koma" (id), "点" (zh, zh_my), "perpuluhan" (every other code).
std::string_view decimal_word(std::string_view lang);

}  // namespace kalvesta::shared
