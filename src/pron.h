// Pronunciation pairs: the built-in lists and their application as
// case-insensitive whole-word replacements.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "options.h"

namespace kalvesta::pron {

std::vector<PronunciationPair> builtin_for(std::string_view lang);
std::string apply(std::string_view text, const std::vector<PronunciationPair>& pairs);

}  // namespace kalvesta::pron
