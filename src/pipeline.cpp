// The normalisation driver: checks the language, then runs the amount
// pre-pass, entity protection, the language's rule passes and the clean-up in
// one fixed order. Entity placeholders hide behind lowercase keys while the
// language passes run, since those passes leave plain lowercase words alone.
#include "pipeline.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>

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
#include "stash.h"
#include "unicode.h"


namespace kalvesta::pipeline {
namespace {

// A "-" before a digit or a leading-dot decimal (‘-.5’) that is not a hyphen:
// no word character, "-" or closing bracket before it (‘(123)-4567’ is a dash).
constinit regex::LazyRegex RE_NEG_SIGN{R"((?<![\w\-)\]}）])-(?=\.?\d))"};

std::string rewrite_minus_signs(std::string text, const langpack::LanguagePack& pack) {
  if (text.find('-') == std::string::npos) return text;
  const std::string word = " " + pack.negative_word + " ";
  return RE_NEG_SIGN->replace_all(text, [&](const regex::Captures&) { return word; });
}

std::string language_pass(std::string&& text, std::string_view lang) {
  if (lang == "id") return normalize_id::normalize_indonesian(std::move(text));
  if (lang == "en") return normalize_en::normalize_english(std::move(text));
  if (lang == "zh") return normalize_zh::normalize_zh_variant(text, false);
  if (lang == "zh_my") return normalize_zh::normalize_zh_variant(text, true);
  return normalize::normalize_malay(std::move(text));
}

using ByteSet = std::array<std::uint64_t, 4>;  // one bit per byte value

bool holds(const ByteSet& set, unsigned char b) { return set[b / 64] >> (b % 64) & 1; }

// The first byte from pos on in `stops`. When no stop is a lower-case
// letter, digit, blank, comma, full stop, continuation byte or first byte of
// U+3000..U+FFFF, the bulk of a spoken text, runs of those are passed
// sixteen bytes at a time.
std::size_t next_stop(std::string_view text, std::size_t pos, const ByteSet& stops) {
#if defined(__SSE2__)
  constexpr std::uint64_t PLAIN_LOW = std::uint64_t{1} << ' ' | std::uint64_t{1} << ',' | std::uint64_t{1} << '.' |
                                      std::uint64_t{0x3FF} << '0';
  constexpr std::uint64_t PLAIN_HIGH = std::uint64_t{0x3FFFFFF} << ('a' - 64);
  constexpr std::uint64_t PLAIN_LEADS = std::uint64_t{0x1FFF} << (0xE3 - 0xC0);
  if ((stops[0] & PLAIN_LOW) == 0 && (stops[1] & PLAIN_HIGH) == 0 && stops[2] == 0 && (stops[3] & PLAIN_LEADS) == 0) {
    using unicode::bytes_within;
    // The last block is the sixteen bytes that end the text, those before
    // pos left out.
    for (std::size_t from; text.size() >= 16 && pos < text.size(); pos = from + 16) {
      from = std::min(pos, text.size() - 16);
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
      const __m128i marks = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(',')), _mm_cmpeq_epi8(v, _mm_set1_epi8('.')));
      const __m128i beyond = _mm_or_si128(_mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(0xC0))),
                                          bytes_within(v, static_cast<char>(0xE3), static_cast<char>(0xEF)));
      const __m128i plain = _mm_or_si128(_mm_or_si128(bytes_within(v, 'a', 'z'), bytes_within(v, '0', '9')),
                                         _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), _mm_or_si128(marks, beyond)));
      // Each byte that is not plain is looked up, the rest passed.
      const unsigned other = ~unicode::byte_bits(plain) & 0xFFFF;
      for (unsigned left = other >> (pos - from) << (pos - from); left != 0; left &= left - 1) {
        const std::size_t at = from + static_cast<std::size_t>(std::countr_zero(left));
        if (holds(stops, static_cast<unsigned char>(text[at]))) return at;
      }
    }
  }
#endif
  while (pos < text.size() && !holds(stops, static_cast<unsigned char>(text[pos]))) ++pos;
  return pos;
}

