// Pronunciation pairs: the built-in lists, their merge with the caller's
// scopes, and their application as case-insensitive whole-word template
// replacements. Compiled pair patterns are shared between calls.
#include "pron.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "regex.h"
#include "unicode.h"

namespace kalvesta {

namespace pron {

namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// Spoken forms for every language.
constexpr std::array<Pair, 7> COMMON_PRONUNCIATIONS = {{
    {"GUI", "gooey"},
    {"ASCII", "as key"},
    {"IEEE", "I triple E"},
    {"GIF", "gif"},
    {"WiFi", "wi fi"},
    {"iOS", "I O S"},
    {"UiTM", "U I T M"},
}};

// Malay and Indonesian titles; the last three only fix the capitalisation.
constexpr std::array<Pair, 7> HONORIFIC_PRONUNCIATIONS = {{
    {"Hj", "Haji"},
    {"Hjh", "Hajah"},
    {"Dr", "Doktor"},
    {"Prof", "Profesor"},
    {"Dato", "Dato"},
    {"Datin", "Datin"},
    {"Datuk", "Datuk"},
}};

// Enough for every realistic vocabulary; beyond it the cache starts over,
// so that caller words cannot grow it without bound.
constexpr std::size_t CACHE_LIMIT = 4096;

// The text may grow to 16 times its size plus 64 KiB: far beyond what real
// spoken forms need ("Hj" -> "Haji"), small enough to fail fast.
constexpr std::size_t GROWTH_FACTOR = 16;
constexpr std::size_t GROWTH_FLOOR = 64 * 1024;

// Compiled "(?i)\b{word}\b" patterns by word; nullptr for a word whose
// pattern does not compile. Entries are shared so that clearing the map
// never pulls a pattern from under a call that is using it.
std::shared_ptr<const regex::Regex> pattern_for(const std::string& word) {
  static std::mutex mu;
  // Never destroyed: calls during interpreter shutdown may still use it.
  static auto* cache = new std::unordered_map<std::string, std::shared_ptr<const regex::Regex>>();
  {
    std::lock_guard<std::mutex> lock(mu);
    auto it = cache->find(word);
    if (it != cache->end()) return it->second;
  }
  std::shared_ptr<const regex::Regex> re = regex::Regex::try_compile(R"((?i)\b)" + regex::escape(word) + R"(\b)");
  std::lock_guard<std::mutex> lock(mu);
  if (cache->size() >= CACHE_LIMIT) cache->clear();
  cache->emplace(word, re);
  return re;
}

// Bytes with ASCII letters in lower case.
constexpr std::array<unsigned char, 256> LOWER = [] {
  std::array<unsigned char, 256> t{};
  for (unsigned c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return t;
}();

// The ASCII bytes of a word, letters in lower case, one bit each: an
// occurrence of the word holds every one of them in either case.
ByteSet word_bytes(std::string_view word) {
  ByteSet bytes{};
  for (const char ch : word) {
    const unsigned char c = LOWER[static_cast<unsigned char>(ch)];
    if (c < 0x80) bytes[c / 64] |= std::uint64_t{1} << (c % 64);
  }
  return bytes;
}

unsigned pair_bit(unsigned a, unsigned b) { return (a << 5 ^ b) % 1024; }

}  // namespace

bool has_titles(std::string_view lang) { return lang == "ms" || lang == "id"; }

std::vector<PronunciationPair> builtin_for(std::string_view lang) {
  std::vector<PronunciationPair> pairs;
  for (const auto& [word, spoken] : COMMON_PRONUNCIATIONS) pairs.emplace_back(word, spoken);
  if (has_titles(lang)) {
    for (const auto& [word, spoken] : HONORIFIC_PRONUNCIATIONS) pairs.emplace_back(word, spoken);
  }
  return pairs;
}

bool holds_caseless(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  if (word.empty()) return true;
  // Candidates are the places of either case of the first byte, each case
  // found by memchr.
  const char lo = static_cast<char>(LOWER[static_cast<unsigned char>(word[0])]);
  const char up = lo >= 'a' && lo <= 'z' ? static_cast<char>(lo - 32) : lo;
  const char* end = text.data() + (text.size() - word.size() + 1);
  auto next = [end](char c, const char* from) {
    const void* at = from < end ? std::memchr(from, c, static_cast<std::size_t>(end - from)) : nullptr;
    return at ? static_cast<const char*>(at) : end;
  };
  auto same = [](char a, char b) { return LOWER[static_cast<unsigned char>(a)] == LOWER[static_cast<unsigned char>(b)]; };
  const char* a = next(lo, text.data());
  const char* b = lo == up ? end : next(up, text.data());
  for (const char* at = std::min(a, b); at != end; at = std::min(a, b)) {
    if (std::equal(word.begin() + 1, word.end(), at + 1, same)) return true;
    if (at == a) a = next(lo, a + 1);
    else b = next(up, b + 1);
  }
  return false;
}

Folded::Folded(std::string_view text) : text_(text), paired_(text.size() > SHORT) {
  // One store per byte into each table, cheaper than setting bits as it
  // goes. Bytes beyond ASCII go in too: they only ever let more words through.
  // (Local pointers: a byte store may alias anything reached through this.)
  unsigned char* seen = seen_.data();
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  if (paired_) {
    pairs_.fill(0);
    unsigned char* pairs = pairs_.data();
    unsigned prev = 0;  // the byte before, shifted as pair_bit shifts it
    for (; p != end; ++p) {
      const unsigned c = LOWER[*p];
      seen[c] = 1;
      pairs[(prev ^ c) % 1024] = 1;
      prev = c << 5;
    }
  } else {
    for (; p != end; ++p) seen[LOWER[*p]] = 1;
  }
  odd_folds_ = (seen_[0xE2] || seen_[0xC5]) &&
               (text.find("\u212A") != std::string_view::npos || text.find("\u017F") != std::string_view::npos);
}

ByteSet Folded::bytes() const {
  // The multiply gathers the low bit of each of eight bytes into the top
  // byte, byte j at bit 56 + j.
  ByteSet out{};
  for (std::size_t k = 0; k < 16; ++k) {
    std::uint64_t x;
    std::memcpy(&x, seen_.data() + 8 * k, 8);
    out[k / 8] |= ((x * 0x0102040810204080ULL) >> 56) << (8 * (k % 8));
  }
  constexpr std::uint64_t TWINS = std::uint64_t{1} << ('k' - 64) | std::uint64_t{1} << ('s' - 64);
  if (odd_folds_) out[1] |= TWINS;
  return out;
}

// False when an occurrence of `word` needs a byte, or a pair of adjacent
// ASCII bytes, the text lacks. Each ASCII character of a word matches only
// itself in either case, "k" and "s" aside when the text holds their twins;
// other characters need nothing.
bool Folded::may_hold(std::string_view word) const {
  constexpr unsigned NONE = 0x100;
  unsigned prev = NONE;
  for (char ch : word) {
    const unsigned c = LOWER[static_cast<unsigned char>(ch)];
    if (c >= 0x80 || (odd_folds_ && (c == 'k' || c == 's'))) {
      prev = NONE;
      continue;
    }
    if (!seen_[c] || (paired_ && prev != NONE && !pairs_[pair_bit(prev, c)])) return false;
    prev = c;
  }
  return true;
}

// An ASCII word without "k" or "s" (or in a text without their twins)
// matches only text equal to it up to ASCII case.
bool Folded::may_occur(std::string_view word) {
  if (!may_hold(word)) return false;
  if (!unicode::is_ascii(word)) return true;
  if (odd_folds_ && word.find_first_of("kKsS") != std::string_view::npos) return true;
  return holds_caseless(text_, word);
}

PairList::PairList(std::vector<PronunciationPair> pairs) : pairs_(std::move(pairs)) {
  needs_.reserve(pairs_.size());
  for (const auto& pair : pairs_) needs_.push_back(word_bytes(pair.first));
}

Result<std::string> apply(std::string text, const PairList& list, std::string_view scope) {
  // Pairs feed each other, so a few doubling pairs could grow the text
  // without bound; past this size the call fails instead.
  const std::size_t limit = GROWTH_FACTOR * text.size() + GROWTH_FLOOR;
  std::string out = std::move(text);
  std::optional<Folded> folded(std::in_place, out);
  const std::vector<PronunciationPair>& pairs = list.pairs();
  const ByteSet* needs = list.needs().data();
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (!folded) folded.emplace(out);
    // A word needing a byte the text lacks cannot occur: such words are
    // passed over in one tight walk.
    const ByteSet have = folded->bytes();
    while (i < pairs.size() && ((needs[i][0] & ~have[0]) | (needs[i][1] & ~have[1])) != 0) ++i;
    if (i == pairs.size()) break;
    const auto& [word, replacement] = pairs[i];
    // An empty word would match at every word boundary and scatter its
    // replacement through the text.
    if (word.empty() || !folded->may_occur(word)) continue;
    std::shared_ptr<const regex::Regex> re = pattern_for(word);
    if (!re) continue;  // a word that yields no valid pattern is skipped
    std::string next;
    std::size_t copied = 0;
    bool too_long = false;
    bool found = false;
    re->for_each(out, [&](const regex::Captures& caps) {
      found = true;
      next.append(out, copied, caps.start(0) - copied);
      re->expand(caps, replacement, next);
      copied = caps.end(0);
      too_long = next.size() > limit;
      return !too_long;
    });
    if (!found) continue;
    next.append(out, copied);
    if (too_long || next.size() > limit) {
      return Result<std::string>::err("pronunciation replacements for language '" + std::string(scope) +
                                      "' grew the text too far (past " + std::to_string(limit) + " bytes)");
    }
    out = std::move(next);
    folded.reset();
  }
  return Result<std::string>::ok(std::move(out));
}

}  // namespace pron

