// The normalisation driver: checks the language, then runs the amount
// pre-pass, entity protection, the language's rule passes and the clean-up in
// one fixed order. Entity placeholders hide behind lowercase keys while the
// language passes run, since those passes leave plain lowercase words alone.
#include "pipeline.h"

#include "entities.h"
#include "langpack.h"
#include "misc_passes.h"
#include "normalize.h"
#include "normalize_en.h"
#include "normalize_id.h"
#include "normalize_zh.h"
#include "pron.h"
#include "regex.h"
#include "shared.h"
#include "unicode.h"

namespace kalvesta::pipeline {
namespace {

// A "-" before a digit that is not a hyphen (no word character or "-" before it).
constinit regex::LazyRegex RE_NEG_SIGN{R"((?<![\w\-])-(?=\d))"};
// What the stash hides: placeholders, and any token of the caller's that
// holds the key prefix, so that the put-back cannot mistake it for a key.
constinit regex::LazyRegex RE_STASHED{R"(<<<[A-Z_]+_\d+>>>|[A-Za-z0-9]*entstash[A-Za-z0-9]*)"};

bool is_ascii_alnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_ascii_lower(char c) { return c >= 'a' && c <= 'z'; }

std::string rewrite_minus_signs(std::string_view text, const langpack::LanguagePack& pack) {
  const std::string word = " " + pack.negative_word + " ";
  return RE_NEG_SIGN->replace_all(text, [&](const regex::Captures&) { return word; });
}

std::string language_pass(std::string_view text, std::string_view lang) {
  if (lang == "id") return normalize_id::normalize_indonesian(text);
  if (lang == "en") return normalize_en::normalize_english(text);
  if (lang == "zh") return normalize_zh::normalize_zh_variant(text, false);
  if (lang == "zh_my") return normalize_zh::normalize_zh_variant(text, true);
  return normalize::normalize_malay(text);
}

// Symbols first, one character at a time (no symbol word holds a symbol),
// then the currency codes as plain substrings (‘EUROPE’ -> ‘ euro OPE’).
std::string speak_special_chars(std::string_view text, const langpack::LanguagePack& pack) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t pos = 0;
  while (pos < text.size()) {
    // Letters, digits and blanks are never symbols: copy them without a lookup.
    if (is_ascii_alnum(text[pos]) || text[pos] == ' ') {
      out.push_back(text[pos++]);
      continue;
    }
    std::size_t start = pos;
    unicode::decode(text, pos);
    std::string_view ch = text.substr(start, pos - start);
    auto it = pack.symbol_words.find(std::string(ch));
    if (it == pack.symbol_words.end()) {
      out.append(ch);
    } else {
      out.push_back(' ');
      out.append(it->second);
      out.push_back(' ');
    }
  }
  for (const auto& [code, word] : pack.currency_code_words) {
    if (out.find(code) != std::string::npos) out = unicode::replace_all(out, code, " " + word + " ");
  }
  return out;
}

std::string strip_exclamations(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '!') out.push_back(c);
  }
  return out;
}

}  // namespace

std::string idx_to_letters(std::size_t index) {
  std::string letters;
  while (true) {
    letters.push_back(static_cast<char>('a' + index % 26));
    if (index < 26) break;
    index = index / 26 - 1;
  }
  return std::string(letters.rbegin(), letters.rend());
}

// A key that would touch an ASCII letter or digit or another key is set apart
// by one space, so that no pass reads it as part of a letter-digit token
// (‘abc.com5’ would otherwise spell the key out and lose the address).
Stashed stash_placeholders(std::string_view text) {
  Stashed result;
  std::size_t previous_end = std::string_view::npos;
  bool spaced_after = false;
  result.text = RE_STASHED->replace_all(text, [&](const regex::Captures& caps) {
    std::string key;
    std::size_t s = caps.start(0), e = caps.end(0);
    // A caller's token is a whole run of letters and digits: nothing to set
    // apart but another key, which would otherwise run into it and read as
    // one longer key (‘<<<A_1>>><<<B_2>>>’).
    const bool placeholder = text[s] == '<';
    const bool after_key = s == previous_end && !spaced_after;
    if (after_key || (placeholder && s > 0 && is_ascii_alnum(text[s - 1]))) key.push_back(' ');
    key.append(STASH_KEY_PREFIX);
    key.append(idx_to_letters(result.stash.size()));
    spaced_after = placeholder && e < text.size() && is_ascii_alnum(text[e]);
    if (spaced_after) key.push_back(' ');
    previous_end = e;
    result.stash.emplace_back(caps.group(0));
    return key;
  });
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
  std::size_t pos = text.find(STASH_KEY_PREFIX);
  while (pos != std::string_view::npos) {
    const std::size_t letters_at = pos + STASH_KEY_PREFIX.size();
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
    pos = text.find(STASH_KEY_PREFIX, next);
  }
  out.append(text.substr(copied));
  return out;
}

Result<std::string> normalize_with(std::string_view text, std::string_view language,
                                   const Options& options) {
  const std::string lang = unicode::to_lower(unicode::trim(language));
  if (!langpack::is_supported(lang)) {
    std::string codes;
    for (const auto& code : langpack::supported_languages()) {
      if (!codes.empty()) codes += ", ";
      codes += code;
    }
    return Result<std::string>::err("Unsupported language: '" + std::string(language) +
                                    "' (expected one of (" + codes + "))");
  }
  if (unicode::trim(text).empty()) return Result<std::string>::ok(std::string());
  const langpack::LanguagePack& pack = langpack::get_pack(lang);

  std::string t;
  if (lang == "id") {
    t = normalize::expand_suffixes_no_m(normalize_id::preparse_number_formats(text));
  } else {
    t = normalize::expand_all_currency_suffixes(text);
  }
  t = misc_passes::expand_ussd(t, lang);
  t = rewrite_minus_signs(t, pack);
  t = misc_passes::expand_digit_contexts(t, lang);

  entities::Extraction extraction = entities::extract_gated(t, options);
  t = std::move(extraction.text);

  const bool overrides = options.is_enabled("pronunciation_overrides");
  if (overrides) t = normalize_en::apply_pronunciation_overrides(t, lang);
  if (options.is_enabled("measurements")) t = shared::normalize_measurements(t, lang);
  if (overrides) {
    Result<std::string> pronounced = pron::apply(t, options.resolve_pronunciations(lang), lang);
    if (!pronounced.is_ok()) return pronounced;
    t = std::move(pronounced).value();
  }

  Stashed stashed = stash_placeholders(t);
  t = std::move(stashed.text);
  if (options.is_enabled("elongated")) t = misc_passes::normalize_elongated(t);
  t = language_pass(t, lang);
  t = misc_passes::insert_comma_repeated(t, 3);
  if (options.is_enabled("acronyms")) t = normalize_en::replace_letter_period_sequences(t);
  t = unstash_placeholders(t, stashed.stash);

  t = entities::restore_gated(t, extraction.entities, lang, options);
  if (options.is_enabled("special_chars")) t = speak_special_chars(t, pack);
  if (pack.strip_exclamations) t = strip_exclamations(t);
  return Result<std::string>::ok(unicode::collapse_whitespace(t));
}

}  // namespace kalvesta::pipeline
