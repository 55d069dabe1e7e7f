// English normaliser, year reading, pronunciation overrides and acronyms.
#include "normalize_en.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using namespace kalvesta;
using namespace kalvesta::normalize_en;

struct Case {
  std::string_view in, want;
};

void expect_english(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c)
    EXPECT_EQ(normalize_english(c->in), c->want) << "input: " << c->in;
}
#define EXPECT_ENGLISH(table) expect_english(std::begin(table), std::end(table))

constexpr Case kDates[] = {
    {"25/12/99", "twenty-fifth of December, ninety-nine"},
    {"31/05/20", "thirty-first of May, twenty"},
    {"05/03/24", "fifth of March, twenty-four"},
    {"1.2.2003", "first of February, two thousand and three"},
    {"3-07-1999", "third of July, one thousand, nine hundred and ninety-nine"},
    // no month 13 or 0, no day 0: not a date, its numbers read apart
    {"11/17/05", "eleven/seventeen/five"},
    {"10/00/21", "ten/zero/twenty-one"},
    {"00/05/20", "zero/five/twenty"},
};
TEST(normalize_english, dates) { EXPECT_ENGLISH(kDates); }

constexpr Case kMoney[] = {
    {"$5.5", "five dollar fifty cents"},  // the entity speller's words
    {"$5.50", "five dollar fifty cents"},
    {"$5.0", "five dollar"},
    {"$5.00", "five dollar"},
    {"€2.05", "two euro five cents"},
    {"EUR 10", "ten euro"},
    {"GBP 2.50", "two pound fifty pence"},
    {"rm5", "five ringgit"},
    {"MYR 20", "twenty ringgit"},
    {"$2", "two dollar"},  // the unit word is never pluralised
    {"RM1,234.56", "one thousand, two hundred and thirty-four ringgit fifty-six sen"},
    {"$5,50", "five hundred and fifty dollar"},  // a comma is never a decimal sign here
    // with a scale word the fraction is read digit by digit, never dropped
    {"$5.00 million", "five point zero zero million dollar"},
    {"USD 3 Billion", "three billion dollar"},
    {"£1.5 thousand", "one point five thousand pound"},
    {"$20.500", "twenty point five zero zero dollar"},  // more decimals than cents: one number
    {"US$5", "US$five"},  // a symbol directly after a letter is no amount
    {"$,x", "$,x"},       // bare commas carry no amount: left as written
};
TEST(normalize_english, money) { EXPECT_ENGLISH(kMoney); }

TEST(normalize_english, money_with_scale_suffix) {
  // The scale suffix is expanded to digits before the money pass.
  EXPECT_EQ(normalize_english("$2M"), "two million dollar");
}

constexpr Case kTimes[] = {
    {"7:30pm", "seven thirty p m"},
    {"7:30 pm", "seven thirty p m"},
    {"10.15 a.m.", "ten fifteen a m"},
    {"7:00 PM", "seven p m"},
    {"12:00pm", "twelve p m"},
    {"7pm", "seven p m"},
    {"11 am", "eleven a m"},
    {"0:00", "midnight"},
    {"12:00", "noon"},
    {"9:05", "nine five"},
    {"13:45", "thirteen forty-five"},
    {"7:00", "seven"},
    {"99:99", "ninety-nine ninety-nine"},
    // a dotted meridian at the end has no word boundary after it
    {"7 p.m.", "seven p.m."},
    {"10:30\npm", "ten thirty p m"},  // the meridian may follow on the next line
    // h:mm:ss is one time, its seconds read
    {"1:01:01", "one one one"},
    {"7:00:05 PM", "seven zero five p m"},
};
TEST(normalize_english, times) { EXPECT_ENGLISH(kTimes); }

// A time with a "%" later on its own line is not read as a time.
constexpr Case kTimesBeforePercent[] = {
    {"10:30 50%", "ten:thirty fifty percent"},
    {"10:30\n50%", "ten thirty fifty percent"},
    {"5% at 10:30", "five percent at ten thirty"},
    {"1:05 2:10 3%", "one:five two:ten three percent"},
    {"1:05 5% 2:10", "one:five five percent two ten"},
    {"1:05 5%\n2:10 x\n3:15 7%", "one:five five percent two ten x three:fifteen seven percent"},
};
TEST(normalize_english, times_before_percent) { EXPECT_ENGLISH(kTimesBeforePercent); }

