// English cardinal and ordinal numbers.
#pragma once

#include <cstdint>
#include <string>

#include "numtext.h"

namespace kalvesta::num2word_en {

// Cardinal words of any 128-bit value (‘1234’ -> ‘one thousand, two hundred
// and thirty-four’); groups past quintillion run on to "undecillion".
std::string to_cardinal_en(u128 n);
// One group, 0 to 999 (empty for 0); InternalFailure from 1000 up.
std::string under_1000(std::uint64_t n);
// Ordinal words, 0 to 99 (‘28’ -> ‘twenty-eighth’); InternalFailure from 100 up.
std::string ordinal_word(std::uint64_t n);

}  // namespace kalvesta::num2word_en
