#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "entities.h"
#include "normalize.h"
#include "options.h"

namespace {

using namespace kalvesta;
using namespace kalvesta::entities;
using K = EntityKind;

struct Want { K kind; std::string_view text; };

std::string describe(const std::vector<Entity>& es) {
  std::string out;
  for (const auto& e : es) out += placeholder(e) + "=" + e.text + " ";
  return out;
}

void expect_extraction(const Extraction& got, std::string_view in, std::string_view want_text,
                       const std::vector<Want>& want) {
  EXPECT_EQ(got.text, want_text) << in;
  ASSERT_EQ(got.entities.size(), want.size()) << in << " -> " << describe(got.entities);
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got.entities[i].kind, want[i].kind) << in << " #" << i;
    EXPECT_EQ(got.entities[i].text, want[i].text) << in << " #" << i;
    EXPECT_EQ(got.entities[i].id, i + 1) << in << " #" << i;
  }
}

TEST(entities, tags) {
  for (int k = 0; k <= static_cast<int>(K::HIJRI); ++k)
    EXPECT_EQ(entity_kind_from_tag(tag_text(static_cast<K>(k))), static_cast<K>(k)) << k;
  EXPECT_EQ(entity_kind_from_tag("email"), K::URL);  // exact bytes only; anything else reads as URL
  EXPECT_EQ(placeholder({"x", 27, K::HARI_BULAN}), "<<<HARI_BULAN_27>>>");
}

