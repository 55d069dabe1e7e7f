// Tests of the Unicode helpers: decoding, properties, trimming, case
// mapping, whitespace collapsing and plain replacement.
#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <string>

#include "unicode.h"

using namespace kalvesta::unicode;

TEST(Unicode, DecodeAndEncodeRoundTrip) {
  const char32_t chars[] = {U'a', U'\u00e9', U'\u0800', U'\u4e2d', U'\uffff', U'\U0001F600', U'\u0000', U'\U0010FFFF'};
  for (char32_t c : chars) {
    std::string s = to_utf8(c);
    std::size_t pos = 0;
    EXPECT_EQ(decode(s, pos), c) << "code point " << static_cast<unsigned>(c);
    EXPECT_EQ(pos, s.size()) << "code point " << static_cast<unsigned>(c);
  }
  // Stray bytes decode as themselves, one byte at a time.
  std::string odd = "\xff\xe4\xb8";
  std::size_t pos = 0;
  EXPECT_EQ(decode(odd, pos), 0xFFu);
  EXPECT_EQ(decode(odd, pos), 0xE4u);
  EXPECT_EQ(pos, 2u);
  pos = 0;
  EXPECT_EQ(decode("\xe4\x41\x80", pos), 0xE4u);  // a first byte without its continuation
  EXPECT_EQ(pos, 1u);
  pos = 9;
  EXPECT_EQ(decode(odd, pos), 0u);  // past the end: nothing, and no overrun
  EXPECT_EQ(pos, odd.size());
  EXPECT_EQ(char_count("aé中😀"), 4u);
}

TEST(Unicode, Properties) {
  struct Case { char32_t c; bool space, alpha, numeric, upper, word; };
  const Case cases[] = {
      {U'_', false, false, false, false, true},
      {U'7', false, false, true, false, true},
      {U'\u00b2', false, false, true, false, false},   // superscript two: No
      {U'\u0663', false, false, true, false, true},    // Arabic-Indic three: Nd
      {U'\u2163', false, true, true, true, true},      // Roman numeral four: Nl, Alphabetic
      {U'\u200d', false, false, false, false, true},   // zero width joiner
      {U'\u180e', false, false, false, false, false},  // Mongolian vowel separator
      {U'\u0085', true, false, false, false, false},
  };
  for (const auto& c : cases) {
    unsigned cp = static_cast<unsigned>(c.c);
    EXPECT_EQ(is_white_space(c.c), c.space) << "U+" << std::hex << cp;
    EXPECT_EQ(is_alphabetic(c.c), c.alpha) << "U+" << std::hex << cp;
    EXPECT_EQ(is_numeric(c.c), c.numeric) << "U+" << std::hex << cp;
    EXPECT_EQ(is_uppercase(c.c), c.upper) << "U+" << std::hex << cp;
    EXPECT_EQ(is_word_char(c.c), c.word) << "U+" << std::hex << cp;
    EXPECT_EQ(is_alphanumeric(c.c), c.alpha || c.numeric) << "U+" << std::hex << cp;
  }
}

// The shortcuts before the property lookups miss no White_Space character
// and no decimal digit.
TEST(Unicode, ShortcutsAgreeWithTheProperties) {
  for (UChar32 c = 0; c <= 0x10FFFF; ++c) {
    const auto ch = static_cast<char32_t>(c);
    ASSERT_EQ(is_white_space(ch), static_cast<bool>(u_hasBinaryProperty(c, UCHAR_WHITE_SPACE))) << "U+" << std::hex << c;
    ASSERT_EQ(is_decimal_digit(ch), u_charType(c) == U_DECIMAL_DIGIT_NUMBER) << "U+" << std::hex << c;
  }
}

TEST(Unicode, Trim) {
  struct Case { const char* in; const char* want; };
  const Case cases[] = {
      {"  ms ", "ms"},
      {"\u180ezh\u180e", "\u180ezh\u180e"},  // not White_Space
      {"\x80 ", "\x80"},  // a stray byte survives
  };
  for (const auto& c : cases) EXPECT_EQ(trim(c.in), c.want) << "input " << c.in;
}

