// Number text shared by the rule passes: 128-bit decimal reading and writing,
// the shortest round-trip text of a double, float parsing with the grammar
// the rules assume, and saturating double-to-integer casts.
#include "numtext.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kalvesta {

std::string u128_to_string(u128 n) {
  char buf[40];
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + static_cast<int>(n % 10));
    n /= 10;
  } while (n != 0);
  return std::string(p, buf + sizeof buf);
}

std::size_t thousands_groups(u128 n, ThousandsGroups& out) {
  std::size_t count = 0;
  // 128-bit division only while the value needs more than 64 bits.
  for (; n > UINT64_MAX; n /= 1000) out[count++] = static_cast<unsigned>(n % 1000);
  for (auto rest = static_cast<std::uint64_t>(n); rest != 0; rest /= 1000) out[count++] = static_cast<unsigned>(rest % 1000);
  return count;
}

std::optional<u128> parse_u128(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  // Constants, so that no digit costs a 128-bit division.
  constexpr u128 most = U128_MAX / 10;
  constexpr unsigned last = static_cast<unsigned>(U128_MAX % 10);
  u128 n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    auto d = static_cast<unsigned>(c - '0');
    if (n > most || (n == most && d > last)) return std::nullopt;  // overflow
    n = n * 10 + d;
  }
  return n;
}

bool all_ascii_digits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

u128 parse_num(std::string_view text) {
  std::string digits;
  digits.reserve(text.size());
  for (char c : text) {
    if (c != ',') digits.push_back(c);
  }
  return parse_u128(digits).value_or(0);
}

std::string float_text(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // Fixed notation with no precision is the shortest round-trip text; the
  // longest (the smallest subnormal) needs about 330 characters.
  char buf[512];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (res.ec != std::errc{}) return "NaN";  // cannot happen with this buffer
  return std::string(buf, res.ptr);
}

namespace {

bool equals_ascii_nocase(std::string_view a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Digits with an optional "." fraction (one side may be empty, not both),
// then an optional exponent with at least one digit.
bool is_decimal_literal(std::string_view t) {
  std::size_t i = 0, n = t.size();
  std::size_t int_digits = 0, frac_digits = 0;
  while (i < n && is_digit(t[i])) ++i, ++int_digits;
  if (i < n && t[i] == '.') {
    ++i;
    while (i < n && is_digit(t[i])) ++i, ++frac_digits;
  }
  if (int_digits + frac_digits == 0) return false;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t exp_digits = 0;
    while (i < n && is_digit(t[i])) ++i, ++exp_digits;
    if (exp_digits == 0) return false;
  }
  return i == n;
}

}  // namespace

std::optional<double> parse_f64(std::string_view text) {
  bool negative = false;
  std::string_view body = text;
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
    negative = body.front() == '-';
    body.remove_prefix(1);
  }
  if (equals_ascii_nocase(body, "inf") || equals_ascii_nocase(body, "infinity")) {
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  if (equals_ascii_nocase(body, "nan")) return std::numeric_limits<double>::quiet_NaN();
  if (!is_decimal_literal(body)) return std::nullopt;

  double value = 0;
  auto res = std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Overflow reads as infinity and underflow as zero: strtod says which.
    std::string copy(body);
    value = std::strtod(copy.c_str(), nullptr);
  } else if (res.ec != std::errc{} || res.ptr != body.data() + body.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::int64_t saturating_i64(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775808.0) return std::numeric_limits<std::int64_t>::max();
  if (value <= -9223372036854775808.0) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(value);
}

u128 saturating_u128(double value) {
  if (std::isnan(value) || value <= 0) return 0;
  if (value >= 340282366920938463463374607431768211456.0) return U128_MAX;  // 2^128
  return static_cast<u128>(value);
}

}  // namespace kalvesta
