#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "misc_passes.h"

namespace mp = kalvesta::misc_passes;

namespace {

struct LangCase {
  std::string_view lang, in, want;
};

constexpr LangCase kUssd[] = {
    {"ms", "*123#", "star satu dua tiga hash"},
    {"zh", "*123#", "star 一 二 三 hash"},
    {"id", "*808#", "star delapan nol delapan hash"},
    {"ms", "Dail *123#sekarang", "Dail star satu dua tiga hashsekarang"},
    {"ms", "*100*2#", "*100star dua hash"},  // only the digits right before "#" are a code
    {"ms", "*#06#", "*#06#"},
};

TEST(expand_ussd, spells_codes) {
  for (const auto& c : kUssd) EXPECT_EQ(mp::expand_ussd(c.in, c.lang), c.want) << c.lang << " " << c.in;
}

constexpr LangCase kDigitContexts[] = {
    {"ms", "Gate 12", "Gate satu dua"},
    {"ms", "GATE   12", "GATE satu dua"},
    {"ms", "bus  no 7", "bus  no tujuh"},  // blanks inside the context word stay
    {"id", "flight 808", "flight delapan nol delapan"},
    {"en", "Office 365", "Office three six five"},
    {"en", "Gate 12 and Office 365", "Gate one two and Office three six five"},
    {"en", "Windows 10", "Windows 10"},  // product numbers need three digits
    {"ms", "Gate 12A", "Gate 12A"},      // the number must end a word
    {"ms", "Gateway 12", "Gateway 12"},  // the context must be a whole word
};

TEST(expand_digit_contexts, spells_context_numbers) {
  for (const auto& c : kDigitContexts)
    EXPECT_EQ(mp::expand_digit_contexts(c.in, c.lang), c.want) << c.lang << " " << c.in;
}

struct Case {
  std::string_view in, want;
};

constexpr Case kElongated[] = {
    {"sooo", "soo"},
    {"Sooo!!!", "Soo!!"},
    {"aaaa bbbb", "aa bb"},
    {"哈哈哈", "哈哈"},
    {"HELLOOO", "HELLOOO"},  // all capitals
    {"cooool2", "cooool2"},  // holds a digit
    {"!!!!", "!!!!"},        // no letters
    // numbers are never shortened: digits of any script, Chinese numerals
    {"一点一一一公斤哈哈哈", "一点一一一公斤哈哈"},
    {"二点零零零五公里", "二点零零零五公里"},
    {"一一一一年", "一一一一年"},  // 1111 read digit by digit
    {"nooo\uFF11\uFF11\uFF11", "noo\uFF11\uFF11\uFF11"},
    {"a  b\nc", "a b c"},    // re-joined with single blanks
    {" \t sooo\u00a0good \n", "soo good"},
    {" \t\n ", ""},
    {"", ""},
};

TEST(normalize_elongated, shortens_runs) {
  for (const auto& c : kElongated) EXPECT_EQ(mp::normalize_elongated(c.in), c.want) << c.in;
}

// Stash keys of index 215 ("hh") and 702 ("aaa") hold runs of three letters
// and must come through whole; only the text around them is shortened.
constexpr Case kElongatedKeys[] = {
    {"entstashhh", "entstashhh"},
    {"entstashaaa", "entstashaaa"},
    {"sooo entstashhh entstashaaa", "soo entstashhh entstashaaa"},
    {"(entstashhh)", "(entstashhh)"},
    {"entstashaaa!!!", "entstashaaa!!"},
    {"...entstashhh", "..entstashhh"},
    {"哈哈哈entstashhh", "哈哈entstashhh"},
    {"entstashaaa哈哈哈", "entstashaaa哈哈"},
    {"entstashhh哈哈哈entstashaaa", "entstashhh哈哈entstashaaa"},
};

TEST(normalize_elongated, keeps_stash_keys) {
  for (const auto& c : kElongatedKeys) EXPECT_EQ(mp::normalize_elongated(c.in), c.want) << c.in;
}

TEST(is_digit_word, strips_punctuation_and_case) {
  struct B {
    std::string_view in;
    bool want;
  };
  constexpr B kWords[] = {
      {"satu", true},    {"SATU", true},     {"lima!", true}, {",.point?", true},
      {"miliar", true},  {"ratusan", false}, {"12", false},   {"!!!", false},
      {"", false},       {"ha", false},      {"sa tu", false},
  };
  for (const auto& c : kWords) EXPECT_EQ(mp::is_digit_word(c.in), c.want) << c.in;
}

struct RepeatCase {
  std::uint64_t n;
  std::string_view in, want;
};

constexpr RepeatCase kRepeated[] = {
    {3, "ha ha ha ha", "ha ha ha, ha"},
    {3, "ha ha ha ha ha ha", "ha ha ha ha ha, ha"},  // one comma per run
    {3, "bla bla bla bla lagi", "bla bla bla, bla lagi"},
    {3, "ha ha ha hat", "ha ha ha, hat"},
    {3, "12 12 12 12", "12 12 12, 12"},
    {3, "ha ha ha", "ha ha ha"},                        // too few
    {3, "satu satu satu satu", "satu satu satu satu"},  // number words stay
    {3, "SATU SATU SATU SATU", "SATU SATU SATU SATU"},
    {3, "Ha ha ha ha", "Ha ha ha ha"},    // case differs
    {3, "ha  ha ha ha", "ha  ha ha ha"},  // two blanks break the run
    {1, "ha ha", "ha, ha"},
    {1, "ha ha ha", "ha ha, ha"},
    {0, "ha", "ha"},                   // a single word repeats nothing
    {1000000, "ha ha", "ha ha"},       // no pattern for such a count
};

TEST(insert_comma_repeated, commas_before_last_repetition) {
  for (const auto& c : kRepeated)
    EXPECT_EQ(mp::insert_comma_repeated(c.in, c.n), c.want) << c.n << " " << c.in;
}

TEST(insert_comma_repeated, keeps_stash_keys) {
  constexpr std::string_view keys[] = {"entstasha", "entstashhh", "entstashaaa"};
  for (std::string_view key : keys) {
    std::string k(key);
    std::string in = "ha ha ha ha" + k + " " + k + " " + k + " " + k + " " + k;
    std::string out = mp::insert_comma_repeated(in, 3);
    EXPECT_EQ(out, "ha ha ha, ha" + k + " " + k + " " + k + " " + k + ", " + k) << in;
  }
}

}  // namespace
