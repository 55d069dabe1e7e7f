// Malay and Indonesian cardinal numbers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numtext.h"

namespace kalvesta::num2word {

struct NumberVocab {
  std::string_view zero;
  std::string_view eight;
  std::span<const std::pair<std::string_view, std::uint32_t>> scales;  // (word, power of ten)
};

extern const NumberVocab MS_VOCAB;
extern const NumberVocab ID_VOCAB;

// Cardinal words of n (‘1001000’ -> ‘satu juta satu ribu’); "terlalu besar"
// from 10^36 up, where the scale words end.
std::string to_cardinal_with(u128 n, const NumberVocab& vocab);
// The word of digit d (8 reads `eight`); no word for 0 or anything above 9.
std::vector<std::string_view> vocab_digit(std::string_view eight, unsigned d);
// The words of the two-digit number tu, 00 to 99; no words for non-digits.
std::vector<std::string_view> puluh(char t, char u, std::string_view eight);

}  // namespace kalvesta::num2word
