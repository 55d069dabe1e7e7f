// Pronunciation pairs: the built-in lists and their application as
// case-insensitive whole-word replacements.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "result.h"

namespace kalvesta::pron {

// Malay and Indonesian also read their titles.
bool has_titles(std::string_view lang);
std::vector<PronunciationPair> builtin_for(std::string_view lang);
// The resolved list when no caller pair reaches `lang` (built once per
// language and profile), else nullptr: see Options::resolve_pronunciations.
const std::vector<PronunciationPair>* fixed_list(const Options& options, std::string_view lang);
// Fails when the pairs grow the text too far; `scope` (the language code)
// names the call in the message.
Result<std::string> apply(std::string text, const std::vector<PronunciationPair>& pairs,
                          std::string_view scope);

}  // namespace kalvesta::pron
