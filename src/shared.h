// Patterns and spoken forms shared by several entity kinds, and the
// measurement pass.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "langpack.h"
#include "numtext.h"
#include "regex.h"

namespace kalvesta::shared {

// TEMPERATURE, FRACTION, X_KALI, IC, HARI_BULAN, HIJRI (exact tag texts).
const regex::Regex* shared_pattern(std::string_view kind);
std::optional<std::string> shared_spoken(std::string_view kind, std::string_view text,
                                         std::string_view lang);

std::string normalize_measurements(std::string_view text, std::string_view lang);

// Each character read with the pack's digit word (others as themselves),
// joined with single blanks: "123" -> "satu dua tiga".
std::string spell_digits(std::string_view digits, const langpack::LanguagePack& pack);

// Whether the code, compared exactly, takes the Chinese readings.
inline bool is_chinese(std::string_view lang) { return lang == "zh" || lang == "zh_my"; }

// The cardinal of a language, chosen by the exact code: "id" and "en" have
// their own spellers, every other code (the Chinese ones included) Malay.
std::string cardinal_for(u128 n, std::string_view lang);

// Every character of a fraction as its digit (any other character as 0):
// Chinese digits joined without separators ("05" -> "零五"), or the
// language's cardinals joined with blanks ("05" -> "kosong lima").
std::string zh_fraction(std::string_view fraction);
std::string spaced_fraction(std::string_view fraction, std::string_view lang);
// The word the language passes read a decimal point with: "point" (en),
// "koma" (id), "点" (zh, zh_my), "perpuluhan" (every other code).
std::string_view decimal_word(std::string_view lang);

}  // namespace kalvesta::shared