TEST(normalize_english, many_times_on_one_line) {
  std::string in, want;
  for (int i = 0; i < 3000; ++i) {
    in += "1:05 ";
    want += "one five ";
  }
  EXPECT_EQ(normalize_english(in + "and 2:10"), want + "and two ten");
  EXPECT_EQ(normalize_english(in + "9%").substr(0, 18), "one:five one:five ");
}

constexpr Case kNumbers[] = {
    {"12.5%", "twelve point five percent"},
    {"up .5%", "up point five percent"},
    {"1,000%", "one thousand percent"},
    {"3.14", "three point one four"},
    {"0.05", "zero point zero five"},
    {"+60-123-4567", "plus six zero dash one two three dash four five six seven"},
    {"2020-2021", "two zero two zero dash two zero two one"},
    {"21st", "twenty-first"},
    {"3RD", "third"},
    {"2th", "second"},  // the suffix is not checked against the number
    {"100th", "one hundredth"},
    {"1,000th", "one thousandth"},
    {"2,021st", "two thousand and twenty-first"},
    {".5", "point five"},
    {"1,234", "one thousand, two hundred and thirty-four"},
    {"12,345,678", "twelve million, three hundred and forty-five thousand, six hundred and seventy-eight"},
    {"1,23", "one,twenty-three"},
    {"12345", "one two three four five"},
    {"2024", "twenty twenty-four"},
    {"2000", "two thousand"},
    {"1900", "nineteen hundred"},
    {"1000", "ten hundred"},
    {"2099", "twenty ninety-nine"},
    {"2100", "two thousand, one hundred"},
    {"999", "nine hundred and ninety-nine"},
    {"0123", "one hundred and twenty-three"},
    {"0999", "nine hundred and ninety-nine"},
    {"\xD9\xA1\xD9\xA2", "zero"},  // two Arabic-Indic digits: four bytes, value 0
};
TEST(normalize_english, numbers) { EXPECT_ENGLISH(kNumbers); }

constexpr Case kMixed[] = {
    {"mp3", "M P three"},
    {"x86_64", "X eight six six four"},
    {"4G", "four G"},
    {"\xC3\x9F" "2", "SS two"},  // full upper-case mapping
    {"COVID-19", "COVID-nineteen"},
    {"abc", "abc"},
    {"entstasha 5", "entstasha five"},
    {"entstashc_9", "entstashc_9"},  // a stash key is never spelled out
};
TEST(normalize_english, mixed_tokens) { EXPECT_ENGLISH(kMixed); }

constexpr Case kWords[] = {
    {"I'm sure you'll see", "I am sure you will see"},
    {"can't", "cannot"},
    {"won't", "will not"},
    {"Don't go", "do not go"},
    {"DON'T", "do not"},
    {"i'm", "I am"},
    {"he'd've", "he would have"},
    {"don\xE2\x80\x99t", "don\xE2\x80\x99t"},  // typographic apostrophe
    {"it's 5", "it is five"},
    {"IT'S", "it is"},
    {"it'\u017F", "it is"},  // long s folds to "s": the row must not be skipped
    {"Mr. Tan's", "mister Tan's"},
    {"Mr. and Mrs. Tan", "mister and misess Tan"},
    {"ABC Co. Ltd.", "ABC company limited"},
    {"6 ft.", "six fort"},
    {"Mr Tan", "Mr Tan"},
    {"Gen. Lee, Col. Sanders and Lt. Dan", "general Lee, colonel Sanders and lieutenant Dan"},
    {"CAPT. X", "captain X"},
    {"E\u017Fq. x", "esquire x"},
    {"Ms. X end.", "Ms. X end."},
    {"Dr.Lee", "doctor Lee"},  // the two words stay apart
    {"Dr.entstasha", "doctor entstasha"},
    {"XYZ Sdn. Bhd.", "XYZ sendirian berhad"},
    {"SDN  BHD", "sendirian berhad"},
    {"sdn\nbhd", "sendirian berhad"},
    {"Sdn.Bhd.", "Sdn.Bhd."},
    {"  a\n\nb\t", "a b"},
    {" \n\t ", ""},
};
TEST(normalize_english, word_rewrites) { EXPECT_ENGLISH(kWords); }

TEST(render_year, readings) {
  struct YearCase {
    unsigned year;
    std::string_view want;
  };
  constexpr YearCase cases[] = {
      {1905, "nineteen oh five"},    {2005, "twenty oh five"},  {1999, "nineteen ninety-nine"},
      {2010, "twenty ten"},          {2000, "two thousand"},    {1900, "nineteen hundred"},
      {1000, "ten hundred"},         {2099, "twenty ninety-nine"},
  };
  for (const auto& c : cases) EXPECT_EQ(render_year(c.year), c.want) << "year: " << c.year;
}