TEST(entities, placeholders_are_told_by_their_exact_text) {
  const std::vector<Entity> ours = {{"a", 1, K::URL}, {"b", 2, K::EMAIL}, {"c", 10, K::HARI_BULAN}, {"d", 11, K::TIME}};
  struct Case { std::string_view text; bool want; };
  constexpr Case kCases[] = {
      {"<<<URL_1>>>", true}, {"<<<HARI_BULAN_10>>>", true}, {"<<<TIME_11>>>", true},
      {"<<<EMAIL_1>>>", false}, {"<<<URL_01>>>", false}, {"<<<URL_+1>>>", false}, {"<<<URL_>>>", false},
      {"<<<URL_1>>>>", false}, {"<<URL_1>>>", false}, {"<<<_1>>>", false}, {"<<<BULAN_10>>>", false},
      {"<<<URL_18446744073709551617>>>", false}, {"<<<TIME_11_>>>", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(is_placeholder_of(c.text, ours), c.want) << c.text;
}

struct ExtractCase { std::string_view in, want_text; std::vector<Want> want; };

TEST(entities, extract_kinds_and_order) {
  const ExtractCase cases[] = {
      {"", "", {}},
      {"mail a.b@x.com now", "mail <<<EMAIL_1>>> now", {{K::EMAIL, "a.b@x.com"}}},
      {"see www.abc.my/x", "see <<<URL_1>>>", {{K::URL, "www.abc.my/x"}}},
      {"v 1.2.3 and 10.0.19045", "v <<<VERSION_1>>> and <<<VERSION_2>>>",
       {{K::VERSION, "1.2.3"}, {K::VERSION, "10.0.19045"}}},
      {"on 2024.01.15", "on 2024.01.15", {}},  // neither a version nor a date
      // runs past the few held in place
      {"RM5 1 2 3 4 5 6 7 8 9 7:30", "<<<CURRENCY_1>>> 1 2 3 4 5 6 7 8 9 <<<TIME_2>>>",
       {{K::CURRENCY, "RM5"}, {K::TIME, "7:30"}}},
      {"call 012-345 6789", "call <<<PHONE_1>>>", {{K::PHONE, "012-345 6789"}}},
      {"pay RM 12.50, USD1,000 or $5", "pay <<<CURRENCY_1>>>, <<<CURRENCY_2>>> or <<<CURRENCY_3>>>",
       {{K::CURRENCY, "RM 12.50"}, {K::CURRENCY, "USD1,000"}, {K::CURRENCY, "$5"}}},
      // after a Chinese character as after a blank; not inside a Latin word
      {"价格$5买 xRM5", "价格<<<CURRENCY_1>>>买 xRM5", {{K::CURRENCY, "$5"}}},
      {"电话0123456789谢谢 x0123456789", "电话<<<PHONE_1>>>谢谢 x0123456789", {{K::PHONE, "0123456789"}}},
      {"约$2.5 billion左右", "约$2.5 billion左右", {}},  // a scale word follows: left whole
      {"12/05/2024 or 2024-05-12", "<<<DATE_1>>> or <<<DATE_2>>>",
       {{K::DATE, "12/05/2024"}, {K::DATE, "2024-05-12"}}},
      // no month 17, no day 32, no month "Marathon": not dates
      {"11/17/2005, 32 May 2024, 16 Marathon 2024", "11/17/2005, 32 May 2024, 16 Marathon 2024", {}},
      {"born 16 July 1943", "born <<<DATE_1>>>", {{K::DATE, "16 July 1943"}}},
      {"12.05.2024", "<<<VERSION_1>>>", {{K::VERSION, "12.05.2024"}}},  // VERSION scans first
      {"5 May 2024, May 5, 2024, 5 may 2024", "<<<DATE_1>>>, <<<DATE_2>>>, 5 may 2024",
       {{K::DATE, "5 May 2024"}, {K::DATE, "May 5, 2024"}}},
      {"at 12:30:45, 1:01:01 pm", "at <<<TIME_1>>>, <<<TIME_2>>>", {{K::TIME, "12:30:45"}, {K::TIME, "1:01:01 pm"}}},
      {"7:30 PM, 7:30 pagi, 7.30pm", "<<<TIME_1>>>, <<<TIME_2>>>, 7.30pm",
       {{K::TIME, "7:30 PM"}, {K::TIME, "7:30 pagi"}}},
      {"Jalan SS2/24 dan Lorong 5 / 3", "<<<ADDRESS_SLASH_1>>> dan <<<ADDRESS_SLASH_2>>>",
       {{K::ADDRESS_SLASH, "Jalan SS2/24"}, {K::ADDRESS_SLASH, "Lorong 5 / 3"}}},
      // Ids follow the kind order, not the position in the text.
      {"12/05/2024 a@b.co", "<<<DATE_2>>> <<<EMAIL_1>>>", {{K::EMAIL, "a@b.co"}, {K::DATE, "12/05/2024"}}},
      // The e-mail inside a web address is cut first; the URL swallows its placeholder.
      {"http://x.com/?to=a@b.com", "<<<URL_2>>>",
       {{K::EMAIL, "a@b.com"}, {K::URL, "http://x.com/?to=<<<EMAIL_1>>>"}}},
      {"suhu 25°C", "suhu <<<TEMPERATURE_1>>>", {{K::TEMPERATURE, "25°C"}}},
      {"3/4 cawan", "<<<FRACTION_1>>> cawan", {{K::FRACTION, "3/4"}}},
      {"IC 880101-14-5678", "IC <<<IC_1>>>", {{K::IC, "880101-14-5678"}}},
      {"880101145678 8801011456789", "<<<IC_1>>> 8801011456789", {{K::IC, "880101145678"}}},
      {"15hb Mac 1445H", "<<<HARI_BULAN_1>>> Mac <<<HIJRI_2>>>", {{K::HARI_BULAN, "15hb"}, {K::HIJRI, "1445H"}}},
      // the digits of a decimal are no phone or IC number
      {"454718956334.81398", "454718956334.81398", {}},
      {"880101-14-5678.5", "880101-14-5678.5", {}},
      {"3.0123456789 dan 0.880101145678", "3.0123456789 dan 0.880101145678", {}},
      // A full stop that ends the sentence leaves the number whole.
      {"IC 880101145678. Tel 0123456789.", "IC <<<IC_2>>>. Tel <<<PHONE_1>>>.",
       {{K::PHONE, "0123456789"}, {K::IC, "880101145678"}}},
  };
  for (const auto& c : cases) expect_extraction(extract(c.in), c.in, c.want_text, c.want);
}

TEST(entities, extract_gates) {
  struct Case { std::vector<std::string> disable; std::string_view in, want_text; std::vector<Want> want; };
  const Case cases[] = {
      {{"fractions"}, "Jalan SS2/24 dan 3/4", "Jalan SS2/24 dan 3/4", {}},
      {{"temperature"}, "25°C pada 3x", "25°C pada <<<X_KALI_1>>>", {{K::X_KALI, "3x"}}},
      {{"x_kali", "ic", "hari_bulan", "hijri"}, "3x 880101-14-5678 15hb 1445H", "3x 880101-14-5678 15hb 1445H", {}},
      // Dates and times are cut out whatever their keys say.
      {{"dates", "times"}, "12/05/2024 7:30", "<<<DATE_1>>> <<<TIME_2>>>",
       {{K::DATE, "12/05/2024"}, {K::TIME, "7:30"}}},
  };
  for (const auto& c : cases) {
    Options options;
    options.disable = c.disable;
    expect_extraction(extract_gated(c.in, options), c.in, c.want_text, c.want);
  }
}

TEST(entities, swallowed_placeholders_are_read_as_written) {
  struct Case { std::string_view in, lang, written, want; };
  const Case cases[] = {
      // The e-mail address inside the web address is read with it, not lost.
      {"mail http://x.com/?to=a@b.com now", "en", "http://x.com/?to=a@b.com",
       "mail h t t p colon slash slash x dot com slash question mark to equals a@b dot com now"},
      {"Jalan www.a.my 5/3", "ms", "Jalan www.a.my 5/3", "Jalan www.a.my lima slash tiga"},
      // Placeholder-shaped text the caller typed is not extraction's own.
      {"http://x.com/<<<EMAIL_1>>> a@b.com", "en", "",
       "h t t p colon slash slash x dot com slash <<<EMAIL_one>>> a at b dot com"},
  };
  for (const auto& c : cases) {
    Extraction ex = extract(c.in);
    ASSERT_FALSE(ex.entities.empty()) << c.in;
    EXPECT_EQ(ex.entities.back().written, c.written) << c.in;
    EXPECT_EQ(restore_gated(ex.text, ex.entities, c.lang, Options{}), c.want) << c.in;
  }
}

TEST(entities, matching_error_ends_only_the_scan) {
  // The pattern layer refuses text that is not UTF-8 with a matching error;
  // extraction must swallow it kind by kind and hand the text back.
  const std::string text = "a@b.co \xff 1.2.3";
  Extraction got;
  ASSERT_NO_THROW(got = extract(text));
  EXPECT_EQ(got.text, text);
  EXPECT_TRUE(got.entities.empty());
}

// Random mixes of the pieces the checks look at (digits of other
// scripts, blanks beyond ASCII, the Kelvin sign and long s a case-blind
// letter may stand for).
std::vector<std::string> probe_texts() {
  const std::vector<std::string> pieces = {
      "1", "0", "01", "12", "2024", "880101", "1445", "5", "\u0663", "\uff11", "\U0001D7D9", ".", ",", ":", "/",
      "-", "@", "://", "_", "%", "+", " ", "\t", "\u00a0", "\u3000", "\u2009", "ab", "com", "w", "WwW", "http",
      "ftp", "x", "X", "h", "H", "b", "B", "c", "F", "k", "\u212a", "\u017f", "\u00b0", "RM", "rp", "u", "Us", "D",
      "\u20ac", "\u00a3", "$", "Jan", "May", "Sept", "dec", "\u5e74", "\u4ef7\u683c", "\u0130", "\u00e9",
      "juta", "Ribu", "T", "m", "IDR", "6", "154", "s", "www."};
  std::mt19937 rng(23);
  std::vector<std::string> texts = {"", "192.168.1.1", "uSD 5", "RM\u00a0,5", "a-b.\u212a", "5 \u00b0\u212a",
                                    "12\u3000/ 4", "\u0663\u0663:\u0663\u0663", "012-345 6789", "880101-14-5678", "u\u017fD5", "15412", "1-800 12-3456", "Jul. 16, 1943", "Mayday 5 2024", "16\u00a0July 1943",
                                    "+60123456789", "on 2024-05-12", "RM5 juta", "$1.5 Ribu", "rp 2 miliar", "Rp3\u212a",
                                    "RM2\u3000trilion", "USD5M", "IDR 7 B", "\u20ac1T", "15 hb", "a-\u212a.\u017fb",
                                    "1 2 3 4 5 6 7 8 9 RM5 12/05/2024 7:30 1445H 15 hb 3x 5C 1.2.3 +60123456789 3 / 4"};
  for (int i = 0; i < 40000; ++i) {
    std::string text;
    for (int n = static_cast<int>(rng() % 9) + 1; n > 0; --n) text += pieces[rng() % pieces.size()];
    texts.push_back(text);
  }
  return texts;
}

// Whenever a kind's quick check turns a text away, its pattern finds nothing
// there; and a kind that tries its pattern only at some places lists every
// place a match can start.
TEST(entities, quick_checks_turn_away_only_what_cannot_match) {
  const std::vector<std::string> texts = probe_texts();
  for (int k = 0; k <= static_cast<int>(K::HIJRI); ++k) {
    const auto kind = static_cast<K>(k);
    std::size_t turned_away = 0;
    for (const auto& text : texts) {
      if (detail::may_hold(kind, text)) continue;
      ++turned_away;
      ASSERT_FALSE(detail::pattern_finds(kind, text)) << tag_text(kind) << ": " << text;
    }
    EXPECT_GT(turned_away, texts.size() / 4) << tag_text(kind);
  }
}

// The digits are found wherever they stand after plain ASCII text.
TEST(entities, quick_checks_see_digits_at_every_offset) {
  for (std::size_t k = 0; k < 20; ++k) {
    for (char digit = '0'; digit <= '9'; ++digit) {
      const std::string text = std::string(k, '/') + " " + digit + "x" + std::string(k, ':');
      EXPECT_TRUE(detail::may_hold(K::X_KALI, text)) << text;
    }
  }
}

// The digit runs carried across each kind's cuts are the ones a fresh scan finds.
TEST(entities, carried_digit_runs_change_no_extraction) {
  std::vector<std::string> texts = probe_texts();
  texts.insert(texts.end(), {"pay $15.75 on 1/5/2025 at 7:30 pm, call 012-345 6789", "RM5 12:30 2024-05-12 40%",
                             "1٣/5/2025 $٣ at 10:00am", "x@y.com 3 192.168.1.1 5°C 4:05"});
  for (const auto& text : texts) {
    const Extraction got = extract(text), want = detail::extract_rescanning(text);
    ASSERT_EQ(got.text, want.text) << text;
    ASSERT_EQ(got.entities.size(), want.entities.size()) << text;
  }
}

// An amount without a letter a scale suffix starts with is left as it is.
TEST(entities, scale_check_turns_away_only_unscaled_amounts) {
  std::size_t turned_away = 0;
  for (const auto& text : probe_texts()) {
    if (detail::may_hold_scale(text)) continue;
    ++turned_away;
    ASSERT_EQ(normalize::expand_all_currency_suffixes(text), text);
    ASSERT_EQ(normalize::expand_suffixes_no_m(text), text);
  }
  EXPECT_GT(turned_away, 0u);
}

TEST(entities, start_lists_hold_every_match_start) {
  const std::vector<std::string> texts = probe_texts();
  for (int k = 0; k <= static_cast<int>(K::HIJRI); ++k) {
    const auto kind = static_cast<K>(k);
    if (!detail::match_starts(kind, "")) continue;
    std::size_t found = 0;
    for (const auto& text : texts) {
      const std::vector<std::size_t> listed = *detail::match_starts(kind, text);
      for (std::size_t at : detail::pattern_starts(kind, text)) {
        ++found;
        ASSERT_NE(std::find(listed.begin(), listed.end(), at), listed.end())
            << tag_text(kind) << " at " << at << ": " << text;
      }
    }
    EXPECT_GT(found, 0u) << tag_text(kind);
  }
}

// ---- restoration ----

// The rule spelled out: last entity first, each replacing the first
// occurrence of its placeholder in the current text.
std::string restore_reference(std::string text, const std::vector<Entity>& entities,
                              const std::function<std::string(const Entity&)>& replacement) {
  for (std::size_t i = entities.size(); i-- > 0;) {
    std::string ph = placeholder(entities[i]);
    std::size_t p = text.find(ph);
    if (p != std::string::npos) text.replace(p, ph.size(), replacement(entities[i]));
  }
  return text;
}

TEST(entities, restore_matches_the_rule) {
  // Replacements are the entity texts, so the table can hold hostile ones.
  auto by_text = [](const Entity& e) { return e.text; };
  struct Case { std::string_view in; std::vector<Entity> entities; std::string_view want; };
  const Case cases[] = {
      {"a <<<URL_1>>> b <<<URL_10>>>", {{"one", 1, K::URL}, {"ten", 10, K::URL}}, "a one b ten"},
      // A typed placeholder before the real one takes the reading.
      {"<<<EMAIL_1>>> typed, real <<<EMAIL_1>>>", {{"x at y", 1, K::EMAIL}}, "x at y typed, real <<<EMAIL_1>>>"},
      {"gone", {{"lost", 1, K::URL}}, "gone"},
      {"<<<<URL_1>>>>", {{"u", 1, K::URL}}, "<u>"},
      // A reading that is itself a placeholder of an earlier entity.
      {"<<<URL_1>>> <<<URL_2>>>", {{"p", 1, K::URL}, {"<<<URL_1>>>", 2, K::URL}}, "p <<<URL_1>>>"},
      // An empty reading joins its neighbours into a placeholder.
      {"<<<UR<<<URL_2>>>L_1>>>", {{"one", 1, K::URL}, {"", 2, K::URL}}, "one"},
      {"<<<URL_1>>>", {{"a", 1, K::URL}, {"b", 1, K::URL}}, "b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(restore_with(c.in, c.entities, by_text), c.want) << c.in;
    EXPECT_EQ(restore_reference(std::string(c.in), c.entities, by_text), c.want) << c.in;
  }
}

// Random texts and readings built from placeholder fragments, so that
// readings and joins often form new placeholder-shaped text.
void check_random_restores(std::uint32_t seed, int rounds, const std::vector<std::string>& pieces,
                           const std::vector<std::string>& readings) {
  std::mt19937 rng(seed);
  const std::uint64_t ids[] = {1, 2, 3, 12};
  auto by_text = [](const Entity& e) { return e.text; };
  for (int round = 0; round < rounds; ++round) {
    std::string text;
    int n = static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
    std::vector<Entity> entities;
    int m = static_cast<int>(rng() % 5);
    for (int i = 0; i < m; ++i) {
      std::uint64_t id = ids[rng() % 4];
      entities.push_back({readings[rng() % readings.size()], id, id == 3 ? K::DATE : K::URL});
    }
    std::string want = restore_reference(text, entities, by_text);
    ASSERT_EQ(restore_with(text, entities, by_text), want) << text << " / " << describe(entities);
  }
}

TEST(entities, restore_random_against_reference) {
  check_random_restores(7, 50000,
                        {"<<<URL_1>>>", "<<<URL_2>>>", "<<<DATE_3>>>", "<<<URL_12>>>", "<", "<<<", ">>>", ">",
                         "URL_", "1", "2", "_", "A", " ", "x", "<<URL_1>>>", "<URL_2>>>", "<<<URL_1>",
                         "<<<URL_1>>", "<<<URL_"},
                        {"one", "x y", "", "<<<URL_1>>>", "URL_2", "<<<", ">>>", "_1>>>", "<<<URL",
                         "<<<URL_2>>>", "A", "<<<DATE_3>>>", "a <b> c", "x<", "<<", "L_1>", ">y", "2>>> z",
                         "q <<<U", "x<<", ">> y", "> y", "URL_1>>> y", "<URL_1>>> y"});
  // Few pieces, mostly empty readings: joins across removed placeholders.
  check_random_restores(11, 50000,
                        {"<<<URL_1>>>", "<<<URL_2>>>", "<", "<<", ">", ">>", "URL_1", "_", "1", " "},
                        {"", "", "", "x", "<", ">", "<<", ">>", "URL_1", "x<", ">x"});
}

TEST(entities, restore_gated_keeps_dates_and_times_when_off) {
  std::vector<Entity> entities = {{"12/05/2024", 1, K::DATE}, {"7:30 pm", 2, K::TIME}};
  Options off, dates_off;
  off.disable = {"dates", "times"};
  dates_off.disable = {"dates"};
  const std::string text = "on <<<DATE_1>>> at <<<TIME_2>>>";
  EXPECT_EQ(restore_gated(text, entities, "en", off), "on 12/05/2024 at 7:30 pm");
  EXPECT_EQ(restore_gated(text, entities, "en", dates_off), "on 12/05/2024 at seven thirty p m");
}

// ---- readings: every kind through the speller dispatch ----

struct ReadingCase { K kind; std::string_view lang, in, want; };

const ReadingCase kReadings[] = {
    {K::URL, "en", "https://www.example.com:8080/a-b?x=1&y=2",
     "h t t p s colon slash slash w w w dot example dot com colon eight zero eight zero slash a dash b "
     "question mark x equals one and y equals two"},
    {K::URL, "en", "WWW.Site.com", "WWW dot Site dot com"},  // the www step is case-sensitive
    {K::URL, "ms", "a.com/x!y", "a dot com slash x y"},  // a dropped "!" keeps the words apart
    {K::URL, "zh", "https://x.com:8080/a-b?x=1", "h t t p s 冒号斜杠斜杠x点com:八 零 八 零斜杠a杠b 问号 x 等于 一"},
    {K::EMAIL, "ms", "a_b+c-d2@x.my", "a underscore b plus c dash d dua at x dot my"},
    {K::EMAIL, "zh", "li.wei_8@qq.com", "li点wei下划线八艾特qq点com"},
    {K::PHONE, "ms", "+60 12-345 6789", "enam kosong satu dua tiga empat lima enam tujuh lapan sembilan"},
    {K::IC, "id", "800101 14 0000", "delapan nol nol satu nol satu satu empat nol nol nol nol"},
    {K::DATE, "en", "12/05/0999", "twelve of May nine hundred and ninety-nine"},
    {K::DATE, "ms", "12/05/2024", "dua belas Mei dua ribu dua puluh empat"},
    {K::DATE, "zh", "12/05/2024", "二零二四年五月十二日"},
    {K::DATE, "ms", "1/13/2024", "satu 13 dua ribu dua puluh empat"},  // a month without a name stays
    {K::DATE, "en", "Jul. 16, 1943", "sixteen of July nineteen forty-three"},
    {K::DATE, "en", "SEPT 3, 2020", "three of September twenty twenty"},  // month names in any case
    {K::DATE, "ms", "16 ogos 2024", "enam belas Ogos dua ribu dua puluh empat"},
    {K::DATE, "ms", "١٢/٠٥/٢٠٢٤", "kosong ٠٥ kosong"},
    {K::TIME, "en", "7:30 A.M.", "seven thirty a m"},
    {K::TIME, "ms", "7:30 pm", "tujuh tiga puluh petang"},
    {K::TIME, "ms", "7:00", "tujuh kosong"},
    {K::TIME, "en", "7:30 malam", "seven thirty "},  // English drops local period words
    {K::TIME, "ms", "7:30 Tengah  Hari", "tujuh tiga puluh Tengah  Hari"},
    {K::TIME, "zh", "7:30 pm", "晚上七点三十分"},
    {K::TIME, "zh_my", "12:00 a.m.", "早上十二点"},
    {K::TIME, "zh_my", "1:00:05 pm", "下午一点零分五秒"},
    {K::CURRENCY, "en", "$0.50", "fifty cents"},
    {K::CURRENCY, "en", "GBP3.05", "three pound five pence"},
    {K::CURRENCY, "ms", "RM 12.50", "dua belas ringgit lima puluh sen"},
    {K::CURRENCY, "ms", "RM1,50", "seratus lima puluh ringgit"},  // a comma is never a decimal mark
    {K::CURRENCY, "ms", "RM5K", "lima ribu ringgit"},
    {K::CURRENCY, "id", "Rp1,50", "satu rupiah lima puluh sen"},  // an Indonesian decimal comma
    {K::CURRENCY, "id", "RM5.50", "lima ringgit lima puluh sen"},
    {K::CURRENCY, "zh", "$5.05", "五美元五分"}, {K::CURRENCY, "zh", "$.5", "零美元五十分"},
    {K::CURRENCY, "zh", "IDR5", "IDR5"},  // no Chinese reading for rupiah
    {K::CURRENCY, "en", "$20.500", "twenty point five zero zero dollar"},  // more decimals than cents
    {K::CURRENCY, "ms", "RM0.125", "kosong perpuluhan satu dua lima ringgit"},
    {K::CURRENCY, "zh_my", "RM1,000.005", "一千点零零五令吉"},
    {K::VERSION, "en", "1..2", "one point zero point two"},
    {K::ADDRESS_SLASH, "en", "jalan ss2/24", "jalan S S two slash two four"},
    {K::ADDRESS_SLASH, "ms", "Lorong 5 / 3", "Lorong lima slash tiga"},
    {K::HIJRI, "id", "1445 h", "satu empat empat lima Hijriah"},
    {K::HIJRI, "zh", "1445H", "一 四 四 五 Hijri"},
    {K::X_KALI, "en", "3 X", "three times"},
    {K::X_KALI, "EN", "3x", "tiga times"},  // English pack, Malay speller
    {K::X_KALI, "zh", "2x", "两次"},
    {K::X_KALI, "ms", "340282366920938463463374607431768211456x", "tiga empat kosong dua lapan dua tiga enam enam sembilan dua kosong sembilan tiga lapan empat enam tiga empat enam tiga tiga tujuh empat enam kosong tujuh empat tiga satu tujuh enam lapan dua satu satu empat lima enam kali"},
    {K::X_KALI, "ms", "1,5x", "satu perpuluhan lima kali"},
    {K::FRACTION, "zh_my", "1 / 2", "二分之一"},
    {K::FRACTION, "ms", "1/2/2024", "1/2/2024"},  // a date, not a fraction
    {K::HARI_BULAN, "ms", "15 HB", "lima belas hari bulan"},
    {K::HARI_BULAN, "ms", "32hb", "32hb"},
    {K::TEMPERATURE, "ms", "36,6°c", "tiga puluh enam perpuluhan enam celcius"},
    {K::TEMPERATURE, "en", "1,000°F", "one thousand fahrenheit"},  // three digits group thousands
    {K::TEMPERATURE, "ms", "-0.5°c", "negatif kosong perpuluhan lima celcius"},
    {K::TEMPERATURE, "en", "98.6F", "ninety-eight perpuluhan six fahrenheit"},
    {K::TEMPERATURE, "ms", "25cm", "25cm"},  // a unit letter must stand alone
};

TEST(entities, readings) {
  for (const auto& c : kReadings)
    EXPECT_EQ(convert_to_spoken({std::string(c.in), 0, c.kind}, c.lang), c.want)
        << tag_text(c.kind) << " " << c.lang << ": " << c.in;
}

TEST(entities, dispatch_and_speak_entity) {
  struct Case { K kind; std::string_view text, lang, want; };
  const Case cases[] = {
      {K::VERSION, "1.2.3", " EN ", "one point two point three"},  // the code is trimmed and folded
      {K::DATE, "\uFF11\uFF12/05/2024", "ZH", "二零二四年五月十二日"},  // digits read as normalize reads them
  };
  for (const auto& c : cases) {
    Result<std::string> got = speak_entity(c.kind, c.text, c.lang);
    ASSERT_TRUE(got.is_ok()) << c.text;
    EXPECT_EQ(got.value(), c.want) << c.lang << ": " << c.text;
  }
  Result<std::string> bad = speak_entity(K::URL, "a.my", "fr");
  ASSERT_FALSE(bad.is_ok());
  EXPECT_EQ(bad.error(), "Unsupported language: 'fr' (expected one of (en, id, ms, zh, zh_my))");
}

}  // namespace
