// English cardinal and ordinal numbers.
#pragma once

#include <cstdint>
#include <string>

#include "numtext.h"

namespace kalvesta::num2word_en {

std::string to_cardinal_en(u128 n);
std::string under_1000(std::uint64_t n);
std::string ordinal_word(std::uint64_t n);

}  // namespace kalvesta::num2word_en