namespace {

// Longest word first, so that "Hjh" is read before "Hj"; then byte order.
std::vector<PronunciationPair> in_reading_order(const std::map<std::string, std::string>& merged) {
  std::vector<PronunciationPair> pairs(merged.begin(), merged.end());
  std::stable_sort(pairs.begin(), pairs.end(), [](const PronunciationPair& a, const PronunciationPair& b) {
    if (a.first.size() != b.first.size()) return a.first.size() > b.first.size();
    return a.first < b.first;
  });
  return pairs;
}

std::map<std::string, std::string> builtin_map(std::string_view lang) {
  std::map<std::string, std::string> merged;
  for (auto& [word, spoken] : pron::builtin_for(lang)) merged.insert_or_assign(std::move(word), std::move(spoken));
  return merged;
}

}  // namespace

namespace pron {

const PairList* fixed_list(const Options& options, std::string_view lang) {
  const auto& scopes = options.pronunciations;
  if (scopes.global || (!scopes.per_language.empty() && scopes.per_language.contains(std::string(lang)))) return nullptr;
  static const PairList none({});
  static const PairList with_titles(in_reading_order(builtin_map("ms")));
  static const PairList common(in_reading_order(builtin_map("en")));
  if (options.pronunciation_profile == "none") return &none;
  return has_titles(lang) ? &with_titles : &common;
}

}  // namespace pron

std::vector<PronunciationPair> Options::resolve_pronunciations(std::string_view lang) const {
  if (const auto* fixed = pron::fixed_list(*this, lang)) return fixed->pairs();
  const bool builtins = pronunciation_profile != "none";
  auto lang_scope = pronunciations.per_language.find(std::string(lang));
  std::map<std::string, std::string> merged;
  if (builtins) merged = builtin_map(lang);
  // A scope's word mapped to nothing removes that word's pair.
  auto apply_scope = [&merged](const PronunciationScope& scope) {
    for (const auto& [word, spoken] : scope) {
      if (spoken) {
        merged.insert_or_assign(word, *spoken);
      } else {
        merged.erase(word);
      }
    }
  };
  if (pronunciations.global) apply_scope(*pronunciations.global);
  if (lang_scope != pronunciations.per_language.end()) apply_scope(lang_scope->second);
  return in_reading_order(merged);
}

}  // namespace kalvesta
