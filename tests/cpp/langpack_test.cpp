// The language registry: code normalisation, refused codes, digit reading.
// The packs' words are checked through the passes and readings that use them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "langpack.h"
#include "result.h"

using namespace kalvesta;
using langpack::get_pack;
using langpack::try_get_pack;

namespace {

TEST(registry, normalises_codes) {
  struct Case { std::string_view in, want; };  // want: the pack code found, "" for none
  const Case cases[] = {
      {"  EN  ", "en"}, {"Zh_My", "zh_my"},
      {"\u3000id", "id"},  // ideographic space is White_Space
      {"zh-my", ""},       // no separator folding
      {"   ", ""},
      {"malay", ""},       // no aliases
      {"\u0130d", ""},     // "İ" lowercases to "i̇", not "i"
  };
  for (const auto& c : cases) {
    const langpack::LanguagePack* pack = try_get_pack(c.in);
    EXPECT_EQ(pack ? pack->code : "", c.want) << "[" << c.in << "]";
    EXPECT_EQ(langpack::is_supported(c.in), !c.want.empty()) << "[" << c.in << "]";
  }
  EXPECT_EQ(&get_pack(" zh_my "), &lang::zh::pack_zh_my());
  try {
    get_pack(" xx ");
    FAIL() << "no failure for an unregistered code";
  } catch (const InternalFailure& e) {
    EXPECT_STREQ(e.what(), "unsupported language:  xx ");
  }
}

TEST(speak_digit, only_ascii_digits) {
  EXPECT_EQ(get_pack("id").speak_digit(U'0'), "nol");
  EXPECT_EQ(get_pack("ms").speak_digit(U'\u0663'), "\u0663");  // anything else comes back as itself
  EXPECT_EQ(get_pack("zh").speak_digit(U'\uFF18'), "\uFF18");
}

}  // namespace
