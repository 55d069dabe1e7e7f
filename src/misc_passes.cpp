// Small rewrites every language runs: USSD codes and context numbers read
// digit by digit, stretched words shortened, and a comma before the last
// repetition of a word said many times in a row.
#include "misc_passes.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "lang/words.h"
#include "langpack.h"
#include "regex.h"
#include "result.h"
#include "shared.h"
#include "stash.h"
#include "unicode.h"

namespace kalvesta::misc_passes {

namespace {

constinit regex::LazyRegex RE_USSD{R"(\*(\d+)#)"};
constinit regex::LazyRegex RE_DIGIT_CTX{
    R"((?i)\b(exit|gate|lot|platform|bus\s+no|flight|stand|bay|block|blok)\s+(\d+)\b)"};
constinit regex::LazyRegex RE_PRODUCT_CTX{
    R"((?i)\b(Office|Windows|PlayStation|PS|Xbox|iPhone|iPad|Galaxy|Pixel|Model|MacBook|AirPods)\s+(\d{3,})\b)"};

struct ContextPass {
  const regex::LazyRegex& re;
  shared::WordList words;  // the pattern's words, from their last blank on
};

constexpr std::string_view CONTEXT_WORDS[] = {"exit", "gate", "lot",   "platform", "no",
                                              "flight", "stand", "bay", "block",  "blok"};
constexpr std::string_view PRODUCT_WORDS[] = {"office", "windows", "playstation", "ps",    "xbox",    "iphone",
                                              "ipad",   "galaxy",  "pixel",       "model", "macbook", "airpods"};

const ContextPass CONTEXT_PASSES[] = {
    // ‘Gate 12’ -> ‘Gate satu dua’
    {RE_DIGIT_CTX, CONTEXT_WORDS},
    // ‘Office 365’ -> ‘Office tiga enam lima’
    {RE_PRODUCT_CTX, PRODUCT_WORDS},
};

// Bit r for each row of CONTEXT_PASSES that may match here. Every match is a
// word, a whole run of letters as a caseless pattern sees them (the "\b"
// before it), at least one blank, then a digit. Such a run counts when ASCII
// blanks and then a character that may be a digit follow it, or a character
// that may be a blank of another script follows it or the blanks.
unsigned rows_before_numbers(std::string_view text) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  // Past p, its digits and continuation bytes: no word starts there.
  const auto past = [&](std::size_t p) {
    do ++p;
    while (p < text.size() && (unicode::is_ascii_digit(at(p)) || (at(p) & 0xC0) == 0x80));
    return p;
  };
  unsigned rows = 0;
  shared::CaselessWord word;
  for (std::size_t i = 0; i < text.size();) {
    // Only a word whose blanks reach an ASCII digit or a character beyond
    // ASCII counts; before the next such byte p all is ASCII or CJK
    // ideographs, where words are runs of A-Z and a-z, so the walk may look
    // at the word (or blanks) before p, each blank a bounded number of times.
    const std::size_t p = shared::next_maybe_digit(text, i);
    if (p == text.size()) break;
    std::size_t start = p;
    while (start > i && unicode::is_ascii_blank(at(start - 1))) --start;
    while (start > i && shared::may_begin_letter(at(start - 1))) --start;
    const std::size_t end = shared::caseless_word_end(text, start, &word);
    if (end == start) {
      // No word before p; one may start at p itself, looked at next.
      const bool word_at_p = start < p && shared::may_begin_letter(at(p));
      i = word_at_p ? p : past(p);
      continue;
    }
    i = end;
    std::size_t k = end;
    while (k < text.size() && unicode::is_ascii_blank(at(k))) ++k;
    if (k == text.size()) continue;
    const bool ascii = at(k) < 0x80;
    if (ascii ? k == end || at(k) < '0' || at(k) > '9' : !shared::may_be_digit_or_blank(text, k)) continue;
    for (std::size_t r = 0; r < std::size(CONTEXT_PASSES); ++r) {
      if (CONTEXT_PASSES[r].words.contains(word.view())) rows |= 1u << r;
    }
    // The number after the word's blanks starts no word.
    if (k == p && !shared::may_begin_letter(at(p))) i = past(p);
  }
  return rows;
}

// Number words never get the repetition comma: ‘satu satu satu satu’ is a
// number read digit by digit, not an emphatic repetition. These are the
// Malay, Indonesian and English digit words and the words below.
constexpr std::array<std::string_view, 32> OTHER_NUMBER_WORDS = {
    "puluh",    "ratus",    "ribu",      "juta",     "belas",    "perpuluhan", "koma",
    "miliar",   "triliun",  "ten",       "eleven",   "twelve",   "thirteen", "fourteen",
    "fifteen",  "sixteen",  "seventeen", "eighteen", "nineteen", "twenty",   "thirty",
    "forty",    "fifty",    "sixty",     "seventy",  "eighty",   "ninety",   "hundred",
    "thousand", "million",  "billion",   "point",
};

// ---- elongated words ----

// Only words with a lowercase-ish letter and no ASCII digit are shortened:
// ‘HELLOOO’ is shouting, ‘cooool2’ a handle or code.
bool exempt_from_shortening(std::string_view word) {
  bool has_non_upper_letter = false;
  for (std::size_t pos = 0; pos < word.size();) {
    char32_t c = unicode::decode(word, pos);
    if (c >= U'0' && c <= U'9') return true;
    if (!has_non_upper_letter && unicode::is_alphabetic(c) && !unicode::is_uppercase(c))
      has_non_upper_letter = true;
  }
  return !has_non_upper_letter;
}

// Three equal characters in a row, line feeds aside: what "(.)\1{2,}" finds,
// without a pattern scan per word.
bool has_elongation(std::string_view word) {
  char32_t prev = U'\n';
  int run = 0;
  for (std::size_t pos = 0; pos < word.size();) {
    if constexpr (std::endian::native == std::endian::little) {
      // Eight ASCII bytes with no byte equal to the one before it that was
      // itself equal to the one before: told at once, and the run at their
      // end is two when their last two are equal.
      while (prev < 0x80 && pos + 8 <= word.size()) {
        std::uint64_t w;
        std::memcpy(&w, word.data() + pos, 8);
        if ((w & unicode::HIGH_BITS) != 0) break;
        const std::uint64_t same = unicode::zero_bytes(w ^ (w << 8 | prev));
        if ((same & (same << 8 | (run >= 2 ? 0x80 : 0))) != 0) break;
        prev = static_cast<char32_t>(w >> 56);
        run = (same >> 63) != 0 ? 2 : 1;
        pos += 8;
      }
      if (pos == word.size()) break;
    }
    const auto byte = static_cast<unsigned char>(word[pos]);
    const char32_t c = byte < 0x80 ? (++pos, byte) : unicode::decode(word, pos);
    run = c == prev ? run + 1 : 1;
    prev = c;
    if (run == 3 && c != U'\n') return true;
  }
  return false;
}

// Digits and Chinese numerals are numbers, never stretched words: ‘一点一一一’
// is 1.111.
bool is_numeral(char32_t c) {
  return unicode::is_decimal_digit(c) || lang::zh::NUMERAL_CHARS.find(c) != std::u32string_view::npos;
}

// Appends `part` with every run of three or more equal characters cut to two,
// runs of numerals excepted.
void append_shortened(std::string& out, std::string_view part) {
  std::size_t pos = 0;
  char32_t prev = 0;
  std::size_t run = 0;
  while (pos < part.size()) {
    std::size_t start = pos;
    char32_t c = unicode::decode(part, pos);
    run = (run > 0 && c == prev) ? run + 1 : 1;
    prev = c;
    if (run <= 2 || is_numeral(c)) out.append(part.substr(start, pos - start));
  }
}

// Stash keys (the key prefix + lowercase letters) stand for placeholders and are
// copied untouched; only the text around them is shortened.
void append_word_outside_keys(std::string& out, std::string_view word) {
  std::size_t pos = 0;
  while (pos < word.size()) {
    std::size_t key = word.find(stash::KEY_PREFIX, pos);
    if (key == std::string_view::npos) key = word.size();
    append_shortened(out, word.substr(pos, key - pos));
    if (key == word.size()) break;
    std::size_t end = stash::key_end(word, key);
    out.append(word.substr(key, end - key));
    pos = end;
  }
}

// ---- repeated words ----

// The repeated-word pattern for n, compiled once per n; nothing when it does
// not compile (an n beyond the engine's repeat limit).
const regex::Regex* repeated_word_pattern(std::uint64_t n) {
  static std::mutex mu;
  static std::map<std::uint64_t, std::unique_ptr<regex::Regex>> cache;
  std::lock_guard<std::mutex> lock(mu);
  auto it = cache.find(n);
  if (it == cache.end()) {
    // The word is a whole run of word characters, taken once: a Chinese
    // character inside a run is a word boundary, and trying the run from each
    // such boundary would rescan it from every one.
    std::string pattern = R"((?<!\w)(?P<word>\w++)(?: \k<word>){)" + std::to_string(n) + ",}";
    it = cache.emplace(n, regex::Regex::try_compile(pattern)).first;
  }
  return it->second.get();
}

}  // namespace