struct LangCase {
  std::string_view in, lang, want;
};
constexpr LangCase kOverrides[] = {
    {"Twenty-Three", "en", "twenty tree"},
    {"THREE", "en", "three"},
    {"twenty-eight", "en", "twenty, eight"},
    {"Cut-off", "ms", "kad off"},
    {"NUMBER", "en", "number"},
    {"a/l", "ms", "anak lelaki"},
    {"A/P", "ms", "anak perempuan"},
    {"1Malaysia", "ms", "satu malaysia"},
    {"Sdn Bhd", "ms", "sendirian berhad"},
    {"sdn. bhd.", "en", "sendirian berhad"},
    {"500mg", "ms", "500 milligram"},
    {"500mg", "en", "500 milligram"},
    {"500mg", "id", "500 milligram"},
    {"500mg", "zh", "500mg"},
    {"500mg", "zh_my", "500mg"},
    {"10mgx", "en", "10mgx"},
    {"5 KG", "en", "5 kilogram"},
    {"64gb", "id", "64 gigabyte"},
    // the whole number stays, a decimal comma as a point
    {"1,5 kg", "ms", "1.5 kilogram"},
    {"1,000 kg", "en", "1,000 kilogram"},
    {"1,234.5mg", "en", "1,234.5 milligram"},
    {"1,0005 GB", "ms", "1.0005 gigabyte"},
    {"No. 7", "en", "number 7"},
    {"No. 7", "ms", "nombor 7"},
    {"no. 7", "id", "nomor 7"},
    {"No.\t7", "zh", "number 7"},
    {"No.7", "en", "No.7"},
    {"No. 7", "MS", "number 7"},  // the code is compared as given
};
TEST(apply_pronunciation_overrides, per_language) {
  for (const auto& c : kOverrides)
    EXPECT_EQ(apply_pronunciation_overrides(c.in, c.lang), c.want) << "input: " << c.in << " [" << c.lang << "]";
}

constexpr Case kLetterPeriods[] = {
    {"U.S.A.", "U S A"},
    {"U.S.A..", "U S A"},
    {"e.g. this", "e g this"},
    {"A.B", "A.B"},
    {"e-mail", "e mail"},
    {"GUI-based", "G U I based"},
    {"COVID-19", "covid-19"},
    {"I.B.M. and FBI", "I B M and F B I"},
    {"SDN BHD", "sendirian berhad"},
    {"ABCDEFGHIJK", "ABCDEFGHIJK"},
    {"NaSA", "NaSA"},
    {"entstasha-entstashb", "entstasha entstashb"},
};
TEST(replace_letter_period_sequences, rewrites) {
  for (const auto& c : kLetterPeriods)
    EXPECT_EQ(replace_letter_period_sequences(c.in), c.want) << "input: " << c.in;
}

constexpr Case kAcronyms[] = {
    {"NASA", "NASA"},
    {"PLUS", "PLUS"},
    {"SDN", "sendirian"},
    {"BHD", "berhad"},
    {"AI", "A I"},
    {"GPU", "G P U"},
    {"UITM", "U I T M"},
    {"IIUM", "I I U M"},
    {"NATO", "nato"},
    {"SONY", "sony"},      // a final Y counts as a vowel
    {"ABBY", "abby"},
    {"ASEAN", "asean"},    // 3 of 5: the upper bound is inclusive
    {"BCDAEIFGHJ", "bcdaeifghj"},  // 3 of 10: the lower bound is inclusive
    {"UNESCO", "unesco"},
    {"YOUTUBE", "youtube"},
    {"XBOX", "X box"},
    {"STRENGTH", "S trength"},
    {"STRONG", "S trong"},
    {"STRANGE", "S T R A N G E"},  // 2 of 7, and it ends in a vowel
    {"IKEA", "I K E A"},
    {"AREA", "A R E A"},
    {"YAYA", "Y A Y A"},   // no letter outside the vowels and Y
    {"SYZYGY", "S Y Z Y G Y"},
    {"FBI", "F B I"},
    {"HTML", "H T M L"},
    {"OK", "O K"},
};
TEST(expand_acronym, readings) {
  for (const auto& c : kAcronyms) EXPECT_EQ(expand_acronym(c.in), c.want) << "input: " << c.in;
}

}  // namespace
