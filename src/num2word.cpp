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
constexpr std::size_t MAX_GROUPS = 12;

using Words = std::vector<std::string_view>;

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
  for (auto w : words) size += w.size() + 1;
  std::string out;
  out.reserve(size);
  for (auto w : words) {
    if (!out.empty()) out.push_back(' ');
    out.append(w);
  }
  return out;
}

// Only digit characters carry a value; anything else reads as no word.
unsigned digit_value(char c) {
  return c >= '0' && c <= '9' ? static_cast<unsigned>(c - '0') : 10;
}

}  // namespace

constinit const NumberVocab MS_VOCAB{lang::ms::DIGITS[0], lang::ms::DIGITS[8], lang::ms::SCALES};
constinit const NumberVocab ID_VOCAB{lang::id::DIGITS[0], lang::id::DIGITS[8], lang::id::SCALES};

std::vector<std::string_view> vocab_digit(std::string_view eight, unsigned d) {
  Words out;
  push_digit(out, eight, d);
  return out;
}

std::vector<std::string_view> puluh(char t, char u, std::string_view eight) {
  Words out;
  const unsigned tv = digit_value(t), uv = digit_value(u);
  if (tv > 9 || uv > 9) return out;
  push_puluh(out, tv, uv, eight);
  return out;
}

std::string to_cardinal_with(u128 n, const NumberVocab& vocab) {
  if (n > MAX_SPOKEN) return "terlalu besar";
  if (n == 0) return std::string(vocab.zero);

  // Base-1000 groups, least significant first.
  std::array<unsigned, MAX_GROUPS> groups{};
  std::size_t count = 0;
  for (u128 rest = n; rest != 0; rest /= 1000) groups[count++] = static_cast<unsigned>(rest % 1000);

  Words words;
  words.reserve(4 * count);
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
  return words.empty() ? std::string(vocab.zero) : join(words);
}

}  // namespace kalvesta::num2word