std::string expand_ussd(std::string text, std::string_view lang) {
  // Every code holds a "*" and a "#".
  if (text.find('#') == std::string::npos || text.find('*') == std::string::npos) return text;
  const auto& pack = langpack::get_pack(lang);
  // ‘*123#’ -> ‘star satu dua tiga hash’
  return RE_USSD->replace_all(text, [&](const regex::Captures& c) {
    return "star " + shared::spell_digits(c.group(1), pack) + " hash";
  });
}

std::string expand_digit_contexts(std::string out, std::string_view lang) {
  unsigned rows = rows_before_numbers(out);
  if (rows == 0) return out;
  const auto& pack = langpack::get_pack(lang);
  auto read = [&](const regex::Captures& c) {
    return std::string(c.group(1)) + " " + shared::spell_digits(c.group(2), pack);
  };
  for (std::size_t r = 0; r < std::size(CONTEXT_PASSES); ++r) {
    if ((rows & (1u << r)) == 0) continue;
    std::string next = CONTEXT_PASSES[r].re->replace_all(out, read);
    if (next == out) continue;
    out = std::move(next);
    rows = rows_before_numbers(out);
  }
  return out;
}

namespace detail {
std::vector<std::pair<const regex::Regex*, bool>> digit_context_gates(std::string_view text) {
  std::vector<std::pair<const regex::Regex*, bool>> out;
  const unsigned rows = rows_before_numbers(text);
  for (std::size_t r = 0; r < std::size(CONTEXT_PASSES); ++r) out.emplace_back(&*CONTEXT_PASSES[r].re, (rows >> r) & 1);
  return out;
}
}  // namespace detail