// Symbols first, one character at a time (no symbol word holds a symbol),
// then the currency codes as plain substrings (‘EUROPE’ -> ‘ euro OPE’).
std::string speak_special_chars(std::string written, const langpack::LanguagePack& pack) {
  const std::string_view text = written;
  // Bytes that may start a symbol or a code.
  ByteSet stops;
  for (std::size_t i = 0; i < stops.size(); ++i) stops[i] = pack.symbol_leads[i] | pack.code_leads[i];
  std::string out;
  std::size_t copied = 0;
  // A code in the result starts at one of its leads in the text, or inside
  // a symbol's word; a lead beyond ASCII is not looked for.
  bool code_lead = (pack.code_leads[2] | pack.code_leads[3]) != 0;
  for (std::size_t pos = 0; pos < text.size();) {
    // No key starts with a continuation byte, so a byte that may start one
    // always starts a character; every other byte is copied as it is.
    pos = next_stop(text, pos, stops);
    if (pos == text.size()) break;
    const auto b = static_cast<unsigned char>(text[pos]);
    if (holds(pack.code_leads, b)) code_lead = true;
    if (!pack.may_start_symbol(b)) {
      ++pos;
      continue;
    }
    const std::size_t start = pos;
    unicode::decode(text, pos);
    auto it = pack.symbol_words.find(std::string(text.substr(start, pos - start)));
    if (it == pack.symbol_words.end()) continue;
    if (out.empty()) out.reserve(text.size() + text.size() / 8);
    out.append(text.substr(copied, start - copied));
    out.push_back(' ');
    out.append(it->second);
    out.push_back(' ');
    copied = pos;
    code_lead = true;
  }
  if (copied == 0) out = std::move(written);
  else out.append(text.substr(copied));
  if (!code_lead) return out;
  for (const auto& [code, word] : pack.currency_code_words) {
    if (out.find(code) != std::string::npos) out = unicode::replace_all(out, code, " " + word + " ");
  }
  return out;
}

// Whether the text is empty or all White_Space. A text's first byte mostly
// tells: ASCII beyond the blanks, or a lead byte of a character that
// decodes past U+3000 or into U+00C0..U+07FF, where no White_Space lies.
bool is_blank(std::string_view text) {
  if (!text.empty()) {
    const auto b = static_cast<unsigned char>(text[0]);
    if ((b > ' ' && b < 0x80) || (b >= 0xC3 && b <= 0xDF) || (b >= 0xE4 && b <= 0xEF) || b >= 0xF1) return false;
  }
  return unicode::trim(text).empty();
}

// A run leaves one blank, so the words either side stay apart (‘1!hello’);
// the final clean-up drops it where other whitespace or an end is beside it.
std::string strip_exclamations(std::string text) {
  if (text.find('!') == std::string::npos) return text;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '!') out.push_back(text[i]);
    else if (i == 0 || text[i - 1] != '!') out.push_back(' ');
  }
  return out;
}

}  // namespace

Result<std::string> normalize_with(std::string_view text, std::string_view language,
                                   const Options& options) {
  // The pack's code is the caller's, trimmed and lower-cased.
  const langpack::LanguagePack* found = langpack::try_get_pack(language);
  if (!found) return Result<std::string>::err(langpack::unsupported_language(language));
  const langpack::LanguagePack& pack = *found;
  const std::string_view lang = pack.code;
  if (is_blank(text)) return Result<std::string>::ok(std::string());

  // Digits of every script are read by their value: ‘２０１５’ is 2015.
  std::string t = unicode::ascii_digits(text);
  if (lang == "id") {
    rules::Known known;
    t = normalize::expand_suffixes_no_m(normalize_id::preparse_number_formats(std::move(t), &known), &known);
  } else {
    t = normalize::expand_all_currency_suffixes(std::move(t));
  }
  t = misc_passes::expand_ussd(std::move(t), lang);
  t = rewrite_minus_signs(std::move(t), pack);
  t = misc_passes::expand_digit_contexts(std::move(t), lang);

  entities::Extraction extraction = entities::extract_gated(std::move(t), options, true);
  t = std::move(extraction.text);

  const bool overrides = options.is_enabled("pronunciation_overrides");
  if (overrides) t = normalize_en::apply_pronunciation_overrides(std::move(t), lang);
  if (options.is_enabled("measurements")) t = shared::normalize_measurements(std::move(t), lang);
  if (overrides) {
    std::optional<pron::PairList> resolved;
    const pron::PairList* pairs = pron::fixed_list(options, lang);
    if (!pairs) pairs = &resolved.emplace(options.resolve_pronunciations(lang));
    Result<std::string> pronounced = pron::apply(std::move(t), *pairs, lang);
    if (!pronounced.is_ok()) return pronounced;
    t = std::move(pronounced).value();
  }

  const auto ours = [&extraction](std::string_view text) {
    return entities::is_placeholder_of(text, extraction.entities);
  };
  stash::Stashed stashed = stash::stash_placeholders(
      std::move(t), ours, shared::is_chinese(lang) ? stash::Apart::ascii_alnum : stash::Apart::word_chars);
  t = std::move(stashed.text);
  if (options.is_enabled("elongated")) t = misc_passes::normalize_elongated(std::move(t));
  t = language_pass(std::move(t), lang);
  t = misc_passes::insert_comma_repeated(std::move(t), 3);
  if (options.is_enabled("acronyms")) t = normalize_en::replace_letter_period_sequences(std::move(t));
  if (!stashed.stash.empty()) t = stash::unstash_placeholders(t, stashed.stash);

  t = entities::restore_gated(std::move(t), extraction.entities, lang, options);
  if (options.is_enabled("special_chars")) t = speak_special_chars(std::move(t), pack);
  if (pack.strip_exclamations) t = strip_exclamations(std::move(t));
  if (!unicode::is_collapsed(t)) t = unicode::collapse_whitespace(t);
  return Result<std::string>::ok(std::move(t));
}

}  // namespace kalvesta::pipeline
