// Per-call options: parsed from the caller's JSON text, asked per pass key.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "result.h"

namespace kalvesta {

// word -> replacement, or nothing to remove the word's pair.
using PronunciationScope = std::map<std::string, std::optional<std::string>>;

struct PronunciationScopes {
  std::optional<PronunciationScope> global;                // key "*"
  std::map<std::string, PronunciationScope> per_language;  // every other key
};

using PronunciationPair = std::pair<std::string, std::string>;

// Pass keys switched off by the profile "minimal".
inline constexpr std::array<std::string_view, 16> MINIMAL_DISABLED = {
    "abbreviations", "acronyms",   "dates",        "elongated",
    "fractions",     "hari_bulan", "hijri",        "ic",
    "malay_local",   "measurements", "pronunciation_overrides", "special_chars",
    "strip_bracketed", "temperature", "times",     "x_kali",
};

// Pass keys switched off by the profile "basic": the minimal set less
// acronyms, elongated words, special characters and the two unasked keys.
inline constexpr std::array<std::string_view, 11> BASIC_DISABLED = {
    "dates",        "fractions",   "hari_bulan",      "hijri",
    "ic",           "measurements", "pronunciation_overrides", "strip_bracketed",
    "temperature",  "times",       "x_kali",
};

struct Options {
  std::optional<std::string> profile;
  std::vector<std::string> disable;
  std::optional<std::string> pronunciation_profile;
  PronunciationScopes pronunciations;

  // Empty or all-White_Space text gives the defaults; errors read
  // "invalid options JSON: {}".
  static Result<Options> parse(std::string_view json);

  bool is_enabled(std::string_view key) const {
    // The defaults switch every pass on: no list to look through.
    return (!profile && disable.empty()) || listed_enabled(key);
  }
  // is_enabled for options with a profile or a disable list.
  bool listed_enabled(std::string_view key) const;

  // Built-ins, then "*", then the scope of `lang`; longest word first, then
  // byte order. Defined in pron.cpp.
  std::vector<PronunciationPair> resolve_pronunciations(std::string_view lang) const;
};

}  // namespace kalvesta
