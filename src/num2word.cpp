#include "num2word.h"
namespace kalvesta::num2word {
const NumberVocab MS_VOCAB{"kosong", "lapan", {}};
const NumberVocab ID_VOCAB{"nol", "delapan", {}};
std::string to_cardinal_with(u128, const NumberVocab& v) { return std::string(v.zero); }
std::vector<std::string_view> vocab_digit(std::string_view, unsigned) { return {}; }
std::vector<std::string_view> puluh(char, char, std::string_view) { return {}; }
}  // namespace kalvesta::num2word
