#include "numtext.h"
namespace kalvesta {
std::string u128_to_string(u128) { return "0"; }
std::optional<u128> parse_u128(std::string_view) { return std::nullopt; }
u128 parse_num(std::string_view) { return 0; }
std::string float_text(double) { return "0"; }
std::optional<double> parse_f64(std::string_view) { return std::nullopt; }
std::int64_t saturating_i64(double) { return 0; }
u128 saturating_u128(double) { return 0; }
}  // namespace kalvesta
