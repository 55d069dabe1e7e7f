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
