// Malay and Indonesian cardinal numbers. The two languages share every word
// but zero, eight and the large scales, which come from a NumberVocab.
#include "num2word.h"

#include <array>

#include "lang/words.h"
#include "result.h"

namespace kalvesta::num2word {
namespace {

// Index d is the word of digit d; 0 and 8, the two digits whose words differ
// between Malay and Indonesian, are handled by the callers.
constexpr const lang::DigitWords& DIGITS = lang::ms::DIGITS;

constexpr u128 pow10(unsigned e) {
  u128 v = 1;
  for (unsigned i = 0; i < e; ++i) v *= 10;
  return v;
}

// The largest number that still has a scale word (decillion, 10^33).
constexpr u128 MAX_SPOKEN = pow10(36) - 1;

// The words of one reading, held in place (no allocation, nothing set up
// front): a group gives at most five and its scale one, twelve groups at most.
class Words {
 public:
  void push_back(std::string_view w) { words_[size_++] = {w.data(), w.size()}; }
  std::size_t size() const { return size_; }
  std::string_view operator[](std::size_t i) const { return {words_[i].data, words_[i].size}; }

 private:
  struct Word {
    const char* data;
    std::size_t size;
  };
  Word words_[12 * 6 + 1];
  std::size_t size_ = 0;
};

void push_digit(Words& out, std::string_view eight, unsigned d) {
  if (d == 8) out.push_back(eight);
  else if (d >= 1 && d <= 9) out.push_back(DIGITS[d]);
}

void push_puluh(Words& out, unsigned t, unsigned u, std::string_view eight) {
  if (t == 0) {
    push_digit(out, eight, u);
  } else if (t == 1) {
    if (u == 0) out.push_back("sepuluh");
    else if (u == 1) out.push_back("sebelas");
    else {
      push_digit(out, eight, u);
      out.push_back("belas");
    }
  } else {
    push_digit(out, eight, t);
    out.push_back("puluh");
    push_digit(out, eight, u);
  }
}

// One group of up to three digits; a zero group gives no words.
void push_group(Words& out, unsigned v, std::string_view eight) {
  const unsigned h = v / 100;
  if (h == 1) {
    out.push_back("seratus");
  } else if (h > 1) {
    push_digit(out, eight, h);
    out.push_back("ratus");
  }
  push_puluh(out, v / 10 % 10, v % 10, eight);
}

std::string_view scale_word(const NumberVocab& vocab, std::uint32_t power) {
  std::string_view word = lang::scale_word(vocab.scales, power);
  if (!word.empty()) return word;
  throw InternalFailure("no scale word for 10^" + std::to_string(power));
}

std::string join(const Words& words) {
  std::size_t size = 0;
  for (std::size_t i = 0; i < words.size(); ++i) size += words[i].size() + 1;
  std::string out;
  out.reserve(size);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) out.push_back(' ');
    out.append(words[i]);
  }
  return out;
}

}  // namespace

constinit const NumberVocab MS_VOCAB{lang::ms::DIGITS[0], lang::ms::DIGITS[8], lang::ms::SCALES};
constinit const NumberVocab ID_VOCAB{lang::id::DIGITS[0], lang::id::DIGITS[8], lang::id::SCALES};

std::string to_cardinal_with(u128 n, const NumberVocab& vocab) {
  if (n > MAX_SPOKEN) return "terlalu besar";
  if (n == 0) return std::string(vocab.zero);

  ThousandsGroups groups;
  const std::size_t count = thousands_groups(n, groups);

  Words words;
  std::size_t top = count;
  // 1000 to 1999 read "seribu"; a larger number says "satu ribu".
  if (count == 2 && groups[1] == 1) {
    words.push_back("seribu");
    top = 1;
  }
  for (std::size_t i = top; i-- > 0;) {
    if (groups[i] == 0) continue;
    push_group(words, groups[i], vocab.eight);
    if (i > 0) words.push_back(scale_word(vocab, static_cast<std::uint32_t>(3 * i)));
  }
  return words.size() == 0 ? std::string(vocab.zero) : join(words);
}

}  // namespace kalvesta::num2word
