// The stash: key alphabet, stash and put-back.
#include "stash.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalvesta::stash {
namespace {

TEST(idx_to_letters, bijective_base_26) {
  struct Case { std::size_t in; std::string_view want; };
  constexpr Case kCases[] = {{0, "a"}, {25, "z"}, {26, "aa"}, {27, "ab"}, {51, "az"},
                             {52, "ba"}, {215, "hh"}, {701, "zz"}, {702, "aaa"}};
  for (const auto& c : kCases) EXPECT_EQ(idx_to_letters(c.in), c.want) << c.in;
}

// A straightforward twin of the put-back: every key from the highest index
// down, each replaced everywhere as a plain substring.
std::string unstash_reference(std::string text, const std::vector<std::string>& stash) {
  for (std::size_t i = stash.size(); i-- > 0;) {
    const std::string key = std::string(KEY_PREFIX) + idx_to_letters(i);
    std::string out;
    std::size_t pos = 0, hit;
    while ((hit = text.find(key, pos)) != std::string::npos) {
      out.append(text, pos, hit - pos);
      out += stash[i];
      pos = hit + key.size();
    }
    out.append(text, pos);
    text = out;
  }
  return text;
}

TEST(stash, round_trip_keeps_every_placeholder_in_place) {
  for (std::size_t n : {1u, 27u, 703u, 1000u}) {
    std::string text;
    for (std::size_t i = 1; i <= n; ++i) text += "w <<<URL_" + std::to_string(i) + ">>> ";
    Stashed s = stash_placeholders(text);
    ASSERT_EQ(s.stash.size(), n);
    EXPECT_EQ(s.text.find('<'), std::string::npos);
    EXPECT_EQ(unstash_placeholders(s.text, s.stash), text) << n;
  }
}

TEST(stash, put_back_matches_the_key_by_key_rule) {
  std::vector<std::string> stash;
  for (int i = 0; i < 30; ++i) stash.push_back("<<<X_" + std::to_string(i) + ">>>");
  const std::string texts[] = {
      "entstasha entstashaa entstashab",
      "abcentstashb entstashbz entstash entstashzzz",
      "entstashaentstashb.entstashab!",
      "xx entstashd entstashdd",
  };
  for (const auto& t : texts) EXPECT_EQ(unstash_placeholders(t, stash), unstash_reference(t, stash)) << t;
}

TEST(stash, keys_touching_word_characters_are_set_apart) {
  struct Case { std::string_view in, want, want_ascii; };
  constexpr Case kCases[] = {
      {"x9<<<URL_1>>>B2", "x9 entstasha B2", "x9 entstasha B2"},
      {"(<<<URL_1>>>)", "(entstasha)", "(entstasha)"},
      {"ß<<<URL_1>>>é5", "ß entstasha é5", "ßentstashaé5"},
      {"中<<<URL_1>>>文", "中 entstasha 文", "中entstasha文"},
      {"<<<URL_1>>><<<EMAIL_2>>>", "entstasha entstashb", "entstasha entstashb"},
      {"<<<URL_1>>>xentstash", "entstasha entstashb", "entstasha entstashb"},
      // The prefix in any case, its "s" also the long s, is the caller's token.
      {"a xEnTsTaSh9 b", "a entstasha b", "a entstasha b"},
      {"a ent\u017Ftash b", "a entstasha b", "a entstasha b"},
      {"hastentstaENTSTASH", "entstasha", "entstasha"},
      {"a entstas b <<URL_1>>", "a entstas b <<URL_1>>", "a entstas b <<URL_1>>"},
      {"<<<<URL_1>>>> <<<x_2>>>", "<entstasha> <<<x_2>>>", "<entstasha> <<<x_2>>>"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(stash_placeholders(std::string(c.in)).text, c.want) << c.in;
    EXPECT_EQ(stash_placeholders(std::string(c.in), nullptr, Apart::ascii_alnum).text, c.want_ascii) << c.in;
  }
}

TEST(stash, only_what_the_owner_owns_becomes_a_key) {
  const Owns ours = [](std::string_view p) { return p == "<<<URL_1>>>" || p == "<<<A_B_22>>>"; };
  struct Case { std::string_view in, want; };
  constexpr Case kCases[] = {
      {"<<<URL_1>>> <<<URL_2>>> <<<<URL_1>>>>", "entstasha <<<URL_2>>> <entstashb>"},
      {"<<<URL_1>> <<<URL_1<<<A_B_22>>>", "<<<URL_1>> <<<URL_1 entstasha"},
      {"x<<<URL_1>>>entstash", "x entstasha entstashb"},
  };
  for (const auto& c : kCases) EXPECT_EQ(stash_placeholders(std::string(c.in), ours).text, c.want) << c.in;
}

}  // namespace
}  // namespace kalvesta::stash
