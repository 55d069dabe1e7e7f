// The number spellers against slow, obvious twins over ranges, plus the
// limits and the few readings no twin covers.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "num2word.h"
#include "num2word_en.h"
#include "normalize_zh.h"
#include "result.h"
#include "test_util.h"

namespace kalvesta {
namespace {

using test::pow10;

std::string cat(const std::string& a, const std::string& b) {
  return a.empty() ? b : b.empty() ? a : a + " " + b;
}

// ---- Malay / Indonesian ----

const char* const kDigitMs[] = {"", "satu", "dua", "tiga", "empat", "lima", "enam", "tujuh", "lapan", "sembilan"};
const char* const kScaleMs[] = {"", "ribu", "juta", "bilion", "trilion", "quadrillion", "quintillion",
                                "sextillion", "septillion", "oktillion", "nonillion", "decillion"};

std::string slow_small_ms(unsigned n) {  // 0..999, empty for 0
  if (n == 0) return "";
  if (n < 10) return kDigitMs[n];
  if (n == 10) return "sepuluh";
  if (n == 11) return "sebelas";
  if (n < 20) return cat(kDigitMs[n - 10], "belas");
  if (n < 100) return cat(cat(kDigitMs[n / 10], "puluh"), slow_small_ms(n % 10));
  if (n < 200) return cat("seratus", slow_small_ms(n % 100));
  return cat(cat(kDigitMs[n / 100], "ratus"), slow_small_ms(n % 100));
}

std::string slow_big_ms(u128 n) {
  if (n < 1000) return slow_small_ms(static_cast<unsigned>(n));
  unsigned k = 0;
  u128 unit = 1;
  while (n / unit >= 1000) unit *= 1000, ++k;
  return cat(cat(slow_small_ms(static_cast<unsigned>(n / unit)), kScaleMs[k]), slow_big_ms(n % unit));
}

std::string slow_ms(u128 n) {
  if (n == 0) return "kosong";
  if (n >= pow10(36)) return "terlalu besar";
  // Only 1000..1999 say "seribu"; inside a larger number it is "satu ribu".
  if (n >= 1000 && n < 2000) return cat("seribu", slow_small_ms(static_cast<unsigned>(n - 1000)));
  return slow_big_ms(n);
}

// ---- English ----

const char* const kOnes[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine",
                             "ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen",
                             "seventeen", "eighteen", "nineteen"};
const char* const kTens[] = {"", "", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};
const char* const kScalesEn[] = {"",           "thousand",    "million",    "billion",   "trillion",
                                 "quadrillion", "quintillion", "sextillion", "septillion", "octillion",
                                 "nonillion",  "decillion",   "undecillion"};

std::string slow_small_en(unsigned n) {  // 1..999
  if (n < 20) return kOnes[n];
  if (n < 100) return std::string(kTens[n / 10]) + (n % 10 ? std::string("-") + kOnes[n % 10] : "");
  return std::string(kOnes[n / 100]) + " hundred" + (n % 100 ? " and " + slow_small_en(n % 100) : "");
}

std::string slow_en(u128 n) {
  if (n < 1000) return n == 0 ? "zero" : slow_small_en(static_cast<unsigned>(n));
  unsigned k = 0;
  u128 unit = 1;
  while (n / unit >= 1000) unit *= 1000, ++k;
  std::string head = slow_small_en(static_cast<unsigned>(n / unit)) + " " + kScalesEn[k];
  const u128 rest = n % unit;
  if (rest == 0) return head;
  // "and" only before a rest that is one group of at most 99 (times a scale).
  u128 g = rest;
  while (g % 1000 == 0) g /= 1000;
  return head + (g <= 99 ? " and " : ", ") + slow_en(rest);
}

// ---- Chinese ----

const char* const kDigitZh[] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

// A group of four digits (1..9999); the leading "一" of 10..19 is dropped at
// the head of the number only.
std::string slow_group_zh(unsigned n, bool head) {
  const char* const units[] = {"", "十", "百", "千"};
  std::string out;
  bool started = false, gap = false;
  for (int p = 3; p >= 0; --p) {
    unsigned d = n / (p == 3 ? 1000 : p == 2 ? 100 : p == 1 ? 10 : 1) % 10;
    if (d == 0) {
      gap = started;
      continue;
    }
    if (gap) out += "零";
    gap = false;
    if (!(head && !started && p == 1 && d == 1)) out += kDigitZh[d];
    out += units[p];
    started = true;
  }
  return out;
}

std::string slow_zh(u128 n) {
  if (n == 0) return "零";
  if (n >= pow10(16)) return "太大";
  const char* const scales[] = {"", "万", "亿", "兆"};
  std::string out;
  for (int k = 3; k >= 0; --k) {
    unsigned g = static_cast<unsigned>(n / pow10(4 * k) % 10000);
    if (g == 0) continue;
    if (!out.empty() && g < 1000) out += "零";  // a group with leading zeros after a higher one
    out += slow_group_zh(g, out.empty()) + scales[k];
  }
  return out;
}

// Every number up to 100000, then sparse and dense values at every scale
// and past the limits.
template <typename Fast, typename Slow>
void compare_with_twin(Fast fast, Slow slow) {
  for (u128 n = 0; n <= 100000; ++n) ASSERT_EQ(fast(n), slow(n)) << u128_to_string(n);
  for (unsigned e = 3; e <= 38; ++e) {
    for (u128 v : {pow10(e), pow10(e) + 1, pow10(e) + 99, pow10(e) - 1, pow10(e) * 7 + 18018,
                   pow10(e) + pow10(e / 2), pow10(e) * 3 + pow10(e / 2) * 42}) {
      ASSERT_EQ(fast(v), slow(v)) << u128_to_string(v);
    }
  }
  ASSERT_EQ(fast(U128_MAX), slow(U128_MAX));
}

TEST(spellers, malay_matches_twin) {
  compare_with_twin([](u128 n) { return num2word::to_cardinal_with(n, num2word::MS_VOCAB); }, slow_ms);
}

TEST(spellers, english_matches_twin) { compare_with_twin(num2word_en::to_cardinal_en, slow_en); }

TEST(spellers, chinese_matches_twin) { compare_with_twin(normalize_zh::to_cardinal_zh, slow_zh); }

// Indonesian shares the Malay algorithm; only its words differ.
TEST(spellers, indonesian_words) {
  struct Case { u128 in; std::string_view want; };
  const Case cases[] = {{0, "nol"}, {18, "delapan belas"}, {1000001000, "satu miliar satu ribu"},
                        {pow10(12), "satu triliun"}, {pow10(15), "satu kuadriliun"}, {pow10(18), "satu kuintiliun"},
                        {pow10(21), "satu sekstiliun"}, {pow10(33), "satu desiliun"}};
  for (const auto& c : cases)
    EXPECT_EQ(num2word::to_cardinal_with(c.in, num2word::ID_VOCAB), c.want) << u128_to_string(c.in);
}

TEST(spellers, english_ordinals_and_guards) {
  struct Case { std::uint64_t in; std::string_view want; };
  const Case cases[] = {{0, "zeroth"},  {1, "first"},         {2, "second"},       {3, "third"},
                        {5, "fifth"},   {8, "eighth"},        {9, "ninth"},        {12, "twelfth"},
                        {13, "thirteenth"}, {20, "twentieth"}, {22, "twenty-second"}, {99, "ninety-ninth"}};
  for (const auto& c : cases) EXPECT_EQ(num2word_en::ordinal_word(c.in), c.want) << c.in;
  EXPECT_THROW(num2word_en::ordinal_word(100), InternalFailure);
  EXPECT_EQ(num2word_en::under_1000(0), "");
  EXPECT_THROW(num2word_en::under_1000(1000), InternalFailure);
}

TEST(spellers, chinese_years_and_months) {
  EXPECT_EQ(normalize_zh::to_year_zh(2005), "二零零五");
  EXPECT_EQ(normalize_zh::to_year_zh(pow10(20)), "一零零零零零零零零零零零零零零零零零零零零");
  struct Case { std::string_view in, want; };
  const Case months[] = {{"1", "一"}, {"10", "十"}, {"12", "十二"}, {"01", "01"}, {"13", "13"}};
  for (const auto& c : months) EXPECT_EQ(normalize_zh::month_zh(c.in), c.want) << c.in;
}

}  // namespace
}  // namespace kalvesta
