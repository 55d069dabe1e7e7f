// The stash: entity placeholders hidden behind lowercase keys while the
// language passes run, and put back afterwards.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvesta::stash {

// A key is "entstash" + idx_to_letters(i). Passes leave plain lowercase
// words alone, so a key crosses them untouched; a pass that rewrites
// lowercase words or spells out letters must leave keys alone.
inline constexpr std::string_view KEY_PREFIX = "entstash";

// Bijective base 26 over "a".."z": 0 -> "a", 25 -> "z", 26 -> "aa".
std::string idx_to_letters(std::size_t index);

// Whether the text holds (the start of) a key.
inline bool holds_key(std::string_view text) { return text.find(KEY_PREFIX) != std::string_view::npos; }
// The end of the key that starts at `at` (the prefix and its letters).
std::size_t key_end(std::string_view text, std::size_t at);

struct Stashed {
  std::string text;
  std::vector<std::string> stash;
};
// What a placeholder's key is set apart from by a blank: any word character,
// or, for passes that take only ASCII letters and digits into a token (the
// Chinese ones, where a blank beside a Chinese word would stay), those alone.
enum class Apart { word_chars, ascii_alnum };
// Placeholders (and any caller token holding the key prefix) replaced by
// keys; with `ours`, only the placeholders it owns (the others are caller text).
// `ours` says yes only to placeholder-shaped text (‘<<<URL_1>>>’).
using Owns = std::function<bool(std::string_view placeholder)>;
Stashed stash_placeholders(std::string text, const Owns& ours = {}, Apart apart = Apart::word_chars);
std::string unstash_placeholders(std::string_view text, const std::vector<std::string>& stash);

}  // namespace kalvesta::stash
