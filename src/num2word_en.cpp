// English cardinal and ordinal numbers: British style, with "and" after
// "hundred" and before a small last group, and commas between groups.
#include "num2word_en.h"

#include <array>
#include <string_view>
#include <vector>

#include "lang/words.h"
#include "result.h"

namespace kalvesta::num2word_en {
namespace {

// The digit words, then ten to nineteen.
constexpr std::array<std::string_view, 20> ONES = [] {
  constexpr std::array<std::string_view, 10> TEENS = {"ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                                                      "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
  std::array<std::string_view, 20> ones{};
  for (std::size_t i = 0; i < 10; ++i) {
    ones[i] = lang::en::DIGITS[i];
    ones[10 + i] = TEENS[i];
  }
  return ones;
}();

// Entries 0 and 1 are never read: ten to nineteen come from ONES.
constexpr std::array<std::string_view, 10> TENS = {
    "", "", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety",
};

// One word per base-1000 group, so that no two magnitudes share a reading.
constexpr const auto& SCALES = lang::en::SCALES;

// The ordinals that are not the cardinal plus "th" (‘8’ -> ‘eighth’, not
// ‘eightth’); index 0 marks "regular".
constexpr std::array<std::string_view, 13> IRREGULAR_ORDINALS = {
    "", "first", "second", "third", "", "fifth", "", "", "eighth", "ninth", "", "", "twelfth",
};

void append_ordinal_below_20(std::string& out, std::uint64_t n) {
  if (n < IRREGULAR_ORDINALS.size() && !IRREGULAR_ORDINALS[n].empty()) {
    out.append(IRREGULAR_ORDINALS[n]);
  } else {
    out.append(ONES[n]);
    out.append("th");
  }
}

void append_under_1000(std::string& out, std::uint64_t n) {
  const std::uint64_t r = n % 100;
  if (n >= 100) {
    out.append(ONES[n / 100]);
    out.append(" hundred");
    if (r != 0) out.append(" and ");
  }
  if (r >= 20) {
    out.append(TENS[r / 10]);
    if (r % 10 != 0) {
      out.push_back('-');
      out.append(ONES[r % 10]);
    }
  } else if (r != 0) {
    out.append(ONES[r]);
  }
}

}  // namespace

std::string under_1000(std::uint64_t n) {
  if (n >= 1000) throw InternalFailure("under_1000 out of range: " + std::to_string(n));
  std::string out;
  append_under_1000(out, n);
  return out;
}

std::string to_cardinal_en(u128 n) {
  if (n == 0) return std::string(ONES[0]);

  static_assert(ThousandsGroups{}.size() <= SCALES.size());
  ThousandsGroups groups;
  const std::size_t count = thousands_groups(n, groups);
  std::size_t last = 0;  // the least significant non-zero group
  while (groups[last] == 0) ++last;

  std::string out;
  out.reserve(24 * count);
  for (std::size_t i = count; i-- > last;) {
    if (groups[i] == 0) continue;
    if (!out.empty()) out.append(i == last && groups[i] <= 99 ? " and " : ", ");
    append_under_1000(out, groups[i]);
    if (i > 0) {
      out.push_back(' ');
      out.append(SCALES[i]);
    }
  }
  return out;
}

std::string ordinal_word(std::uint64_t n) {
  if (n >= 100) throw InternalFailure("ordinal_word out of range: " + std::to_string(n));
  std::string out;
  if (n < 20) {
    append_ordinal_below_20(out, n);
  } else if (n % 10 == 0) {
    // ‘20’ -> ‘twentieth’: the final "y" gives way to "ieth".
    const std::string_view tens = TENS[n / 10];
    out.append(tens.substr(0, tens.size() - 1));
    out.append("ieth");
  } else {
    out.append(TENS[n / 10]);
    out.push_back('-');
    append_ordinal_below_20(out, n % 10);
  }
  return out;
}

}  // namespace kalvesta::num2word_en
