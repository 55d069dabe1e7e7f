#include "num2word_en.h"
namespace kalvesta::num2word_en {
std::string to_cardinal_en(u128) { return "zero"; }
std::string under_1000(std::uint64_t) { return {}; }
std::string ordinal_word(std::uint64_t) { return {}; }
}  // namespace kalvesta::num2word_en
