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

std::string to_cardinal_with(u128 n, const NumberVocab& vocab);
std::vector<std::string_view> vocab_digit(std::string_view eight, unsigned d);
std::vector<std::string_view> puluh(char t, char u, std::string_view eight);

}  // namespace kalvesta::num2word
