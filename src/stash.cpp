// The stash: placeholders and key-like caller tokens swapped for lowercase
// keys before the language passes, and swapped back after them.
#include "stash.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "regex.h"
#include "unicode.h"

namespace kalvesta::stash {
namespace {

// What the stash hides: placeholders, and any token of the caller's that
// holds the key prefix in any case, so that neither a pass that lowercases
// it nor the put-back can mistake it for a key.
constinit regex::LazyRegex RE_STASHED{R"(<<<[A-Z_]+_\d+>>>|[A-Za-z0-9]*(?i:entstash)[A-Za-z0-9]*)"};
// Its first branch alone: all it can find in a text without the prefix,
// tried where a "<<<" stands.
constinit regex::LazyRegex RE_PLACEHOLDER{R"(<<<[A-Z_]+_\d+>>>)"};

static_assert(KEY_PREFIX == "entstash", "RE_STASHED spells the prefix out");

bool is_ascii_lower(char c) { return c >= 'a' && c <= 'z'; }

bool joins(char32_t c, Apart apart) {
  return apart == Apart::word_chars ? unicode::is_word_char(c) : unicode::is_ascii_alnum(c);
}

// The character that ends just before `at` (> 0).
char32_t char_before(std::string_view text, std::size_t at) {
  std::size_t start = at - 1;
  while (start > 0 && at - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  return unicode::decode(text, start);
}

// False only when the second branch of RE_STASHED cannot match: its match
// holds the key prefix in some case, where "s" may also be the long s (its
// caseless twin).
bool may_hold_prefix(std::string_view text) {
  if (text.find("\u017F") != std::string_view::npos) return true;
  constexpr std::size_t n = KEY_PREFIX.size();
  // How far a window may move on when its last byte (folded) is a given
  // letter: to the nearest place where that letter could stand in an
  // occurrence (a whole window for any other byte).
  constexpr std::array<std::uint8_t, 26> shift = [] {
    std::array<std::uint8_t, 26> out{};
    out.fill(static_cast<std::uint8_t>(n));
    for (std::size_t i = 0; i + 1 < n; ++i) out[KEY_PREFIX[i] - 'a'] = static_cast<std::uint8_t>(n - 1 - i);
    return out;
  }();
  for (std::size_t at = 0; at + n <= text.size();) {
    const auto last = static_cast<unsigned char>(text[at + n - 1] | 0x20);
    if (last < 'a' || last > 'z') {
      at += n;
      continue;
    }
    if (last == static_cast<unsigned char>(KEY_PREFIX[n - 1])) {
      std::size_t i = 0;
      while (i < n && (text[at + i] | 0x20) == KEY_PREFIX[i]) ++i;
      if (i == n) return true;
    }
    at += shift[last - 'a'];
  }
  return false;
}

// Appends the letters of `index` to `out`.
void append_letters(std::size_t index, std::string& out) {
  const std::size_t from = out.size();
  while (true) {
    out.push_back(static_cast<char>('a' + index % 26));
    if (index < 26) break;
    index = index / 26 - 1;
  }
  std::reverse(out.begin() + static_cast<std::ptrdiff_t>(from), out.end());
}

}  // namespace

std::string idx_to_letters(std::size_t index) {
  std::string letters;
  append_letters(index, letters);
  return letters;
}

// A key that would touch a word character or another key is set apart by one
// space, so that no pass reads it as part of a letter-digit token (‘abc.com5’
// or ‘x.comé5’ would otherwise spell the key out and lose the address).
Stashed stash_placeholders(std::string text, const Owns& ours, Apart apart) {
  Stashed result;
  const bool prefix = may_hold_prefix(text);
  if (!prefix && text.find("<<<") == std::string::npos) {
    result.text = std::move(text);
    return result;
  }
  std::size_t previous_end = std::string_view::npos;
  bool spaced_after = false;
  std::string out;
  out.reserve(text.size() + 16);
  std::size_t copied = 0;
  // text[copied, s) and then the key for the match text[s, e).
  auto put_key = [&](std::size_t s, std::size_t e) {
    out.append(text, copied, s - copied);
    copied = e;
    // A caller's token is a whole run of letters and digits: nothing to set
    // apart but another key, which would otherwise run into it and read as
    // one longer key (‘<<<A_1>>><<<B_2>>>’).
    const bool placeholder = text[s] == '<';
    const bool after_key = s == previous_end && !spaced_after;
    if (after_key || (placeholder && s > 0 && joins(char_before(text, s), apart))) out.push_back(' ');
    out.append(KEY_PREFIX);
    append_letters(result.stash.size(), out);
    std::size_t next = e;
    spaced_after = placeholder && e < text.size() && joins(unicode::decode(text, next), apart);
    if (spaced_after) out.push_back(' ');
    previous_end = e;
    result.stash.emplace_back(text, s, e - s);
  };
  if (prefix) {
    RE_STASHED->for_each(text, [&](const regex::Captures& c) {
      // A caller's placeholder-shaped text is read like the rest of the text.
      if (!ours || text[c.start(0)] != '<' || ours(c.group(0))) put_key(c.start(0), c.end(0));
    });
  } else {
    // Without the prefix every match is a placeholder starting at a "<<<":
    // the pattern is tried there alone, anchored. Where only the owner's
    // placeholders count, the owner alone decides: what it owns is a whole
    // match, and what it does not stays as written either way.
    regex::Captures caps;
    auto inner = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; };
    for (std::size_t at = text.find("<<<"); at != std::string::npos;) {
      std::size_t end = at + 3;
      if (ours) {
        while (end < text.size() && inner(text[end])) ++end;
        const bool owned = text.compare(end, 3, ">>>") == 0 && ours(std::string_view(text).substr(at, end + 3 - at));
        end = owned ? end + 3 : std::string::npos;
      } else {
        end = RE_PLACEHOLDER->match_at(text, at, caps) ? caps.end(0) : std::string::npos;
      }
      if (end == std::string::npos) {
        at = text.find("<<<", at + 1);
        continue;
      }
      put_key(at, end);
      at = text.find("<<<", end);
    }
  }
  if (result.stash.empty()) {
    result.text = std::move(text);
    return result;
  }
  out.append(text, copied);
  result.text = std::move(out);
  return result;
}

// One scan instead of one scan per key. Replacing keys from the highest index
// down finds, at each occurrence, the longest key that starts there (a longer
// key always has the higher index), so that is what the scan takes.
std::string unstash_placeholders(std::string_view text, const std::vector<std::string>& stash) {
  if (stash.empty()) return std::string(text);
  const std::size_t max_letters = idx_to_letters(stash.size() - 1).size();
  std::string out;
  out.reserve(text.size() + stash.size() * 8);
  std::size_t copied = 0;
  std::size_t pos = text.find(KEY_PREFIX);
  while (pos != std::string_view::npos) {
    const std::size_t letters_at = pos + KEY_PREFIX.size();
    std::size_t run = 0;
    while (letters_at + run < text.size() && run < max_letters && is_ascii_lower(text[letters_at + run])) ++run;
    std::size_t next = letters_at;
    for (std::size_t len = run; len > 0; --len) {
      // Bijective base 26: "a" = 0, "z" = 25, "aa" = 26.
      std::size_t index = 0;
      for (std::size_t k = 0; k < len; ++k) index = index * 26 + static_cast<std::size_t>(text[letters_at + k] - 'a' + 1);
      --index;
      if (index < stash.size()) {
        out.append(text.substr(copied, pos - copied));
        out.append(stash[index]);
        copied = letters_at + len;
        next = copied;
        break;
      }
    }
    pos = text.find(KEY_PREFIX, next);
  }
  out.append(text.substr(copied));
  return out;
}

std::size_t key_end(std::string_view text, std::size_t at) {
  std::size_t end = at + KEY_PREFIX.size();
  while (end < text.size() && is_ascii_lower(text[end])) ++end;
  return end;
}

}  // namespace kalvesta::stash
