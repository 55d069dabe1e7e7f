// Pronunciation pairs: the built-in lists, their merge with the caller's
// scopes, and their application as case-insensitive whole-word template
// replacements. Compiled pair patterns are shared between calls.
#include "pron.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "regex.h"

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

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The ASCII bytes of a word, letters in lower case, one bit each: an
// occurrence of the word holds every one of them in either case.
ByteSet word_bytes(std::string_view word) {
  ByteSet bytes{};
  for (const char ch : word) {
    const auto c = static_cast<unsigned char>(ascii_lower(ch));
    if (c < 0x80) bytes[c / 64] |= std::uint64_t{1} << (c % 64);
  }
  return bytes;
}

// What a text holds, found in one walk without allocating: its ASCII bytes
// and pairs of adjacent ASCII bytes with letters in lower case (one bit
// each, pairs hashed), and whether it holds the Kelvin sign or the long s:
// the only characters beyond ASCII that match ASCII letters ("k" and "s")
// case-insensitively. The lower-cased text is made only when a word needs it.
class Folded {
 public:
  explicit Folded(std::string_view text) : text_(text) {
    bool twin_leads = false;
    for (const char ch : text) {
      const auto c = static_cast<unsigned char>(ascii_lower(ch));
      if (c < 0x80) bytes_[c / 64] |= std::uint64_t{1} << (c % 64);
      twin_leads |= c == 0xE2 || c == 0xC5;  // the lead bytes of U+212A and U+017F
    }
    odd_folds_ = twin_leads &&
                 (text.find("\u212A") != std::string_view::npos || text.find("\u017F") != std::string_view::npos);
  }
  // The ASCII bytes the text holds, with "k" and "s" when it holds their twins.
  ByteSet bytes() const {
    constexpr std::uint64_t TWINS = std::uint64_t{1} << ('k' - 64) | std::uint64_t{1} << ('s' - 64);
    return {bytes_[0], bytes_[1] | (odd_folds_ ? TWINS : 0)};
  }
  std::string_view lower() {
    if (lower_.size() != text_.size()) {
      lower_.resize(text_.size());
      std::transform(text_.begin(), text_.end(), lower_.begin(), ascii_lower);
    }
    return lower_;
  }
  bool odd_folds() const { return odd_folds_; }
  // False when an occurrence of `word` needs a pair of adjacent ASCII bytes
  // the text lacks. Each ASCII character of a word matches only itself in
  // either case, "k" and "s" aside when the text holds their twins; other
  // characters need nothing.
  bool may_hold(std::string_view word) {
    if (!paired_) pair_up();
    unsigned prev = NONE;
    for (char ch : word) {
      const auto c = static_cast<unsigned char>(ascii_lower(ch));
      if (c >= 0x80 || (odd_folds_ && (c == 'k' || c == 's'))) {
        prev = NONE;
        continue;
      }
      if (prev != NONE) {
        const unsigned bit = pair_bit(prev, c);
        if (!(pairs_[bit / 64] >> (bit % 64) & 1)) return false;
      }
      prev = c;
    }
    return true;
  }

 private:
  static constexpr unsigned NONE = 0x100;
  static unsigned pair_bit(unsigned a, unsigned b) { return (a * 31u + b) % 1024; }
  // The pairs, worked out only for a text some word may occur in.
  void pair_up() {
    pairs_.fill(0);
    unsigned prev = 0;
    for (const char ch : text_) {
      const auto c = static_cast<unsigned char>(ascii_lower(ch));
      if ((c | prev) < 0x80) {
        const unsigned bit = pair_bit(prev, c);
        pairs_[bit / 64] |= std::uint64_t{1} << (bit % 64);
      }
      prev = c;
    }
    paired_ = true;
  }
  std::string_view text_;
  std::string lower_;
  std::array<std::uint64_t, 16> pairs_;  // set by pair_up()
  ByteSet bytes_{};
  bool paired_ = false;
  bool odd_folds_ = false;
};

bool is_ascii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// False only when the word certainly has no case-insensitive occurrence:
// an ASCII word without "k" or "s" (or in a text without their twins)
// matches only text equal to it up to ASCII case.
bool may_occur(Folded& text, std::string_view word) {
  if (!text.may_hold(word)) return false;
  if (!is_ascii(word)) return true;
  if (text.odd_folds() && word.find_first_of("kKsS") != std::string_view::npos) return true;
  std::string lower(word);
  for (char& c : lower) c = ascii_lower(c);
  return text.lower().find(lower) != std::string_view::npos;
}

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
    if (word.empty() || !may_occur(*folded, word)) continue;
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
