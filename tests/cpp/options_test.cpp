#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "options.h"

namespace kalvesta {
namespace {

Options parse_ok(std::string_view json) {
  Result<Options> r = Options::parse(json);
  EXPECT_TRUE(r.is_ok()) << json << " -> " << (r.is_ok() ? "" : r.error());
  return r.is_ok() ? r.value() : Options{};
}

struct ErrCase { std::string_view json, want; };

// Text that does not fit the options record, or is no JSON: fixed wordings and positions.
const ErrCase kMessages[] = {
    {R"({"bogus": 1})",
     "unknown field `bogus`, expected one of `profile`, `disable`, `pronunciation_profile`, "
     "`pronunciations` at line 1 column 8"},
    {R"({"profile": null, "profile": null})", "duplicate field `profile` at line 1 column 27"},
    {R"({"pronunciations": {"*": {}, "*": null}})", "duplicate field `*` at line 1 column 32"},
    {R"({"profile": 5})", "invalid type: integer `5`, expected a string at line 1 column 13"},
    {R"({"profile": -0})", "invalid type: floating point `-0.0`, expected a string at line 1 column 14"},
    {R"([1e3])", "invalid type: floating point `1000.0`, expected a string at line 1 column 4"},
    {R"({"profile": {}})", "invalid type: map, expected a string at line 1 column 12"},
    {R"({"disable": null})", "invalid type: null, expected a sequence at line 1 column 16"},
    {R"({"disable": "a\"b\n\\"})", R"(invalid type: string "a\"b\n\\", expected a sequence at line 1 column 22)"},
    {R"({"pronunciations": null})", "invalid type: null, expected struct PronunciationScopes at line 1 column 23"},
    {R"({"pronunciations": {"*": {"GUI": 5}}})", "invalid type: integer `5`, expected a string at line 1 column 34"},
    // A language scope is checked once the whole object has been read.
    {R"({"pronunciations": {"ms": null}})", "invalid type: null, expected a map at line 1 column 31"},
    {R"({"pronunciations": {"ms": {"Dr": [1]}, "en": 1}})", "invalid type: sequence, expected a string at line 1 column 47"},
    {"5", "invalid type: integer `5`, expected struct Options at line 1 column 1"},
    {R"("x")", R"(invalid type: string "x", expected struct Options at line 1 column 3)"},
    {R"([null, [], null, {}, 5])", "trailing characters at line 1 column 22"},
    // Malformed JSON.
    {"{", "EOF while parsing an object at line 1 column 1"},
    {R"({"profile": )", "EOF while parsing a value at line 1 column 12"},
    {R"({"profile": "x)", "EOF while parsing a string at line 1 column 14"},
    {R"([null, [], null, {})", "EOF while parsing a list at line 1 column 19"},
    {R"([null, [], null, {},)", "trailing characters at line 1 column 20"},
    {"{}\n\n ]", "trailing characters at line 3 column 2"},
    {R"({"profile": "a",})", "trailing comma at line 1 column 17"},
    {"{1: 2}", "key must be a string at line 1 column 2"},
    {R"({"profile" "a"})", "expected `:` at line 1 column 12"},
    {R"({"profile": "a" "b"})", "expected `,` or `}` at line 1 column 17"},
    {R"({"profile": x})", "expected value at line 1 column 13"},
    {"\xC2\xA0{}", "expected value at line 1 column 1"},      // a no-break space is not JSON whitespace
    {"\xEF\xBB\xBF{}", "expected value at line 1 column 1"},  // nor is a byte-order mark
    {R"({"profile": nul})", "expected ident at line 1 column 16"},
    {R"({"profile": "\x"})", "invalid escape at line 1 column 15"},
    {"{\"profile\": \"a\tb\"}", "control character (\\u0000-\\u001F) found while parsing a string at line 1 column 15"},
    {R"({"profile": 01})", "invalid number at line 1 column 14"},
    {R"({"profile": 1e400})", "number out of range at line 1 column 17"},
};

TEST(options_parse, messages) {
  for (const auto& c : kMessages) {
    Result<Options> r = Options::parse(c.json);
    ASSERT_FALSE(r.is_ok()) << c.json;
    EXPECT_EQ(r.error(), "invalid options JSON: " + std::string(c.want)) << c.json;
  }
}

std::string nested(std::size_t depth) {
  return R"({"pronunciations": {"ms": )" + std::string(depth, '[') + std::string(depth, ']') + "}}";
}

TEST(options_parse, recursion_limit) {
  // Two objects plus 126 arrays make 128 open containers: refused at the last "[".
  Result<Options> deep = Options::parse(nested(126));
  ASSERT_FALSE(deep.is_ok());
  EXPECT_EQ(deep.error(), "invalid options JSON: recursion limit exceeded at line 1 column 152");
  // One fewer nests fine; the misfit scope is what gets reported.
  Result<Options> shallow = Options::parse(nested(125));
  ASSERT_FALSE(shallow.is_ok());
  EXPECT_EQ(shallow.error(), "invalid options JSON: invalid type: sequence, expected a map at line 1 column 277");
  // Far deeper input is refused just the same, without recursion in the decoder.
  EXPECT_FALSE(Options::parse(nested(100000)).is_ok());
}

TEST(options_parse, blank_text_gives_defaults) {
  for (std::string_view json : {"", "   ", "\n\t", "\xC2\xA0\xC2\xA0", "\xE3\x80\x80"}) {
    Options o = parse_ok(json);
    EXPECT_FALSE(o.profile) << json;
    EXPECT_TRUE(o.disable.empty()) << json;
    EXPECT_FALSE(o.pronunciations.global) << json;
  }
}

TEST(options_parse, fields_and_forms) {
  Options o = parse_ok(R"( {"profile": "basic", "disable": ["x", "y"], "pronunciation_profile": "none",
                           "pronunciations": {"*": {"GUI": "gui", "GIF": null}, "ms": {"Dr": "Dokter"}}} )");
  EXPECT_EQ(o.profile, "basic");
  EXPECT_EQ(o.disable, (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(o.pronunciation_profile, "none");
  ASSERT_TRUE(o.pronunciations.global);
  EXPECT_EQ(o.pronunciations.global->at("GUI"), "gui");
  EXPECT_EQ(o.pronunciations.global->at("GIF"), std::nullopt);
  EXPECT_EQ(o.pronunciations.per_language.at("ms").at("Dr"), "Dokter");

  Options arr = parse_ok(R"(["minimal", ["dates"], null, {"en": {}}])");
  EXPECT_EQ(arr.profile, "minimal");
  EXPECT_EQ(arr.disable, (std::vector<std::string>{"dates"}));
  EXPECT_FALSE(arr.pronunciation_profile);
  EXPECT_EQ(arr.pronunciations.per_language.count("en"), 1u);

  EXPECT_FALSE(parse_ok("[]").profile);
  EXPECT_FALSE(parse_ok(R"({"profile": null, "pronunciations": {"*": null}})").pronunciations.global);
}

TEST(options_parse, repeats_inside_pronunciations_keep_the_last) {
  Options o = parse_ok(R"({"pronunciations": {"ms": {"a": "1", "b": "2"}, "ms": {"a": "3", "a": "4"}}})");
  const PronunciationScope& ms = o.pronunciations.per_language.at("ms");
  EXPECT_EQ(ms.size(), 1u);  // the later scope replaces the earlier one whole
  EXPECT_EQ(ms.at("a"), "4");
}

TEST(options_parse, strings_are_decoded) {
  Options o = parse_ok(R"({"disable": ["\u00e9\ud83d\ude00\n", "\/"]})");
  EXPECT_EQ(o.disable, (std::vector<std::string>{"\xC3\xA9\xF0\x9F\x98\x80\n", "/"}));
}

// How a found string is quoted in a message.
const ErrCase kFound[] = {
    {R"(["\u00a0"])", R"(string "\u{a0}")"},
    {R"(["e\u0301"])", R"(string "e\u{301}")"},
    {R"(["\ue000 \u200d"])", R"(string "\u{e000} \u{200d}")"},  // private use, joiner
};

TEST(options_parse, found_strings_are_quoted_with_escapes) {
  for (const auto& c : kFound) {
    std::string json = R"({"disable": )" + std::string(c.json).substr(1, c.json.size() - 2) + "}";
    Result<Options> r = Options::parse(json);
    ASSERT_FALSE(r.is_ok()) << json;
    EXPECT_NE(r.error().find("invalid type: " + std::string(c.want) + ", expected a sequence"), std::string::npos)
        << json << " -> " << r.error();
  }
}

struct EnabledCase { std::string_view json, key; bool want; };

const EnabledCase kEnabled[] = {
    {"", "dates", true},
    {R"({"profile": "basic"})", "dates", false},
    {R"({"profile": "basic"})", "pronunciation_overrides", false},
    {R"({"profile": "minimal"})", "acronyms", false},
    {R"({"profile": "minimal"})", "unknown_key", true},
    {R"({"profile": "Minimal"})", "acronyms", true},
    {R"({"profile": "other"})", "dates", true},
    {R"({"disable": ["special_chars"]})", "special_chars", false},
    {R"({"disable": ["Special_Chars"]})", "special_chars", true},
    {R"({"disable": ["dates "]})", "dates", true},
};

TEST(options, is_enabled) {
  for (const auto& c : kEnabled) {
    EXPECT_EQ(parse_ok(c.json).is_enabled(c.key), c.want) << c.json << " / " << c.key;
  }
}

}  // namespace
}  // namespace kalvesta
