// Malay and Indonesian cardinal numbers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

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

}  // namespace kalvesta::num2word