TEST(Unicode, CaseMapping) {
  struct Case { const char* in; const char* lower; const char* upper; };
  const Case cases[] = {
      {"straße", "straße", "STRASSE"},
      {"ΟΔΟΣ", "οδος", "ΟΔΟΣ"},  // final sigma lower-cases to ς
      {"İ", "i\u0307", "İ"}, {"ﬁ", "ﬁ", "FI"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_lower(c.in), c.lower) << "input " << c.in;
    EXPECT_EQ(to_upper(c.in), c.upper) << "input " << c.in;
  }
  EXPECT_EQ(upper_char(U'ß'), "SS");
  EXPECT_EQ(upper_char(U'中'), "中");
}

TEST(Unicode, CollapseWhitespace) {
  struct Case { const char* in; const char* want; };
  const Case cases[] = {
      {"  a \t\n b  ", "a b"}, {"a\u180eb", "a\u180eb"}, {"中 文", "中 文"},
      {"ab c", "ab c"}, {"ab c ", "ab c"}, {"ab\tc", "ab c"}, {"a\u3000b", "a b"}, {"a\x1f b", "a\x1f b"},
      {"\u00e9 \u4e2d\U0001F600", "\u00e9 \u4e2d\U0001F600"},
      // Stray and overlong bytes decode as they always have: U+00A0 and U+0020 here.
      {"\u4e2d\xA0", "\u4e2d"}, {"a\xC0\xA0" "b", "a b"}, {"\xE4\xBD", "\xE4\xBD"},
      // Blanks at the seams of eight-byte blocks.
      {"abcdefg  hijklmnop", "abcdefg hijklmnop"}, {"abcdefg hijklmn ", "abcdefg hijklmn"},
      {" abcdefghijklmnop", "abcdefghijklmnop"}, {"abc  defghijk", "abc defghijk"}, {"abcdefgh  ", "abcdefgh"},
      {"abcd\tefghijklmno", "abcd efghijklmno"}, {"abcdefg \u00e9  hijklmn x", "abcdefg \u00e9 hijklmn x"},
      {"abcdefg\x7f \x7fhijklmn", "abcdefg\x7f \x7fhijklmn"},
      {"abcdefghijklmno  pqrstuvwxyzabcdef", "abcdefghijklmno pqrstuvwxyzabcdef"},
      {"abcdefghijklmnop qrstuvwxyzabcdef ", "abcdefghijklmnop qrstuvwxyzabcdef"},
      {"abcdefghijklmn \u00e9 abcdefghijklmnopqrstu  vwxyz", "abcdefghijklmn \u00e9 abcdefghijklmnopqrstu vwxyz"},
      // Characters beyond ASCII across the seams.
      {"\u4e2d\u6587\u4e2d\u6587\u4e2d \u6587\u4e2d\u6587\u4e2d\u6587  x", "\u4e2d\u6587\u4e2d\u6587\u4e2d \u6587\u4e2d\u6587\u4e2d\u6587 x"},
      {"abcdefghijklmn\u4e2d\u00e9 x", "abcdefghijklmn\u4e2d\u00e9 x"}, {"abcdefghijklmno\u4e2d  x", "abcdefghijklmno\u4e2d x"},
      {"abcdefghij\u4e2d\xA0" "abcdefghijklmnop", "abcdefghij\u4e2d abcdefghijklmnop"},  // a stray byte
  };
  for (const auto& c : cases) {
    EXPECT_EQ(collapse_whitespace(c.in), c.want) << "input " << c.in;
    // Splitting agrees with collapsing.
    std::string joined;
    for (auto w : split_white_space(c.in)) joined += (joined.empty() ? "" : " ") + std::string(w);
    EXPECT_EQ(joined, c.want) << "input " << c.in;
  }
}

TEST(Unicode, ReplaceAll) {
  struct Case { const char* text; const char* from; const char* to; const char* want; };
  const Case cases[] = {
      {"aaa", "aa", "b", "ba"},  // left to right, no overlap
      {"a-b-c", "-", " dash ", "a dash b dash c"},
      {"é", "", "|", "|é|"},  // the empty text sits between characters
  };
  for (const auto& c : cases) EXPECT_EQ(replace_all(c.text, c.from, c.to), c.want) << "text " << c.text;
}
