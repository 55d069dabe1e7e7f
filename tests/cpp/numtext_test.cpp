// Tests of number text: 128-bit decimal reading and writing, float text and
// float parsing, and the saturating casts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "numtext.h"

using namespace kalvesta;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::string kU128Max = "340282366920938463463374607431768211455";

std::string show(std::optional<u128> v) { return v ? u128_to_string(*v) : "<none>"; }
}  // namespace

TEST(NumText, ParseU128) {
  struct Case { const char* in; const char* want; };
  const Case cases[] = {
      {"+42", "42"},
      {"340282366920938463463374607431768211455", "340282366920938463463374607431768211455"},
      {"340282366920938463463374607431768211456", "<none>"},  // one past the largest
      {"", "<none>"}, {"-1", "<none>"}, {" 1", "<none>"},
      {"١٢", "<none>"},  // non-ASCII digits
  };
  for (const auto& c : cases) EXPECT_EQ(show(parse_u128(c.in)), c.want) << "input " << c.in;
}

TEST(NumText, ParseNum) {
  struct Case { const char* in; const char* want; };
  const Case cases[] = {
      {"1,250", "1250"}, {",,1,,2,", "12"}, {"+1,000", "1000"}, {",", "0"},      {"", "0"},
      {"-5", "0"},       {"1.5", "0"},      {"12 3", "0"},      {"340,282,366,920,938,463,463,374,607,431,768,211,456", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(u128_to_string(parse_num(c.in)), c.want) << "input " << c.in;
}

TEST(NumText, FloatText) {
  struct Case { double in; const char* want; };
  const Case cases[] = {
      {0.1 + 0.2, "0.30000000000000004"}, {1e21, "1000000000000000000000"}, {1e-7, "0.0000001"}, {-0.0, "-0"},
      {kInf, "inf"}, {kNaN, "NaN"},
  };
  for (const auto& c : cases) EXPECT_EQ(float_text(c.in), c.want) << "value " << c.in;
  // The smallest subnormal: 323 zeros after the point, then 5.
  EXPECT_EQ(float_text(5e-324), "0." + std::string(323, '0') + "5");
  EXPECT_EQ(float_text(std::numeric_limits<double>::max()).size(), 309u);
}

TEST(NumText, ParseF64) {
  struct Case { const char* in; std::optional<double> want; };
  const Case cases[] = {
      {"+1.5", 1.5},       {"1.", 1.0},          {".5", 0.5},          {"1E+3", 1000.0},   {"1e400", kInf},
      {"1e-400", 0.0},     {"-Infinity", -kInf}, {"", std::nullopt},   {".", std::nullopt}, {"1e", std::nullopt},
      {" 1", std::nullopt}, {"1,5", std::nullopt}, {"0x10", std::nullopt}, {"nan(1)", std::nullopt},
      {"infin", std::nullopt}, {"١", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(parse_f64(c.in), c.want) << "input " << c.in;
  auto nan = parse_f64("-NaN");
  ASSERT_TRUE(nan);
  EXPECT_TRUE(std::isnan(*nan));
  // Shortest text reads back exactly.
  for (double d : {0.1, 1.0 / 3, 123456.789, 5e-324, 1.7976931348623157e308}) {
    EXPECT_EQ(parse_f64(float_text(d)), d) << "value " << d;
  }
}

TEST(NumText, SaturatingCasts) {
  struct Case { double in; std::int64_t want_i64; const char* want_u128; };
  const Case cases[] = {
      {2.9, 2, "2"}, {-2.9, -2, "0"}, {kNaN, 0, "0"},
      {kInf, std::numeric_limits<std::int64_t>::max(), kU128Max.c_str()},
      {-kInf, std::numeric_limits<std::int64_t>::min(), "0"},
      {1e19, std::numeric_limits<std::int64_t>::max(), "10000000000000000000"},
      {9223372036854775807.0, std::numeric_limits<std::int64_t>::max(), "9223372036854775808"},
      {1e38, std::numeric_limits<std::int64_t>::max(), "99999999999999997748809823456034029568"},
      {1e39, std::numeric_limits<std::int64_t>::max(), kU128Max.c_str()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(saturating_i64(c.in), c.want_i64) << "value " << c.in;
    EXPECT_EQ(u128_to_string(saturating_u128(c.in)), c.want_u128) << "value " << c.in;
  }
}
