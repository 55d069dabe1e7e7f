// Pronunciation pairs: the built-in lists and their application as
// case-insensitive whole-word replacements.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "result.h"

namespace kalvesta::pron {

// Malay and Indonesian also read their titles.
bool has_titles(std::string_view lang);
std::vector<PronunciationPair> builtin_for(std::string_view lang);
// ASCII bytes, one bit each.
using ByteSet = std::array<std::uint64_t, 2>;

// Whether `text` holds `word`, ASCII letters matching in either case.
bool holds_caseless(std::string_view text, std::string_view word);

// What a text holds, found in one walk without allocating: its bytes with
// ASCII letters in lower case, and pairs of adjacent bytes so folded (one
// flag each, pairs hashed). Among characters beyond ASCII only the Kelvin
// sign and the long s match ASCII letters ("k" and "s") case-insensitively.
class Folded {
 public:
  explicit Folded(std::string_view text);
  // The ASCII bytes the text holds, with "k" and "s" when it holds their twins.
  ByteSet bytes() const;
  // False only when `word` certainly has no case-insensitive occurrence.
  bool may_occur(std::string_view word);

 private:
  bool may_hold(std::string_view word) const;
  std::string_view text_;
  // A short text is searched for each word at once: filling the pairs
  // would cost more than they save.
  static constexpr std::size_t SHORT = 16;
  std::array<unsigned char, 256> seen_{};
  bool paired_;
  std::array<unsigned char, 1024> pairs_;  // filled only when paired_
  bool odd_folds_ = false;
};

// Pairs in reading order, with what each word needs of a text to occur in
// it, worked out once per list.
class PairList {
 public:
  explicit PairList(std::vector<PronunciationPair> pairs);
  const std::vector<PronunciationPair>& pairs() const { return pairs_; }
  const std::vector<ByteSet>& needs() const { return needs_; }

 private:
  std::vector<PronunciationPair> pairs_;
  std::vector<ByteSet> needs_;
};

// The resolved list when no caller pair reaches `lang` (built once per
// language and profile), else nullptr: see Options::resolve_pronunciations.
const PairList* fixed_list(const Options& options, std::string_view lang);
// Fails when the pairs grow the text too far; `scope` (the language code)
// names the call in the message.
Result<std::string> apply(std::string text, const PairList& pairs, std::string_view scope);

}  // namespace kalvesta::pron
