#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entities.h"
#include "langpack.h"
#include "options.h"
#include "pipeline.h"
#include "regex.h"

namespace kalvesta::pipeline {
namespace {

std::string run(std::string_view text, std::string_view lang, std::string_view options = "") {
  Result<Options> o = Options::parse(options);
  EXPECT_TRUE(o.is_ok()) << options;
  Result<std::string> r = normalize_with(text, lang, o.value());
  EXPECT_TRUE(r.is_ok()) << text;
  return r.is_ok() ? r.value() : r.error();
}

TEST(normalize_with, language_check_comes_first) {
  Options o;
  Result<std::string> r = normalize_with("", " Fr ", o);
  ASSERT_FALSE(r.is_ok());
  EXPECT_EQ(r.error(), "Unsupported language: ' Fr ' (expected one of (en, id, ms, zh, zh_my))");
  EXPECT_EQ(run(" \t\n ", " EN "), "");
}

TEST(normalize_with, minus_signs) {
  struct Case { std::string_view in, lang, want; };
  // Numbers are read by the language passes; only the sign word is checked.
  constexpr Case kCases[] = {{"-x", "ms", "-x"}, {"--x", "ms", "--x"}};
  for (const auto& c : kCases) EXPECT_EQ(run(c.in, c.lang), c.want) << c.in;
  EXPECT_EQ(run("-5", "ms").rfind("negatif ", 0), 0u);
  EXPECT_EQ(run("a -5", "en").rfind("a negative ", 0), 0u);
  EXPECT_EQ(run("-.5 km", "en").rfind("negative ", 0), 0u);
  EXPECT_EQ(run("(-5)", "zh").rfind("( 负 ", 0), 0u);
  EXPECT_EQ(run("3-5", "ms").find("negatif"), std::string::npos);
  EXPECT_EQ(run("x-5", "en").find("negative"), std::string::npos);
  for (std::string_view lang : {"ms", "id", "en", "zh", "zh_my"})  // a dash after a bracket
    for (std::string_view in : {"(123)-123-5678", "[1]-2", "{1}-2", "（1）-2"})
      EXPECT_EQ(run(in, lang).find(langpack::get_pack(lang).negative_word), std::string::npos) << in << " " << lang;
}

// A number written in digits of another script reads the value of its digits.
TEST(normalize_with, digits_of_every_script_read_their_value) {
  struct Case { std::string_view in, lang, want; };
  constexpr Case kCases[] = {
      {"仅仅是\uFF12\uFF10\uFF11\uFF15年", "zh", "仅仅是二零一五年"},     // full-width
      {"\u09E7\u09E8%", "zh_my", "十二巴仙"},                                // Bengali
      {"\u0663\u0665 km", "ms", "tiga puluh lima kilometer"},               // Arabic-Indic
      {"\uFF11\uFF12/\uFF10\uFF15/\uFF12\uFF10\uFF12\uFF14", "id", "dua belas Mei dua ribu dua puluh empat"},
      {"x\U0001D7D3", "en", "X five"},                                       // mathematical bold
      {"km\u00B2 \u2168", "en", "km\u00B2 \u2168"},                        // not decimal digits: kept
  };
  for (const auto& c : kCases) EXPECT_EQ(run(c.in, c.lang), c.want) << c.lang << " " << c.in;
}

TEST(normalize_with, special_characters_exclamations_and_whitespace) {
  struct Case { std::string_view in, lang, options, want; };
  constexpr Case kCases[] = {
      {"A&B", "en", "", "A and B"},
      {"A&B", "en", R"({"disable": ["special_chars"]})", "A&B"},
      {"5 km", "ms", R"({"profile": "basic"})", "lima km"},  // basic turns measurements off
      {"EUROPE", "en", R"({"disable": ["acronyms"]})", "euro OPE"},
      {"£5 GBP", "zh_my", R"({"disable": ["acronyms"]})", "五英磅 英磅"},  // one word per currency
      {"a&bEUR x", "en", R"({"disable": ["acronyms"]})", "a and b euro x"},
      {"xGBP€", "ms", R"({"disable": ["acronyms"]})", "x pound €"},
      // Symbols and codes after runs of plain letters, inside and past a sixteen-byte block.
      {"abcdefghijklmnop&q", "en", R"({"disable": ["acronyms"]})", "abcdefghijklmnop and q"},
      {"abcdefghijklmnoX|y and more words here ~", "en", R"({"disable": ["acronyms"]})",
       "abcdefghijklmnoX bar y and more words here tilde"},
      {"many plain words, then. EUR at the end", "en", R"({"disable": ["acronyms"]})",
       "many plain words, then. euro at the end"},
      {"a*b", "id", "", "a star b"}, {"a@b", "zh", "", "a 艾特 b"}, {"a@b", "zh_my", "", "a at b"},
      {"你好™世界©", "zh", "", "你好 商标 世界 版权"},
      {"Stop!!! now", "ms", "", "Stop now"},
      {"1!hello", "en", "", "one hello"},  // a dropped "!" keeps the words apart
      {"Stop!!! now", "id", "", "Stop!! now"},  // kept, but shortened as an elongated word
      {"  a \t\n b  ", "id", "", "a b"}, {"\u3000\u2003\u0085 ", "zh", "", ""}, {"\u00c0 ", "ms", "", "\u00c0"},
  };
  for (const auto& c : kCases) EXPECT_EQ(run(c.in, c.lang, c.options), c.want) << c.in << " " << c.lang;
}

// An entity glued to a letter of another script keeps its reading; the
// Chinese passes take no such letter into a token, so no blank is added there.
TEST(normalize_with, entity_beside_a_non_ascii_letter_is_read) {
  struct Case { std::string_view in, lang, want; };
  constexpr Case kCases[] = {
      {"21:42 ß9", "ms", "dua puluh satu empat puluh dua S S sembilan"},
      {"x.comé5", "id", "x dot com É lima"}, {"中x.com文", "zh", "中x点com文"},
  };
  for (const auto& c : kCases) EXPECT_EQ(run(c.in, c.lang), c.want) << c.in << " " << c.lang;
}

// Caller text shaped like a stash key or a placeholder stays the caller's.
TEST(normalize_with, caller_text_shaped_like_ours_stays_the_callers) {
  struct Case { std::string_view lang, in, want; };
  constexpr Case kCases[] = {
      {"en", "ENTSTASHA 1/2", "ENTSTASHA one over two"},
      {"en", "x<<<URL_1>>>y see www.abc.com", "x<<<U R L one>>>y see w w w dot abc dot com"},
      {"ms", "kod <<<ABC_7>>> <<<EMAIL_2>>> a@b.com", "kod <<<A B C tujuh>>> <<<E M A I L dua>>> a at b dot com"},
      {"ms", "a entstash b", "a entstash b"},
      {"id", "Entstashb entstasha 1/2", "Entstashb entstasha satu per dua"},
      {"zh", "xENTSTASHentstashab9 <<<URL_1>>> www.abc.com", "xENTSTASHentstashab9 <<<URL_一>>> w w w 点 abc点com"},
      {"zh_my", "EntStashB 3/4", "EntStashB 四分之三"},
      {"zh_my", "kod <<<ABC_7>>> <<<EMAIL_2>>> a@b.com", "kod <<<ABC_七>>> <<<EMAIL_二>>> a艾特b点com"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(run(c.in, c.lang, R"({"disable": ["special_chars"]})"), c.want) << c.in << " " << c.lang;
  }
}

// Fixed patterns are compiled once per process: a second round of the same
// calls compiles nothing, in any language.
TEST(normalize_with, warm_calls_compile_no_pattern) {
  const std::string_view sentences[] = {
      "Harga RM25.50 pada 15/08/2024, pukul 3:30 petang, diskaun 30%!!!",
      "Hubungi 012-345 6789 atau emel ali@contoh.com.my; suhu 30°C, 10 km, 1/2 cawan",
      "He'd've paid $1.5K at 10:30 a.m. on 5 June 2024 for v2.1.3 of the NASA GUI sooo ha ha ha ha",
      "Rp1.500.000 atau Rp2,5 jt, *123# Gate 12, iPhone 15, Jalan Ampang 12/3, IC 900101-14-5678",
      "下午3:30开会，完成率达到85%，价格是RM1.5万，COVID19，A1-B2，1445H",
  };
  const std::string_view languages[] = {"ms", "id", "en", "zh", "zh_my"};
  Options options;
  for (int round = 0; round < 2; ++round) {
    const std::uint64_t before = regex::compile_count();
    for (auto lang : languages) {
      for (auto s : sentences) ASSERT_TRUE(normalize_with(s, lang, options).is_ok());
    }
    if (round == 1) { EXPECT_EQ(regex::compile_count(), before); }
  }
}

}  // namespace
}  // namespace kalvesta::pipeline
