// English cardinals and ordinals: worked examples, joins between groups,
// the scale words past quintillion, range guards, and a slow twin.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "num2word_en.h"
#include "result.h"

using namespace kalvesta;
using num2word_en::ordinal_word;
using num2word_en::to_cardinal_en;
using num2word_en::under_1000;

namespace {

constexpr u128 pow10(unsigned e) {
  u128 v = 1;
  for (unsigned i = 0; i < e; ++i) v *= 10;
  return v;
}

struct Case {
  u128 in;
  std::string_view want;
};

const Case kCardinals[] = {
    {0, "zero"},
    {5, "five"},
    {13, "thirteen"},
    {21, "twenty-one"},
    {90, "ninety"},
    {105, "one hundred and five"},
    {342, "three hundred and forty-two"},
    {1000, "one thousand"},
    {1001, "one thousand and one"},
    {1100, "one thousand, one hundred"},
    {1234, "one thousand, two hundred and thirty-four"},
    {12345, "twelve thousand, three hundred and forty-five"},
    {101000, "one hundred and one thousand"},
    {1000000, "one million"},
    {1000001, "one million and one"},
    {1000005, "one million and five"},
    {1000100, "one million, one hundred"},
    // The last group joins with "and" when small, whatever its scale.
    {1005000, "one million and five thousand"},
    {1100000, "one million, one hundred thousand"},
    {2000100, "two million, one hundred"},
    {pow10(18), "one quintillion"},
    {pow10(21) - 1,
     "nine hundred and ninety-nine quintillion, nine hundred and ninety-nine quadrillion, "
     "nine hundred and ninety-nine trillion, nine hundred and ninety-nine billion, "
     "nine hundred and ninety-nine million, nine hundred and ninety-nine thousand, "
     "nine hundred and ninety-nine"},
    // Past quintillion each magnitude keeps a word of its own.
    {pow10(21), "one sextillion"},
    {pow10(24), "one septillion"},
    {pow10(27), "one octillion"},
    {pow10(30), "one nonillion"},
    {pow10(33), "one decillion"},
    {pow10(36) + 7, "one undecillion and seven"},
    {U128_MAX,
     "three hundred and forty undecillion, two hundred and eighty-two decillion, "
     "three hundred and sixty-six nonillion, nine hundred and twenty octillion, "
     "nine hundred and thirty-eight septillion, four hundred and sixty-three sextillion, "
     "four hundred and sixty-three quintillion, three hundred and seventy-four quadrillion, "
     "six hundred and seven trillion, four hundred and thirty-one billion, "
     "seven hundred and sixty-eight million, two hundred and eleven thousand, "
     "four hundred and fifty-five"},
};

TEST(to_cardinal_en, examples) {
  for (const auto& c : kCardinals) EXPECT_EQ(to_cardinal_en(c.in), c.want) << u128_to_string(c.in);
}

TEST(under_1000, zero_is_empty_and_range_is_guarded) {
  EXPECT_EQ(under_1000(0), "");
  EXPECT_EQ(under_1000(999), "nine hundred and ninety-nine");
  EXPECT_THROW(under_1000(1000), InternalFailure);
}

struct OrdinalCase {
  std::uint64_t in;
  std::string_view want;
};

const OrdinalCase kOrdinals[] = {
    {0, "zeroth"},          {1, "first"},          {2, "second"},        {3, "third"},
    {4, "fourth"},          {5, "fifth"},          {8, "eighth"},        {9, "ninth"},
    {10, "tenth"},          {11, "eleventh"},      {12, "twelfth"},      {13, "thirteenth"},
    {18, "eighteenth"},     {19, "nineteenth"},    {20, "twentieth"},    {21, "twenty-first"},
    {22, "twenty-second"},  {28, "twenty-eighth"}, {33, "thirty-third"}, {40, "fortieth"},
    {55, "fifty-fifth"},    {59, "fifty-ninth"},   {64, "sixty-fourth"}, {90, "ninetieth"},
    {97, "ninety-seventh"}, {99, "ninety-ninth"},
};

TEST(ordinal_word, zero_to_ninety_nine) {
  for (const auto& c : kOrdinals) EXPECT_EQ(ordinal_word(c.in), c.want) << c.in;
}

TEST(ordinal_word, range_is_guarded) {
  EXPECT_THROW(ordinal_word(100), InternalFailure);
  EXPECT_THROW(ordinal_word(UINT64_MAX), InternalFailure);
}

// The slow twin: a recursive reading on the number's value.
const char* const kOnes[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine",
                             "ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen",
                             "seventeen", "eighteen", "nineteen"};
const char* const kTens[] = {"", "", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};
const char* const kScales[] = {"",           "thousand",   "million",    "billion",   "trillion",
                               "quadrillion", "quintillion", "sextillion", "septillion", "octillion",
                               "nonillion",  "decillion",  "undecillion"};

std::string slow_small(unsigned n) {  // 1..999
  if (n < 20) return kOnes[n];
  if (n < 100) return std::string(kTens[n / 10]) + (n % 10 ? std::string("-") + kOnes[n % 10] : "");
  return std::string(kOnes[n / 100]) + " hundred" + (n % 100 ? " and " + slow_small(n % 100) : "");
}

std::string slow_en(u128 n) {
  if (n < 1000) return n == 0 ? "zero" : slow_small(static_cast<unsigned>(n));
  unsigned k = 0;
  u128 unit = 1;
  while (n / unit >= 1000) unit *= 1000, ++k;
  std::string head = slow_small(static_cast<unsigned>(n / unit)) + " " + kScales[k];
  const u128 rest = n % unit;
  if (rest == 0) return head;
  // "and" only before a rest that is one group of at most 99 (times a scale).
  u128 g = rest;
  while (g % 1000 == 0) g /= 1000;
  return head + (g <= 99 ? " and " : ", ") + slow_en(rest);
}

TEST(to_cardinal_en, matches_slow_twin) {
  for (u128 n = 0; n <= 100000; ++n) ASSERT_EQ(to_cardinal_en(n), slow_en(n)) << u128_to_string(n);
  for (unsigned e = 3; e <= 38; ++e) {
    for (u128 v : {pow10(e), pow10(e) + 1, pow10(e) + 99, pow10(e) + 100, pow10(e) * 3 + pow10(e / 2) * 42,
                   pow10(e) - 1}) {
      ASSERT_EQ(to_cardinal_en(v), slow_en(v)) << u128_to_string(v);
    }
  }
}

}  // namespace
