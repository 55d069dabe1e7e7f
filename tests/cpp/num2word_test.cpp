// Malay and Indonesian cardinals: worked examples, the group and overflow
// boundaries, and a slow recursive twin compared over a range.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "num2word.h"

using namespace kalvesta;
using num2word::ID_VOCAB;
using num2word::MS_VOCAB;
using num2word::to_cardinal_with;

namespace {

constexpr u128 pow10(unsigned e) {
  u128 v = 1;
  for (unsigned i = 0; i < e; ++i) v *= 10;
  return v;
}

struct Case {
  u128 in;
  std::string_view ms, id;
};

const Case kCardinals[] = {
    {0, "kosong", "nol"},
    {8, "lapan", "delapan"},
    {11, "sebelas", "sebelas"},
    {18, "lapan belas", "delapan belas"},
    {40, "empat puluh", "empat puluh"},
    {88, "lapan puluh lapan", "delapan puluh delapan"},
    {100, "seratus", "seratus"},
    {110, "seratus sepuluh", "seratus sepuluh"},
    {808, "lapan ratus lapan", "delapan ratus delapan"},
    {1000, "seribu", "seribu"},
    {1005, "seribu lima", "seribu lima"},
    {1999, "seribu sembilan ratus sembilan puluh sembilan",
     "seribu sembilan ratus sembilan puluh sembilan"},
    {2000, "dua ribu", "dua ribu"},
    {10001, "sepuluh ribu satu", "sepuluh ribu satu"},
    {11000, "sebelas ribu", "sebelas ribu"},
    {100000, "seratus ribu", "seratus ribu"},
    {1000000, "satu juta", "satu juta"},
    // Only 1000..1999 say "seribu"; inside a larger number it is "satu ribu".
    {1001000, "satu juta satu ribu", "satu juta satu ribu"},
    {2000001, "dua juta satu", "dua juta satu"},
    // A group of zeros gives neither words nor its scale word.
    {1000001000, "satu bilion satu ribu", "satu miliar satu ribu"},
    {pow10(9), "satu bilion", "satu miliar"},
    {pow10(12), "satu trilion", "satu triliun"},
    {pow10(15), "satu quadrillion", "satu kuadriliun"},
    {pow10(18), "satu quintillion", "satu kuintiliun"},
    {pow10(21), "satu sextillion", "satu sekstiliun"},
    {pow10(27), "satu oktillion", "satu oktiliun"},
    {pow10(33), "satu decillion", "satu desiliun"},
    {pow10(36), "terlalu besar", "terlalu besar"},
    {U128_MAX, "terlalu besar", "terlalu besar"},
};

TEST(to_cardinal_with, examples) {
  for (const auto& c : kCardinals) {
    EXPECT_EQ(to_cardinal_with(c.in, MS_VOCAB), c.ms) << u128_to_string(c.in);
    EXPECT_EQ(to_cardinal_with(c.in, ID_VOCAB), c.id) << u128_to_string(c.in);
  }
}

TEST(to_cardinal_with, largest_spoken_number) {
  const std::string nines = "sembilan ratus sembilan puluh sembilan";
  std::string want;
  for (std::string_view scale : {"decillion", "nonillion", "oktillion", "septillion", "sextillion",
                                 "quintillion", "quadrillion", "trilion", "bilion", "juta", "ribu"})
    want += nines + " " + std::string(scale) + " ";
  want += nines;
  EXPECT_EQ(to_cardinal_with(pow10(36) - 1, MS_VOCAB), want);
}

struct PuluhCase {
  char t, u;
  std::string_view want;  // words joined by blanks
};

const PuluhCase kPuluh[] = {
    {'0', '0', ""},          {'0', '8', "delapan"},   {'1', '0', "sepuluh"},
    {'1', '1', "sebelas"},   {'1', '8', "delapan belas"}, {'2', '0', "dua puluh"},
    {'2', '1', "dua puluh satu"}, {'8', '8', "delapan puluh delapan"},
    {'x', '1', ""},          {'2', 'x', ""},  // not digits: no words
};

TEST(puluh, two_digits) {
  for (const auto& c : kPuluh) {
    std::string got;
    for (auto w : num2word::puluh(c.t, c.u, "delapan")) got += (got.empty() ? "" : " ") + std::string(w);
    EXPECT_EQ(got, c.want) << c.t << c.u;
  }
}

TEST(vocab_digit, only_one_to_nine) {
  EXPECT_TRUE(num2word::vocab_digit("lapan", 0).empty());
  EXPECT_TRUE(num2word::vocab_digit("lapan", 10).empty());
  EXPECT_EQ(num2word::vocab_digit("lapan", 8), std::vector<std::string_view>{"lapan"});
  EXPECT_EQ(num2word::vocab_digit("lapan", 9), std::vector<std::string_view>{"sembilan"});
}

// The slow twin: the reading defined recursively on the number's value.
const char* const kDigit[] = {"", "satu", "dua", "tiga", "empat", "lima", "enam", "tujuh", "lapan", "sembilan"};
const char* const kScaleMs[] = {"", "ribu", "juta", "bilion", "trilion", "quadrillion", "quintillion",
                                "sextillion", "septillion", "oktillion", "nonillion", "decillion"};

std::string cat(const std::string& a, const std::string& b) {
  return a.empty() ? b : b.empty() ? a : a + " " + b;
}

std::string slow_small(unsigned n) {  // 0..999, empty for 0
  if (n == 0) return "";
  if (n < 10) return kDigit[n];
  if (n == 10) return "sepuluh";
  if (n == 11) return "sebelas";
  if (n < 20) return cat(kDigit[n - 10], "belas");
  if (n < 100) return cat(cat(kDigit[n / 10], "puluh"), slow_small(n % 10));
  if (n < 200) return cat("seratus", slow_small(n % 100));
  return cat(cat(kDigit[n / 100], "ratus"), slow_small(n % 100));
}

std::string slow_big(u128 n) {
  if (n < 1000) return slow_small(static_cast<unsigned>(n));
  unsigned k = 0;
  u128 unit = 1;
  while (n / unit >= 1000) unit *= 1000, ++k;
  return cat(cat(slow_small(static_cast<unsigned>(n / unit)), kScaleMs[k]), slow_big(n % unit));
}

std::string slow_ms(u128 n) {
  if (n == 0) return "kosong";
  if (n >= 1000 && n < 2000) return cat("seribu", slow_small(static_cast<unsigned>(n - 1000)));
  return slow_big(n);
}

TEST(to_cardinal_with, matches_slow_twin) {
  for (u128 n = 0; n <= 100000; ++n) ASSERT_EQ(to_cardinal_with(n, MS_VOCAB), slow_ms(n)) << u128_to_string(n);
  // Sparse and dense values across every scale.
  for (unsigned e = 3; e <= 35; ++e) {
    for (u128 base : {pow10(e), pow10(e) + 1, pow10(e + 1) - 1, pow10(e) * 7 + 18018, pow10(e) + pow10(e / 2)}) {
      ASSERT_EQ(to_cardinal_with(base, MS_VOCAB), slow_ms(base)) << u128_to_string(base);
    }
  }
}

}  // namespace
