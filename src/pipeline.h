// The normalisation driver: one fixed road from written text to spoken text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "options.h"
#include "result.h"

namespace kalvesta::pipeline {

// Placeholders hide behind "entstash" + idx_to_letters(i) while the language
// passes run; passes that rewrite lowercase words must leave such keys alone.
inline constexpr std::string_view STASH_KEY_PREFIX = "entstash";

Result<std::string> normalize_with(std::string_view text, std::string_view language,
                                   const Options& options);

std::string idx_to_letters(std::size_t index);

struct Stashed {
  std::string text;
  std::vector<std::string> stash;
};
Stashed stash_placeholders(std::string_view text);
std::string unstash_placeholders(std::string_view text, const std::vector<std::string>& stash);

}  // namespace kalvesta::pipeline
