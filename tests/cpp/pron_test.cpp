#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "pron.h"

namespace kalvesta {
namespace {

Options options_from(std::string_view json) {
  Result<Options> r = Options::parse(json);
  EXPECT_TRUE(r.is_ok()) << json;
  return r.is_ok() ? r.value() : Options{};
}

std::string words_of(const std::vector<PronunciationPair>& pairs) {
  std::string out;
  for (const auto& [word, spoken] : pairs) out += (out.empty() ? "" : " ") + word + "=" + spoken;
  return out;
}

// The text the pairs make, or "error: " and the message.
std::string applied(std::string_view text, const std::vector<PronunciationPair>& pairs) {
  Result<std::string> r = pron::apply(std::string(text), pron::PairList(pairs), "ms");
  return r.is_ok() ? r.value() : "error: " + r.error();
}

struct ResolveCase { std::string_view json, lang, want; };

const ResolveCase kResolve[] = {
    {"", "ms",
     "ASCII=as key Datin=Datin Datuk=Datuk Dato=Dato IEEE=I triple E Prof=Profesor UiTM=U I T M WiFi=wi fi "
     "GIF=gif GUI=gooey Hjh=Hajah iOS=I O S Dr=Doktor Hj=Haji"},
    {"", "en", "ASCII=as key IEEE=I triple E UiTM=U I T M WiFi=wi fi GIF=gif GUI=gooey iOS=I O S"},
    {R"({"pronunciation_profile": "None", "pronunciations": {"*": {"ASCII": null, "IEEE": null, "UiTM": null,
        "WiFi": null, "GIF": null, "iOS": null}}})",
     "en", "GUI=gooey"},
    // A lower-case caller word is a pair of its own, sorted after "GUI".
    {R"({"pronunciation_profile": "none", "pronunciations": {"*": {"gui": "goo", "GUI": "gooey"}}})", "en",
     "GUI=gooey gui=goo"},
    // The language scope wins over "*", and a null removes the pair.
    {R"({"pronunciation_profile": "none", "pronunciations": {"*": {"GIF": "jif", "ab": "x"}, "ms": {"GIF": null}}})",
     "ms", "ab=x"},
    {R"({"pronunciation_profile": "none", "pronunciations": {"ms": {"ab": "y"}, "*": {"ab": "x"}}})", "ms", "ab=y"},
    // Scope keys are matched byte for byte against the call's code.
    {R"({"pronunciation_profile": "none", "pronunciations": {"MS": {"a": "b"}, "zh-my": {"c": "d"}}})", "ms", ""},
    // Equal lengths go in byte order: upper case before lower, ASCII before the rest.
    {R"({"pronunciation_profile": "none", "pronunciations": {"*": {"é": "1", "zz": "2", "Zz": "3", "zzz": "4"}}})",
     "en", "zzz=4 Zz=3 zz=2 é=1"},
};

TEST(pron, resolve_order_and_scopes) {
  for (const auto& c : kResolve) {
    EXPECT_EQ(words_of(options_from(c.json).resolve_pronunciations(c.lang)), c.want) << c.json << " / " << c.lang;
  }
}

struct ApplyCase { std::string_view lang, in, want; };

// The default pairs of a language.
const ApplyCase kDefaults[] = {
    {"ms", "Dr Ahmad dan DATUK Lee guna GUI", "Doktor Ahmad dan Datuk Lee guna gooey"},
    {"id", "Hjh Aminah dan HJ Ali", "Hajah Aminah dan Haji Ali"},
    {"en", "GUIs myGUI GUI-based gui", "GUIs myGUI gooey-based gooey"},
    {"en", "WIFI, wifi and WiFi.", "wi fi, wi fi and wi fi."},
    {"zh", "我用GUI软件", "我用gooey软件"},  // a Chinese character sets a word apart
};

TEST(pron, apply_default_pairs) {
  Options defaults;
  for (const auto& c : kDefaults) {
    EXPECT_EQ(applied(c.in, defaults.resolve_pronunciations(c.lang)), c.want) << c.lang << ": " << c.in;
  }
}

struct PairCase { std::string_view word, spoken, in, want; };

