// The rule passes: one table for the five language normalisers, one for the
// passes the driver runs around them.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "misc_passes.h"
#include "normalize.h"
#include "normalize_en.h"
#include "normalize_id.h"
#include "normalize_zh.h"
#include "shared.h"
#include "stash.h"
#include "test_util.h"
#include "unicode.h"

namespace kalvesta {
namespace {

using test::Row;

// `count` texts of one to `most` tokens, each token followed by one of `joins`.
template <std::size_t T, std::size_t J>
std::vector<std::string> mixes(const char* const (&tokens)[T], const char* const (&joins)[J], int count, unsigned most,
                               unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::string> out;
  for (int k = 0; k < count; ++k) {
    std::string text;
    for (std::size_t n = rng() % most + 1; n > 0; --n) {
      text += tokens[rng() % T];
      text += joins[rng() % J];
    }
    out.push_back(std::move(text));
  }
  return out;
}

std::string by_language(std::string_view text, std::string_view lang) {
  if (lang == "ms") return normalize::normalize_malay(text);
  if (lang == "id") return normalize_id::normalize_indonesian(text);
  if (lang == "en") return normalize_en::normalize_english(text);
  return normalize_zh::normalize_zh_variant(text, lang == "zh_my");
}

const Row kLanguage[] = {
    // ---- money ----
    {"ms", "rm 5", "lima ringgit"},
    {"ms", "RM5.5", "lima ringgit lima puluh sen"},  // one fraction digit is tens of sen
    {"ms", "RM12,50", "seribu dua ratus lima puluh ringgit"},  // a comma is never a decimal sign
    {"ms", "RM20.500", "dua puluh perpuluhan lima kosong kosong ringgit"},  // more decimals than sen
    {"ms", "£1.25", "satu pound dua puluh lima pence"},
    {"ms", "$1.25", "satu dollar dua puluh lima cents"},  // the entity speller's words
    {"ms", "RM1.5万", "satu perpuluhan lima 万 ringgit"},  // a Chinese scale is kept, the amount read whole
    {"ms", "RM1.5K", "seribu lima ratus ringgit"},  // scale suffix expanded first
    {"ms", "RM340,282,366,920,938,463,463,374,607,431,768,211,455", "terlalu besar ringgit"},
    {"ms", "RM340282366920938463463374607431768211456K", "tiga empat kosong dua lapan dua tiga enam enam sembilan dua kosong sembilan tiga lapan empat enam tiga empat enam tiga tiga tujuh empat enam kosong tujuh empat tiga satu tujuh enam lapan dua satu satu empat lima enam kosong kosong kosong ringgit"},  // past 128 bits: digit by digit
    {"ms", "XRM5", "X R M lima"},  // the code is inside a word
    {"id", "Rp 10.000,50", "sepuluh ribu rupiah lima nol sen"},
    {"id", "Rp5.00", "lima rupiah nol nol sen"},  // fractions always read digit by digit
    {"id", "Rp2,5 miliar", "dua miliar lima ratus juta rupiah"},
    {"id", "价格$5.50万", "价格lima koma lima nol 万 dolar"},
    {"en", "$5.5", "five dollar fifty cents"},  // the entity speller's words
    {"en", "€2.05", "two euro five cents"},
    {"en", "RM1,234.56", "one thousand, two hundred and thirty-four ringgit fifty-six sen"},
    {"en", "$.5 million", "zero point five million dollar"},  // a leading dot, as ‘$0.5’
    {"en", "$20.500", "twenty point five zero zero dollar"},
    {"en", "价格$5.50万", "价格five point five zero 万 dollar"},
    {"en", "US$5", "US$five"},  // a symbol right after a letter is no amount
    {"en", "$,x", "$,x"}, {"zh", "$,", "$,"}, {"zh_my", "RM, 5", "RM, 五"}, {"zh", "$5", "五美元"}, {"zh_my", "$5", "五美金"}, {"zh_my", "£2.05", "二英磅五仙"},
    {"zh", "$5千万", "五千万美元"},  // the longest scale word
    {"zh", "$.5 million", "五十万美元"}, {"zh", "RM1.5万", "一点五万令吉"},
    {"zh", "$2.5 billion", "二十五亿美元"},  // an English scale word is part of the amount
    {"zh_my", "RM1,234.5 thousand", "一百二十三万四千五百令吉"},
    {"zh", "RM20.500", "二十点五零零令吉"}, {"zh_my", "$1.\uFF15", "一美金零仙"},
    // ---- dates ----
    {"ms", "05/03/24", "lima Mac dua puluh empat"},
    {"ms", "2024/1/5", "lima Januari dua ribu dua puluh empat"},
    {"ms", "5/13/2024", "lima/tiga belas/dua ribu dua puluh empat"},  // no month 13: not a date
    {"id", "17.08.2024", "tujuh belas Agustus dua ribu dua puluh empat"},
    {"en", "25/12/99", "twenty-fifth of December, ninety-nine"},
    {"en", "3-07-1999", "third of July, one thousand, nine hundred and ninety-nine"},
    {"en", "11/17/05", "eleven/seventeen/five"},
    {"zh", "12/25/2024", "二零二四年十二月二十五日"},  // month first
    {"zh", "13/13/2024", "十三/十三/二零二四"}, {"zh", "5.6.24", "二四年六月五日"},
    // ---- times ----
    {"ms", "10:00", "sepuluh"}, {"ms", "0:00", "tengah malam"},
    {"ms", "10:30pm", "sepuluh tiga puluh p m"},
    {"ms", "10.30 Malam", "sepuluh tiga puluh Malam"},
    {"ms", "9:15 a.m.", "sembilan lima belas a.m."},
    {"ms", "17pm", "tujuh belas petang"}, {"ms", "18pm", "lapan belas malam"},
    {"ms", "10:30 to 50%", "sepuluh:tiga puluh to lima puluh peratus"},  // a later "%" stops the clock
    {"ms", "10:30\n50%", "sepuluh tiga puluh\nlima puluh peratus"},
    {"id", "3.14", "tiga empat belas"},  // two digits after a dot read as a clock time
    {"id", "10.30 pm", "sepuluh tiga puluh sore"},
    {"id", "19:30 pm", "sembilan belas tiga puluh malam"},
    {"id", "7:00:05 pagi", "tujuh nol lima pagi"},
    {"id", "12,50 dan 10%", "dua belas koma lima nol dan sepuluh persen"},
    {"id", "12,50\n10%", "dua belas koma lima nol\nsepuluh persen"},  // a comma decimal is never a time
    {"id", "Rp12,50", "dua belas rupiah lima nol sen"},
    {"en", "7:00 PM", "seven p m"}, {"en", "0:00", "midnight"}, {"en", "12:00", "noon"},
    {"en", "7 p.m.", "seven p.m."}, {"en", "10:30\npm", "ten thirty p m"},
    {"en", "7:00:05 PM", "seven zero five p m"},
    {"en", "1:05 5%\n2:10 x\n3:15 7%", "one:five five percent two ten x three:fifteen seven percent"},
    {"zh", "0:00", "凌晨十二点"}, {"zh", "12:00", "中午十二点"}, {"zh", "9:05", "九点五分"}, {"zh", "8.15am", "上午八点十五分"},
    {"zh", "3pm", "下午三点"}, {"zh", "下午3:00:05", "下午三点零分五秒"}, {"zh", "3:30%", "三:百分之三十"},
    // ---- numbers and percentages ----
    {"ms", "0.05%", "kosong perpuluhan kosong lima peratus"},
    {"ms", ".5%", "perpuluhan lima peratus"},
    {"ms", "012-3456789", "kosong satu dua tiga empat lima enam tujuh lapan sembilan"},
    {"ms", "1-2", "dua belas"},
    {"ms", "3\t4", "tiga\tempat"},  // only spaces join digit groups
    {"ms", "12345", "satu dua tiga empat lima"},
    {"ms", "١٢٣", "kosong kosong kosong"},  // five or more bytes: per character
    {"id", "1,234%", "satu koma dua tiga empat persen"},
    {"id", "1.500.000", "satu juta lima ratus ribu"},
    {"id", "1.25 kilogram", "satu koma dua lima kilogram"},  // the unit rewrite's ‘1.25 kg’: no time
    {"en", "up .5%", "up point five percent"},
    {"en", "+60-123-4567", "plus six zero dash one two three dash four five six seven"},
    {"en", "21st", "twenty-first"}, {"en", "2th", "second"}, {"en", "1,000th", "one thousandth"},
    {"en", "340282366920938463463374607431768211456th",
     "three four zero two eight two three six six nine two zero nine three eight four six three four six three three "
     "seven four six zero seven four three one seven six eight two one one four five six T H"},
    {"ms", "1,000th", "satu kosong kosong kosong T H"},  // no ordinal pass: read as ‘1000th’
    {"en", "12,345km2", "one two three four five K M two"},
    {"en", "2,021st", "two thousand and twenty-first"},
    {"en", "1,23", "one,twenty-three"}, {"en", "2024", "twenty twenty-four"}, {"en", "1905", "nineteen oh five"},
    {"en", "0123", "one hundred and twenty-three"},
    // no grouped number starts with a lone zero: its comma is a decimal mark
    {"ms", "0,001", "kosong perpuluhan kosong kosong satu"},
    {"en", "0,001 or 12,345,678", "zero point zero zero one or twelve million, "
     "three hundred and forty-five thousand, six hundred and seventy-eight"},
    {"zh", "0,250 hours", "零点二五零 hours"}, {"zh_my", "0,050%", "零点零五零巴仙"},
    {"zh", "50%", "百分之五十"}, {"zh_my", "12.5%", "十二点五巴仙"}, {"zh", ".5%", "百分之零点五"}, {"zh_my", "1,000.5%", "一千点五巴仙"},
    {"zh", "9007199254740993%", "百分之九千零七兆一千九百九十二亿五千四百七十四万零九百九十三"},
    {"zh", "340282366920938463463374607431768211456%", "百分之三四零二八二三六六九二零九三八四六三四六三三七四六零七四三一七六八二一一四五六"},
    {"zh", "1,234.05", "一千二百三十四点零五"}, {"zh", "012-3456", "零 一 二 三 四 五 六"}, {"zh", "\u0663-\u0664", "零 零"},
    {"zh", "x12-34", "x 一二 三 四"}, {"zh", "12345678901234567", "太大"}, {"zh", "  我有3个苹果 \n", "我有三个苹果"},
    // ---- mixed tokens and words ----
    {"ms", "covid-19", "covid-sembilan belas"},
    {"ms", "ß1", "SS satu"},
    {"ms", "entstasha 5 entstashb", "entstasha lima entstashb"},
    {"en", "x86_64", "X eight six six four"},
    {"en", "entstashc_9", "entstashc_9"},  // a stash key is never spelled out
    {"en", "I'm sure you'll see", "I am sure you will see"},
    {"en", "don\u2019t", "don\u2019t"},
    {"en", "it'\u017F", "it is"},  // long s folds to "s"
    {"en", "Mr. Tan's", "mister Tan's"}, {"en", "6 ft.", "six fort"}, {"en", "Ms. X end.", "Ms. X end."},
    {"en", "Dr.entstasha", "doctor entstasha"},
    {"en", "SDN  BHD", "sendirian berhad"}, {"en", "Sdn.Bhd.", "Sdn.Bhd."}, {"en", " \n\t ", ""},
    {"zh", "A1-B2", "A 一 B 二"}, {"zh", "abc\u0663", "a b c零"},
    {"zh", "entstashab-B2", "entstashab-B 二"},
    {"zh", "entstashpm 3 entstasham", "entstashpm 三 entstasham"},
};

TEST(passes, language_normalisers) { test::expect_rows(by_language, kLanguage); }

// A pass that names neighbours its matches hold is skipped where near_of
// finds none of them, or where the text lacks what its needs name: on every
// table input and on mixed fragments, the pattern then finds nothing either.
TEST(passes, pass_gates_refuse_only_what_cannot_match) {
  const char* fragments[] = {
      "10", "5", "0", ":", ".", ",", "/", "-", " ", "\t", "\u00A0", "pm", "a.m.", "rb", "jt", "nd", "th", "ST",
      "\u0663", "\u017Ft", "%", "x", "Rp", "ribu", "1,500", "3.14", "malam", "tengah hari", "\n", "RM", "K", "\u212A", "$", "\u00a3",
      "Rb", "jT", "r", "j", "b", "\u3000", "5/3/24", "2024-03-05", "1.5.",
  };
  const char* joins[] = {"", "", " ", "  "};
  std::vector<std::string> texts = mixes(fragments, joins, 4000, 7, 3);
  for (const Row& r : kLanguage) texts.emplace_back(r.in);
  std::size_t refused = 0;
  for (auto table : {normalize::malay_passes(), normalize_id::indonesian_passes(true),
                     normalize_id::indonesian_passes(false), normalize_en::english_passes()}) {
    for (const rules::Pass& p : table) {
      const regex::Regex& re = p.head ? **p.head : *p.re;
      for (const std::string& t : texts) {
        if ((rules::near_of(t) & p.near) == p.near && rules::Holds(t).may_match(p.needs)) continue;
        ++refused;
        EXPECT_FALSE(re.is_match(t)) << re.pattern() << " on " << t;
      }
    }
  }
  EXPECT_GT(refused, 10000u);
}

// A bare number takes a short way: it reads as the same number between
// blanks, which goes through every pass.
TEST(passes, bare_numbers_read_as_between_blanks) {
  const std::string_view numbers[] = {"0", "7", "007", "1999", "2100", "12345", "99999999999999999999999999999999999999999"};
  for (std::string_view lang : {"ms", "id", "en"}) {
    for (std::string_view n : numbers) {
      const std::string padded = by_language(" " + std::string(n) + " ", lang);
      EXPECT_EQ(unicode::trim(padded), by_language(n, lang)) << lang << ": " << n;
    }
  }
  // English returns the short way's reading as it is: every one of up to
  // four digits, and the digit words, come out collapsed.
  EXPECT_TRUE(unicode::is_collapsed(by_language("0123456789", "en")));
  for (int width = 1, end = 10; width <= 4; ++width, end *= 10) {
    for (int v = 0; v < end; ++v) {
      const std::string n = std::string(width, '0') + std::to_string(v);
      ASSERT_TRUE(unicode::is_collapsed(by_language(n.substr(n.size() - width), "en"))) << n;
    }
  }
}

// Passes the driver runs outside the language normalisers; each row names its pass.
struct PassRow { test::Pass pass; std::string_view lang, in, want; };

std::string suffixes(std::string_view t, std::string_view) { return normalize::expand_all_currency_suffixes(t); }
std::string suffixes_no_m(std::string_view t, std::string_view) { return normalize::expand_suffixes_no_m(t); }
std::string preparse(std::string_view t, std::string_view) { return normalize_id::preparse_number_formats(t); }
std::string letters(std::string_view t, std::string_view) {
  return normalize_en::replace_letter_period_sequences(std::string(t));
}
std::string elongated(std::string_view t, std::string_view) { return misc_passes::normalize_elongated(std::string(t)); }
std::string repeated(std::string_view t, std::string_view n) {
  return misc_passes::insert_comma_repeated(std::string(t), n.empty() ? 3 : std::stoull(std::string(n)));
}
std::string measure(std::string_view t, std::string_view l) { return shared::normalize_measurements(std::string(t), l); }
std::string ussd(std::string_view t, std::string_view l) { return misc_passes::expand_ussd(std::string(t), l); }
std::string context(std::string_view t, std::string_view l) { return misc_passes::expand_digit_contexts(std::string(t), l); }
std::string overrides(std::string_view t, std::string_view l) {
  return normalize_en::apply_pronunciation_overrides(std::string(t), l);
}

const PassRow kPasses[] = {
    {suffixes, "", "rm 2k", "rm2000"},  // the code keeps its case, the space goes
    {suffixes, "", "€3  miliar", "€3000000000"},
    {suffixes, "", "RM1.2345K", "RM1234.5"},
    {suffixes, "", "RM2K ribu", "RM2000000"},  // the later pattern sees the earlier one's output
    {suffixes, "", "RM\u0665K", "RM0"},
    {suffixes, "", "RM9300000T", "RM9300000000000000000"},  // digit arithmetic, no float rounding
    {suffixes, "", "$1,234.5 ribu", "$1234500"},
    {suffixes, "", "XRM5K", "XRM5K"}, {suffixes, "", "RM5Kg", "RM5Kg"}, {suffixes_no_m, "", "RM5M", "RM5M"},
    {suffixes_no_m, "", "$1.5B", "$1500000000"},
    {preparse, "", "1.234.567,89", "1234567.89"},
    {preparse, "", "12,5", "12.5"},
    {preparse, "", "12,50", "12,50"},  // clock-shaped: left for the language passes
    {preparse, "", "0,001", "0.001"},  // no group starts with 0
    {preparse, "", "Rp 2.5M", "Rp 2.5 miliar"},
    {preparse, "", "Rp1.500rb", "Rp1,500 ribu"},
    {preparse, "", "1.234.5678", "1.234.5678"},
    {measure, "ms", "5km/h", "lima kilometer/h"},
    {measure, "ms", "1,5 kg", "satu perpuluhan lima kilogram"},
    {measure, "ms", "1.5 hours", "1.5 jam"},  // a duration's fraction is left to the language passes
    {measure, "ms", "2,5 jam", "2.5 jam"},  // a decimal comma as a point
    {measure, "id", "2,50 jam", "2,50 jam"},  // Indonesian passes read the comma
    {measure, "en", "1,000.5 hours", "1,000.5 hours"},
    {measure, "ms", "5 sqft", "lima kaki persegi"},
    {measure, "ms", "340282366920938463463374607431768211456 km", "tiga empat kosong dua lapan dua tiga enam enam sembilan dua kosong sembilan tiga lapan empat enam tiga empat enam tiga tiga tujuh empat enam kosong tujuh empat tiga satu tujuh enam lapan dua satu satu empat lima enam kilometer"},
    {measure, "id", "8 minit", "delapan menit"},
    {measure, "en", "12.25 lb", "twelve perpuluhan two five pounds"},
    {measure, "en", "5 in stock", "five inches stock"},
    {measure, "zh", "1.50 km", "一点五零公里"},
    {measure, "ms", "10-20 km", "10-dua puluh kilometer"},
    {measure, "ms", "\u0665 km", "\u0665 kilometer"},
    {measure, "ms", "1,000 km", "seribu kilometer"},  // three digits after a comma group thousands
    {measure, "en", "0,001 km", "zero perpuluhan zero zero one kilometers"},  // no number groups after a lone zero
    {measure, "ms", "1,2345 km", "satu perpuluhan dua tiga empat lima kilometer"},
    {measure, "ms", "1,000,5 kg", "seribu perpuluhan lima kilogram"},
    {measure, "en", "1,000,000 sqft", "one million square feet"},
    {measure, "zh", "(.5kg)", "(零点五公斤)"}, {measure, "ms", "5 min", "5 min"}, {measure, "zh", "5 ft", "5 ft"},
    {measure, "en", "abc5 km", "abc5 km"},
    {overrides, "en", "Twenty-Three", "twenty tree"},
    {overrides, "ms", "Cut-off", "kad off"},
    {overrides, "ms", "1Malaysia", "satu malaysia"},
    {overrides, "en", "sdn. bhd.", "sendirian berhad"},
    {overrides, "id", "500mg", "500 milligram"},
    {overrides, "zh", "500mg", "500mg"},
    {overrides, "ms", "1,5 kg", "1.5 kilogram"},
    {overrides, "ms", "No. 7", "nombor 7"}, {overrides, "zh", "No.\t7", "number 7"},
    {overrides, "en", "No.7", "No.7"},
    {overrides, "MS", "No. 7", "number 7"},  // the code is compared as given
    {letters, "", "U.S.A..", "U S A"},
    {letters, "", "GUI-based", "G U I based"},
    {letters, "", "COVID-19", "covid-19"},
    {letters, "", "SDN BHD", "sendirian berhad"},
    {letters, "", "entstasha-entstashb", "entstasha entstashb"},
    {letters, "", "NATO", "nato"},
    {letters, "", "SONY", "sony"},  // a final Y counts as a vowel
    {letters, "", "ASEAN", "asean"},  // 3 of 5: the upper bound is inclusive
    {letters, "", "BCDAEIFGHJ", "bcdaeifghj"},  // 3 of 10: the lower bound is inclusive
    {letters, "", "STRENGTH", "S trength"},
    {letters, "", "STRANGE", "S T R A N G E"},
    {letters, "", "ABCDEFGHIJK", "ABCDEFGHIJK"},
    {letters, "", "U.S.A.B", "U S A B"},  // the dropped full stop brings two capitals together
    {letters, "", "a.b x.y.z. A.b.", "a.b x y z A b"},
    {letters, "", "a-1 -b 7-c x-y", "a-1 -b 7-c x y"},
    {letters, "", "Ab aB A1B", "Ab aB A1B"},
    // Across the eight-byte blocks the text is read in.
    {letters, "", "seven: XY", "seven: X Y"}, {letters, "", "abcdef x.y.", "abcdef x y"}, {letters, "", "abcdefg-h", "abcdefg h"},
    {letters, "", "aNATO NATO\u00e9 NATO_ (FBI) IBM9 \u00c9FBI", "aNATO NATO\u00e9 NATO_ (F B I) IBM9 \u00c9FBI"},
    {ussd, "zh", "*123#", "star 一 二 三 hash"},
    {ussd, "ms", "Dail *123#sekarang", "Dail star satu dua tiga hashsekarang"},
    {ussd, "ms", "*100*2#", "*100star dua hash"},
    {ussd, "ms", "*#06#", "*#06#"},
    {context, "ms", "GATE   12", "GATE satu dua"},
    {context, "ms", "bus  no 7", "bus  no tujuh"},
    {context, "en", "Office 365", "Office three six five"},
    {context, "en", "Windows 10", "Windows 10"},  // product numbers need three digits
    {context, "ms", "Gate 12A", "Gate 12A"}, {elongated, "", "Sooo!!!", "Soo!!"},
    {elongated, "", "cooool2", "cooool2"},
    {elongated, "", "一点一一一公斤哈哈哈", "一点一一一公斤哈哈"},  // numbers are never shortened
    {elongated, "", "nooo\uFF11\uFF11\uFF11", "noo\uFF11\uFF11\uFF11"},
    {elongated, "", " \t sooo\u00a0good \n", "soo good"},
    {elongated, "", "\u3000good \t\u00a0day\n", "good day"},  // no stretch: only the blanks change
    {elongated, "", "a   b\n\n\nc", "a b c"},
    // Stretches at the seams of eight-byte blocks, and none.
    {elongated, "", "abcdefgggh", "abcdefggh"}, {elongated, "", "abcdefgh hhijklmn", "abcdefgh hhijklmn"},
    {elongated, "", "abcdefghhhijklmnop", "abcdefghhijklmnop"}, {elongated, "", "abcdefg\u00e9\u00e9\u00e9", "abcdefg\u00e9\u00e9"},
    {elongated, "", "abcdefghijklmnopp", "abcdefghijklmnopp"}, {elongated, "", "abcdefgggxyzabcd", "abcdefggxyzabcd"},
    {elongated, "", "aabbccddeeffgghh", "aabbccddeeffgghh"},
    {elongated, "", "sooo entstashhh entstashaaa", "soo entstashhh entstashaaa"},  // keys stay whole
    {repeated, "", "ha ha ha ha ha ha", "ha ha ha ha ha, ha"},  // one comma per run
    {repeated, "", "ha hb ha ha ha ha", "ha hb ha ha ha, ha"},  // the first blanks hold no repeat
    {repeated, "", "ha ha ha", "ha ha ha"},
    {repeated, "", "abcdef ab ab ab ab", "abcdef ab ab ab, ab"},  // blanks either side of an eight-byte seam
    {repeated, "", "ab\tab ab ab ab", "ab\tab ab ab, ab"},
    {repeated, "", "SATU SATU SATU SATU", "SATU SATU SATU SATU"},  // number words stay
    {repeated, "", "ha  ha ha ha", "ha  ha ha ha"},
    {repeated, "1", "ha ha", "ha, ha"},
    {repeated, "", "ha ha ha haentstashhh entstashhh entstashhh entstashhh entstashhh",
     "ha ha ha, haentstashhh entstashhh entstashhh entstashhh, entstashhh"},
};

TEST(passes, driver_passes) {
  for (const auto& r : kPasses) EXPECT_EQ(r.pass(r.in, r.lang), r.want) << r.lang << ": " << r.in;
}

// The scale-suffix runs are gated by one alternation of every row: they
// give what the rows give when all of them run, in their order.
TEST(passes, suffix_gate_refuses_only_what_no_row_matches) {
  using namespace normalize;
  const std::pair<const regex::LazyRegex*, unsigned> rows[] = {
      {&RE_T_SUFFIX, 12}, {&RE_TRILIUN_SUFFIX, 12}, {&RE_B_SUFFIX, 9}, {&RE_MILIAR_SUFFIX, 9},
      {&RE_M_SUFFIX, 6},  {&RE_JUTA_SUFFIX, 6},     {&RE_K_SUFFIX, 3}, {&RE_RIBU_SUFFIX, 3},
  };
  const std::string_view texts[] = {
      "RM2K ribu", "rm 5k", "RM 5 juta", "$5 triliun", "$5 TRILION", "€.5m", "£1,000b", "IDR 3t", "RM5\u212A",
      "Rp5 ribu juta", "US$5K", "RM5 Kg", "RM5", "5K", "RM\t5 ribu", "RM5\nribu", "MYR1.5M dan RM2B", "x", "",
      "one two three four five six seven RM5\u00a0juta", "RM\u0665 ribu", "12345678 RM 1,500 \t\v TRILION", "$5 the", "RM5 5 juta", "RM12345678901234K", "RM1234567890123 juta",
      "你好", "价格RM5公斤", "RM5\u3000ribu", "价格RM\uff15K", "RM\u0665\u212A你好你好你好",
      "你好你好你好你好RM5\u2003juta你好你", "你好你RM5\u212A你好你好",
  };
  for (bool with_m : {true, false}) {
    for (std::string_view t : texts) {
      std::string want(t);
      for (const auto& [re, zeros] : rows)
        if (with_m || re != &RE_M_SUFFIX) want = expand_suffix(want, **re, zeros);
      EXPECT_EQ(with_m ? expand_all_currency_suffixes(t) : expand_suffixes_no_m(t), want) << with_m << ": " << t;
    }
  }
}

// Typed placeholders joined by hyphens become stash keys, cross the Chinese
// passes and come back.
TEST(passes, placeholders_cross_the_chinese_passes) {
  std::string chain;
  for (int i = 1; i <= 30; ++i) chain += (i > 1 ? "-" : "") + ("<<<ABC_" + std::to_string(i) + ">>>");
  for (bool is_my : {false, true}) {
    auto stashed = stash::stash_placeholders(chain + " 5");
    const std::string spoken = normalize_zh::normalize_zh_variant(stashed.text, is_my);
    EXPECT_EQ(stash::unstash_placeholders(spoken, stashed.stash), chain + " 五") << is_my;
  }
}

// A run that cannot be a mixed token is not rescanned from each character.
TEST(passes, long_runs_stay_linear) {
  const std::string letters(200000, 'q'), digits(200000, '7');
  const std::string out = normalize_zh::normalize_zh_variant(letters + " " + digits + "x" + digits + "-我" + letters, false);
  EXPECT_EQ(out.substr(out.size() - letters.size() - 4), "-我" + letters);
  // Blanks before a number are walked a bounded number of times.
  const std::string blanks(200000, ' ');
  EXPECT_EQ(context(blanks + "12", "ms"), blanks + "12");
}

// Random mixes of numbers, blanks and unit or context words, in either case
// and with the characters that "k", "s" and "\d" also match.
std::vector<std::string> gate_texts() {
  const char* tokens[] = {"5", "2025", "1.5", "1,000", ".5", "-3", "\u0663", "\uff12", "x9", "km", "M", "cm", "ft", "in",
                          "yd", "mi", "Batu", "kaki", "inci", "ml", "l", "gal", "kg", "g", "mg", "lb", "oz", "jam",
                          "minit", "saat", "hours", "minute", "seconds", "sq ft", "sqft", "exit", "gate", "LOT",
                          "platform", "bus no", "flight", "stand", "bay", "block", "blok", "Office", "Windows",
                          "PlayStation", "PS", "Xbox", "iPhone", "iPad", "Galaxy", "Pixel", "Model", "MacBook",
                          "AirPods", "\u516c\u91cc", "\u3002", "\u00e9", "\u00b0", "\uff0c", "\uff15", "*", "#", "_",
                          "Sdn", "bhd", "No", "GB"};
  const char* joins[] = {"", "", " ", "  ", "\t", "\n", "\u3000", "\u00a0", "\u2003", "-", "."};
  std::vector<std::string> out = mixes(tokens, joins, 4000, 6, 7);
  for (std::size_t i = 0, n = out.size(); i < n; ++i) {
    std::string other;
    for (char c : out[i]) other += c == 'k' ? "\u212A" : c == 's' || c == 'S' ? "\u017F" : std::string(1, c);
    out.push_back(other);
  }
  return out;
}

// Whenever the gate before a measurement, digit-context or override pattern
// refuses a text, the pattern finds nothing there.
TEST(passes, number_gates_refuse_only_what_cannot_match) {
  std::size_t refused = 0, opened = 0;
  for (const auto& text : gate_texts()) {
    auto gates = shared::detail::measurement_gates(text);
    for (const auto& gate : misc_passes::detail::digit_context_gates(text)) gates.push_back(gate);
    for (const auto& gate : normalize_en::detail::override_gates(text)) gates.push_back(gate);
    for (const auto& [re, open] : gates) {
      (open ? opened : refused) += 1;
      if (!open) { ASSERT_FALSE(re->is_match(text)) << re->pattern() << " on " << text; }
    }
  }
  EXPECT_GT(refused, 10000u);
  EXPECT_GT(opened, 1000u);
}

// Whenever the check before a contraction or title pattern refuses a text,
// the pattern finds nothing there: random mixes of contraction and title
// pieces in any case, with the characters that "k" and "s" also match.
TEST(passes, word_row_gates_refuse_only_what_cannot_match) {
  const char* tokens[] = {"he'd", "'ve", "would", "it's", "isn't", "won't", "I'm", "let's", "we'll", "n't", "'s",
                          "Mrs.", "mr.", "St.", "ltd.", "ft", "capt", "'", ".", "\u00e9", "_", "x", "\u4e2d"};
  const char* joins[] = {"", "", " ", ".", "'"};
  std::mt19937 rng(5);
  std::size_t refused = 0, opened = 0;
  for (int k = 0; k < 3000; ++k) {
    std::string text;
    for (std::size_t n = rng() % 4 + 1; n > 0; --n) {
      text += tokens[rng() % std::size(tokens)];
      text += joins[rng() % std::size(joins)];
    }
    std::string varied;
    for (char c : text) {
      const unsigned r = rng() % 8;
      if (c == 's' && r == 0) varied += "\u017F";
      else varied += r < 3 && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    for (const auto& [re, open] : normalize_en::detail::word_row_gates(varied)) {
      (open ? opened : refused) += 1;
      if (!open) { ASSERT_FALSE(re->is_match(varied)) << re->pattern() << " on " << varied; }
    }
  }
  EXPECT_GT(refused, 100000u);
  EXPECT_GT(opened, 3000u);
}

// Random mixes of what the Chinese passes read, Chinese text, blanks and
// digits of other scripts.
std::vector<std::string> zh_texts() {
  const char* tokens[] = {"5.6.24", "2024/1/15", "12-25-2024", "2024-13-01", "1\u0663/2/2024", "123/4/5", "20245-1-1", "1234", "007", "$5", "RM 1,234.50", "rm5",
                          "\u00a33", "\u20ac2\u5343\u4e07", "usd.5", "XRM5", "MYR,", "\u4e0b\u53483:30",
                          "\u665a\u4e0a 10.15", "\u51cc\u66681:01:01", "\u4e2d\u5348", "\u65e9\u4e0a7:00", "\u508d\u665a 6.30", "eur5", "GBP 7", "u\u017Fd5", "mYr1", "entstasha", "g5", "\u00e9", "10 a.m.", "7PM", "2:30 pm", "1,234,567.5",
                          "0,250", ".5", "3.14", "12.5%", "1,2345%", "%", "1.2.3", "\u4e0b", "\u5e74",
                          "\u3002", "\uff0c", "\u201c", "\u0663", "\uff12\uff10", "A1-B2", "COVID19", "012-3456", "x"};
  const char* joins[] = {"", "", " ", "\u3000", "\t", "-", ".", "/", ":"};
  std::vector<std::string> out = mixes(tokens, joins, 3000, 6, 11);
  for (const char* t : {"\u4e2d\u5348\u597d\u3002", "hash star", "\u0663", "\uff12\u5e74", "$,", "x.y", "a-b"}) out.push_back(t);
  return out;
}

// A Chinese pass that walks to its matches finds and reads what the
// engine's own scan does, and one that its needs (or those of every pass)
// skip finds nothing.
TEST(passes, chinese_walks_match_the_engine) {
  std::size_t changed = 0, refused = 0;
  const auto texts = zh_texts();
  for (bool is_my : {false, true}) {
    for (const rules::Pass& p : normalize_zh::detail::passes(is_my)) {
      for (const auto& text : texts) {
        const rules::Holds holds(text);
        if (holds.may_match(p.needs) && holds.may_match(normalize_zh::detail::reading_needs())) continue;
        refused += 1;
        ASSERT_FALSE(p.re->is_match(text)) << p.re->pattern() << " on " << text;
      }
      if (!p.walk || !p.read) continue;
      for (const auto& text : texts) {
        std::string out;
        const std::string walked = p.walk(text, *p.re, p.read, out) ? out : text;
        ASSERT_EQ(walked, p.re->replace_all(text, p.read)) << p.re->pattern() << " on " << text;
        changed += walked != text;
      }
    }
  }
  EXPECT_GT(changed, 10000u);
  EXPECT_GT(refused, 1000u);
}

// What the gates take for neither a digit nor a blank, the patterns and the
// blank trimming agree is neither.
TEST(passes, characters_neither_digit_nor_blank) {
  const regex::Regex digit_or_blank(R"([\d\s])");
  std::size_t neither = 0;
  for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string ch = unicode::to_utf8(c);
    if (!shared::neither_digit_nor_blank(ch, 0)) continue;
    ++neither;
    ASSERT_FALSE(digit_or_blank.is_match(ch)) << std::hex << static_cast<std::uint32_t>(c);
    ASSERT_FALSE(unicode::is_white_space(c)) << std::hex << static_cast<std::uint32_t>(c);
  }
  EXPECT_GT(neither, 32000u);
  for (const char* blank : {"\u3000", "\u00a0", "\u2000", "\u200a", "\u2028", "\u202f", "\u205f", "\uff10", "\uff19"}) EXPECT_FALSE(shared::neither_digit_nor_blank(blank, 0)) << blank;
}

}  // namespace
}  // namespace kalvesta
