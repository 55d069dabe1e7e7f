// Number text shared by the passes: 128-bit integers to and from decimal
// text, and the shortest round-trip text of a double.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalvesta {

using u128 = unsigned __int128;
using i128 = __int128;

inline constexpr u128 U128_MAX = ~static_cast<u128>(0);

// Decimal text of an unsigned 128-bit value.
std::string u128_to_string(u128 n);

// The base-1000 groups of n, least significant first (none for 0); how many.
using ThousandsGroups = std::array<unsigned, 13>;  // 10^39 > U128_MAX
std::size_t thousands_groups(u128 n, ThousandsGroups& out);

// An optional leading "+" then one or more ASCII digits, nothing else;
// nothing on empty text, any other character or overflow.
std::optional<u128> parse_u128(std::string_view text);

// Whether the text is one or more ASCII digits and nothing else.
bool all_ascii_digits(std::string_view text);

// The rule passes' number reading: every "," removed, then parse_u128;
// text that does not read so gives 0.
u128 parse_num(std::string_view text);

// Shortest decimal text that reads back as the same double, positional
// (no exponent): 1500 -> "1500", 1234.5 -> "1234.5", 1e-7 -> "0.0000001";
// "inf", "-inf", "NaN" for the specials, "-0" for negative zero.
std::string float_text(double value);

// Standard decimal float parsing of the whole text (optional sign, digits,
// optional fraction and exponent, "inf"/"infinity"/"nan" in any case);
// nothing when the text does not read so.
std::optional<double> parse_f64(std::string_view text);

// double -> integer conversions that saturate at the type's limits, NaN
// giving 0 (the behaviour of a Rust "as" cast).
std::int64_t saturating_i64(double value);
u128 saturating_u128(double value);

}  // namespace kalvesta