std::string normalize_elongated(std::string text) {
  // A stretch inside a word is one in the whole text: without any, only the
  // blanks change (whitespace runs give false alarms, never misses).
  if (!has_elongation(text)) {
    if (unicode::is_collapsed(text)) return text;
    return unicode::collapse_whitespace(text);
  }
  std::string out;
  out.reserve(text.size());
  for (std::string_view word : unicode::split_white_space(text)) {
    if (!out.empty()) out += ' ';
    if (exempt_from_shortening(word) || !has_elongation(word))
      out.append(word);
    else
      append_word_outside_keys(out, word);
  }
  return out;
}

bool is_digit_word(std::string_view word) {
  constexpr std::string_view edge = ",.;:!?";
  auto first = word.find_first_not_of(edge);
  if (first == std::string_view::npos) return false;
  auto last = word.find_last_not_of(edge);
  std::string lower = unicode::to_lower(word.substr(first, last - first + 1));
  using shared::listed;
  return listed(lang::ms::DIGITS, lower) || listed(lang::id::DIGITS, lower) || listed(lang::en::DIGITS, lower) ||
         listed(OTHER_NUMBER_WORDS, lower);
}

// Three or more repeats put the word between three blanks in a row, the
// same bytes between the first two as between the last two, right before
// the first and right after the last (‘ha ha ha ha’); a text without such
// blanks cannot match, and is not scanned.
static bool may_repeat_thrice(std::string_view text) {
  std::size_t a = std::string_view::npos, b = std::string_view::npos;  // the two blanks before
  const auto at_blank = [&](std::size_t c) {
    bool repeat = false;
    if (a != std::string_view::npos && c - b == b - a && b - a > 1) {
      const std::size_t len = b - a - 1;
      const std::string_view word = text.substr(a + 1, len);
      repeat = text.substr(b + 1, len) == word && a >= len && text.substr(a - len, len) == word &&
               text.substr(c + 1, len) == word;
    }
    a = b;
    b = c;
    return repeat;
  };
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= text.size(); i += 8) {
      std::uint64_t w;
      std::memcpy(&w, text.data() + i, 8);
      for (std::uint64_t blanks = unicode::zero_bytes(w ^ 0x2020202020202020); blanks != 0; blanks &= blanks - 1) {
        if (at_blank(i + std::countr_zero(blanks) / 8)) return true;
      }
    }
  }
  for (; i < text.size(); ++i) {
    if (text[i] == ' ' && at_blank(i)) return true;
  }
  return false;
}

std::string insert_comma_repeated(std::string text, std::uint64_t n) {
  if (n >= 3 && !may_repeat_thrice(text)) return text;
  const regex::Regex* re = repeated_word_pattern(n);
  if (!re) return text;
  // ‘ha ha ha ha’ -> ‘ha ha ha, ha’
  return re->replace_all(text, [](const regex::Captures& c) {
    std::string_view whole = c.group(0);
    auto last_blank = whole.rfind(' ');
    // Number words stay; so does a lone word (n = 0 repeats nothing).
    if (is_digit_word(c.group("word")) || last_blank == std::string_view::npos)
      return std::string(whole);
    std::string out(whole.substr(0, last_blank));
    out += ", ";
    out.append(whole.substr(last_blank + 1));
    return out;
  });
}

}  // namespace kalvesta::misc_passes