const PairCase kPairs[] = {
    // Replacements are templates.
    {"USD", "US$5", "5 USD", "5 US"}, {"USD", "US$$5", "5 USD", "5 US$5"},
    {"usd", "<${0}|$name>", "5 uSD", "5 <uSD|>"},
    // The word is matched literally, as a whole word.
    {"a.b", "X", "a.b axb", "X axb"},
    {"Ltd.", "Limited", "ABC Ltd. baru", "ABC Ltd. baru"},
    {"Ltd.", "Limited", "ABC Ltd.x", "ABC Limitedx"},
    {"(x", "y", "a (x b", "a (x b"},
    {"ab", "X", "ba a b", "ba a b"}, {"abc", "X", "aab AAbc abC", "aab AAbc X"},
    {"abc", "X", "a longer text: cab bca ABC abc_ aabcc abc", "a longer text: cab bca X abc_ aabcc X"}, {"IEEE", "X", "(ieee)", "(X)"}, {"a/L", "X", "A/l", "X"},
    // Case folding reaches beyond ASCII, in the text and in the word.
    {"kg", "kilo", "5 \u212Ag", "5 kilo"}, {"as", "X", "a\u017F b", "X b"},
    {"café", "kafe", "CAFÉ baru", "kafe baru"}, {"aé", "X", "a é", "a é"}, {"ké", "X", "\u212AÉ", "X"},
    {"k-9", "X", "\u212A-9 k_9", "X k_9"}, {"-9", "X", "\u212A_9", "\u212A_9"},
    // An empty word matches nothing instead of every word boundary.
    {"", "X", "a b", "a b"},
};

TEST(pron, apply_single_pairs) {
  for (const auto& c : kPairs) {
    std::vector<PronunciationPair> pairs{{std::string(c.word), std::string(c.spoken)}};
    EXPECT_EQ(applied(c.in, pairs), c.want) << c.word << " -> " << c.spoken << " in " << c.in;
  }
}

TEST(pron, later_pairs_see_earlier_output) {
  std::vector<PronunciationPair> pairs{{"ab cd", "x y"}, {"x", "z"}, {"z", "z z"}};
  EXPECT_EQ(applied("ab cd x", pairs), "z z y z z");
}

TEST(pron, many_distinct_words_and_repeats) {
  // More words than the pattern cache holds: results must not depend on it.
  // Words with "k" in a text holding the Kelvin sign cannot be ruled out
  // cheaply, so every one of them is compiled.
  std::vector<PronunciationPair> pairs;
  for (int i = 0; i < 6000; ++i) pairs.emplace_back("k" + std::to_string(i), "v" + std::to_string(i));
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(applied("k1 k5999 k6000 K42 \u212A7 é", pairs), "v1 v5999 k6000 v42 v7 é") << round;
  }
}

struct GrowthCase { std::vector<PronunciationPair> pairs; std::string text; bool fails; };

TEST(pron, growth_is_bounded) {
  // Each word read as two copies of the next shorter one: doubles per pair.
  std::vector<PronunciationPair> doubling;
  for (int n = 40; n > 1; --n) doubling.emplace_back(std::string(n, 'a'), std::string(n - 1, 'a') + " " + std::string(n - 1, 'a'));
  std::string many_x;
  for (int i = 0; i < 5000; ++i) many_x += "x ";
  const GrowthCase cases[] = {
      {doubling, std::string(40, 'a'), true},
      {{{"x", "xylophone"}}, many_x, false},  // ten times longer, still ordinary
      {{{"x", std::string(1000, 'y')}}, many_x, true},
      {{{"Hj", "Haji"}, {"Haji", "Haji Haji"}, {"Haji", "Tuan Haji"}}, "Hj Ali", false},
  };
  for (const auto& c : cases) {
    std::string got = applied(c.text, c.pairs);
    EXPECT_EQ(got.starts_with("error: pronunciation replacements for language 'ms' grew the text too far"), c.fails)
        << c.text.substr(0, 40) << " -> " << got.substr(0, 80);
  }
}

}  // namespace
}  // namespace kalvesta
