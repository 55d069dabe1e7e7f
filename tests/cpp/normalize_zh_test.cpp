// Chinese readings and the "zh" / "zh_my" rule passes.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "normalize_zh.h"

namespace kalvesta::normalize_zh {
namespace {

u128 pow10(int e) {
  u128 v = 1;
  while (e-- > 0) v *= 10;
  return v;
}

struct NumCase {
  u128 in;
  std::string_view want;
};

TEST(normalize_zh, cardinal) {
  const NumCase cases[] = {
      {0, "零"}, {7, "七"}, {10, "十"}, {15, "十五"}, {20, "二十"}, {99, "九十九"},
      {100, "一百"}, {105, "一百零五"}, {110, "一百一十"}, {999, "九百九十九"},
      {1000, "一千"}, {1005, "一千零五"}, {1010, "一千零一十"}, {1100, "一千一百"},
      {2000, "二千"}, {2304, "二千三百零四"},
      {10000, "一万"}, {10005, "一万零五"}, {100012, "十万零一十二"}, {110000, "十一万"},
      {150000, "十五万"}, {101000, "十万一千"}, {10000500, "一千万零五百"},
      {100000000, "一亿"}, {100000001, "一亿零一"}, {100010000, "一亿零一万"},
      {100001000, "一亿一千"}, {2000000015, "二十亿零一十五"},
      {1234560789, "十二亿三千四百五十六万零七百八十九"}, {pow10(12), "一兆"},
      {pow10(16) - 1, "九千九百九十九兆九千九百九十九亿九千九百九十九万九千九百九十九"},
      // the upper limit and the whole 128-bit range beyond it
      {pow10(16), "太大"}, {pow10(30), "太大"}, {U128_MAX, "太大"},
  };
  for (const auto& c : cases) EXPECT_EQ(to_cardinal_zh(c.in), c.want) << u128_to_string(c.in);
}

TEST(normalize_zh, group_readers) {
  EXPECT_EQ(convert_tens(15, false), "十五");
  EXPECT_EQ(convert_tens(10, true), "一十");
  EXPECT_EQ(convert_tens(15, true), "一十五");
  EXPECT_EQ(convert_tens(40, false), "四十");
  EXPECT_EQ(convert_hundreds(110), "一百一十");
  EXPECT_EQ(convert_hundreds(207), "二百零七");
  EXPECT_EQ(convert_thousands(1025), "一千零二十五");
  EXPECT_EQ(convert_thousands(9990), "九千九百九十");
}

TEST(normalize_zh, year_digit_month) {
  const NumCase years[] = {{2024, "二零二四"}, {2005, "二零零五"}, {5, "五"}, {0, "零"},
                           {pow10(20), "一零零零零零零零零零零零零零零零零零零零零"}};
  for (const auto& c : years) EXPECT_EQ(to_year_zh(c.in), c.want) << u128_to_string(c.in);

  EXPECT_EQ(zh_digit(U'7'), "七");
  EXPECT_EQ(zh_digit(U'0'), "零");
  EXPECT_EQ(zh_digit(U'A'), "A");
  EXPECT_EQ(zh_digit(U'-'), "-");
  EXPECT_EQ(zh_digit(U'\u0663'), "\u0663");  // other digits pass through

  struct Case { std::string_view in, want; };
  const Case months[] = {{"1", "一"}, {"10", "十"}, {"12", "十二"}, {"01", "01"},
                         {"13", "13"}, {"", ""}, {" 1", " 1"}};
  for (const auto& c : months) EXPECT_EQ(month_zh(c.in), c.want) << "'" << c.in << "'";
  EXPECT_EQ(MONTHS_ZH().size(), 12u);
  EXPECT_EQ(&MONTHS_ZH(), &MONTHS_ZH());
}

struct Case {
  std::string_view in, zh, zh_my;
};

void check(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    EXPECT_EQ(normalize_zh_variant(c->in, false), c->zh) << "zh: " << c->in;
    EXPECT_EQ(normalize_zh_variant(c->in, true), c->zh_my) << "zh_my: " << c->in;
  }
}
#define CHECK_TABLE(t) check(std::begin(t), std::end(t))

TEST(normalize_zh_variant, percent) {
  const Case cases[] = {
      {"50%", "百分之五十", "五十巴仙"},
      {"12.5%", "百分之十二点五", "十二点五巴仙"},
      {"0.05%", "百分之零点零五", "零点零五巴仙"},
      {".5%", "百分之零点五", "零点五巴仙"},
      {"1,000.5%", "百分之一千点五", "一千点五巴仙"},
      // whole percentages saturate instead of wrapping to zero
      {"99999999999999999999999999999999999999999%", "百分之太大", "太大巴仙"},
      // the percent sign keeps ‘3:30%’ from being a time
      {"3:30%", "三:百分之三十", "三:三十巴仙"},
  };
  CHECK_TABLE(cases);
}

TEST(normalize_zh_variant, dates) {
  const Case cases[] = {
      {"25/12/2024", "二零二四年十二月二十五日", "二零二四年十二月二十五日"},
      {"12/25/2024", "二零二四年十二月二十五日", "二零二四年十二月二十五日"},  // month first
      {"15/01/2024", "二零二四年一月十五日", "二零二四年一月十五日"},
      {"11/17/05", "五年十一月十七日", "五年十一月十七日"},  // month first
      // no month 13, no day 32: not a date, its numbers read apart
      {"13/13/2024", "十三/十三/二零二四", "十三/十三/二零二四"},
      {"2024/1/32", "二零二四/一/三十二", "二零二四/一/三十二"},
      {"5.6.24", "二四年六月五日", "二四年六月五日"},
      {"2024-01-15", "二零二四年一月十五日", "二零二四年一月十五日"},
      {"2024.1.5", "二零二四年一月五日", "二零二四年一月五日"},
  };
  CHECK_TABLE(cases);
}

// Each variant reads money with its entity speller's words (‘$5’ alone is an entity).
TEST(normalize_zh_variant, money) {
  const Case cases[] = {
      {"RM1,234.50", "一千二百三十四令吉五十仙", "一千二百三十四令吉五十仙"},
      {"$5", "五美元", "五美金"},
      {"usd 100", "一百美元", "一百美金"},
      {"€3.5", "三欧元五十分", "三欧元五十仙"},
      {"£2.05", "二英镑五便士", "二英磅五仙"},
      {"$3.00", "三美元", "三美金"},
      {"RM1,50", "一百五十令吉", "一百五十令吉"},  // a comma is never a decimal mark
      {"$5千万", "五千万美元", "五千万美金"},       // the longest scale word
      {"MYR 7千亿", "七千亿令吉", "七千亿令吉"},
      // a fraction before a scale word is part of the scaled number
      {"RM1.5万", "一点五万令吉", "一点五万令吉"},
      {"$2.50亿", "二点五亿美元", "二点五亿美金"},
      {"RM3.00万", "三万令吉", "三万令吉"},
      // an English scale word is part of the amount
      {"$2.5 billion", "二十五亿美元", "二十五亿美金"},
      {"RM1,234.5 thousand", "一百二十三万四千五百令吉", "一百二十三万四千五百令吉"},
      {"£3 million", "三百万英镑", "三百万英磅"},
      {"RM20.500", "二十点五零零令吉", "二十点五零零令吉"},  // more decimals than cents: one number
  };
  CHECK_TABLE(cases);
}

TEST(normalize_zh_variant, times) {
  const Case cases[] = {
      {"0:00", "凌晨十二点", "凌晨十二点"},
      {"12:00", "中午十二点", "中午十二点"},
      {"9:05", "九点五分", "九点五分"},
      {"14:30", "十四点三十分", "十四点三十分"},
      {"9:00", "九点", "九点"},
      {"2:30 pm", "下午二点三十分", "下午二点三十分"},
      {"8.15am", "上午八点十五分", "上午八点十五分"},
      {"11:00 P.M.", "下午十一点", "下午十一点"},
      {"下午3:30", "下午三点三十分", "下午三点三十分"},
      {"晚上8:00", "晚上八点", "晚上八点"},
      {"3pm", "下午三点", "下午三点"},
      // h:mm:ss is one time, its seconds read
      {"1:01:01", "一点一分一秒", "一点一分一秒"},
      {"2:30:15 pm", "下午二点三十分十五秒", "下午二点三十分十五秒"},
      {"下午3:00:05", "下午三点零分五秒", "下午三点零分五秒"},
      {"10 a.m.", "上午十点", "上午十点"},
  };
  CHECK_TABLE(cases);
}

TEST(normalize_zh_variant, numbers_and_tokens) {
  const Case cases[] = {
      {"1,234,567", "一百二十三万四千五百六十七", "一百二十三万四千五百六十七"},
      {"1,234.05", "一千二百三十四点零五", "一千二百三十四点零五"},
      {"3.14", "三点一四", "三点一四"},
      {".5", "零点五", "零点五"},
      {"012-3456", "零 一 二 三 四 五 六", "零 一 二 三 四 五 六"},
      {"+6012-3456", "六 零 一 二 三 四 五 六", "六 零 一 二 三 四 五 六"},
      // Digits of another script are kept, not dropped with the hyphens (the
      // number pass then reads each as it reads any unreadable number).
      {"\u0663-\u0664", "零 零", "零 零"},
      {"x12-34", "x 一二 三 四", "x 一二 三 四"},  // a letter before keeps its digit apart
      {"A1-B2", "A 一 B 二", "A 一 B 二"},
      {"COVID19", "C O V I D 一 九", "C O V I D 一 九"},
      {"1999", "一九九九", "一九九九"},
      {"2099", "二零九九", "二零九九"},
      {"2100", "二千一百", "二千一百"},
      {"0999", "九百九十九", "九百九十九"},
      {"05", "五", "五"},
      {"12345678901234567", "太大", "太大"},
      // past 128 bits the integer reading gives zero
      {"340282366920938463463374607431768211456", "零", "零"},
      {"a.b", "a点b", "a点b"},
      {"  我有3个苹果 \n", "我有三个苹果", "我有三个苹果"},
      {"", "", ""},
  };
  CHECK_TABLE(cases);
}

TEST(normalize_zh_variant, non_ascii_digits_read_as_zero) {
  const Case cases[] = {
      {"\u0663", "零", "零"},                      // Arabic-Indic three
      {"\uFF15", "零", "零"},                      // fullwidth five
      {"\u0663%", "百分之零", "零巴仙"},
      {"\u0663/\u0664/2024", "零/零/二零二四", "零/零/二零二四"},  // month 0: no date
      {"$1.\uFF15", "一美元零分", "一美金零仙"},  // cents are read, as zero
      {"abc\u0663", "a b c零", "a b c零"},        // a digit of any script makes a mixed token
      {"abc我", "abc我", "abc我"},
  };
  CHECK_TABLE(cases);
}

TEST(normalize_zh_variant, long_runs_stay_linear) {
  // A run that cannot be a mixed token must not be rescanned from each character.
  const std::string letters(200000, 'q'), digits(200000, '7');
  const std::string in = letters + " " + digits + "x" + digits + "-我" + letters;
  const std::string out = normalize_zh_variant(in, false);
  EXPECT_EQ(out.substr(0, letters.size() + 1), letters + " ");
  EXPECT_EQ(out.substr(out.size() - letters.size() - 4), "-我" + letters);
}

TEST(normalize_zh_variant, stash_keys_survive) {
  const Case cases[] = {
      {"entstasha-entstashb", "entstasha-entstashb", "entstasha-entstashb"},
      {"entstashab-B2", "entstashab-B 二", "entstashab-B 二"},
      {"x entstashz-9 y", "x entstashz-九 y", "x entstashz-九 y"},
      {"entstasha5", "entstasha五", "entstasha五"},
      {"entstashaa.entstashb 12:00", "entstashaa点entstashb 中午十二点",
       "entstashaa点entstashb 中午十二点"},
      {"entstashpm 3 entstasham", "entstashpm 三 entstasham", "entstashpm 三 entstasham"},
  };
  CHECK_TABLE(cases);
}

}  // namespace
}  // namespace kalvesta::normalize_zh

// The stash and put-back around the Chinese passes: typed
// placeholders joined by hyphens become keys, cross the passes, come back.
#include "stash.h"

namespace kalvesta::normalize_zh {
namespace {

TEST(normalize_zh_variant, placeholders_round_trip) {
  std::string chain;
  for (int i = 1; i <= 30; ++i) {  // stash indices 0..29: keys "a" .. "ad"
    if (i > 1) chain += '-';
    chain += "<<<ABC_" + std::to_string(i) + ">>>";
  }
  struct Case { std::string in, want; };
  const Case cases[] = {
      {"<<<ABC_1>>>-<<<ABC_2>>> 3", "<<<ABC_1>>>-<<<ABC_2>>> 三"},
      {"<<<ABC_1>>>-B2", "<<<ABC_1>>>-B 二"},
      {chain + " 5", chain + " 五"},
  };
  for (bool is_my : {false, true}) {
    for (const auto& c : cases) {
      auto stashed = stash::stash_placeholders(c.in);
      const std::string spoken = normalize_zh_variant(stashed.text, is_my);
      EXPECT_EQ(stash::unstash_placeholders(spoken, stashed.stash), c.want)
          << (is_my ? "zh_my: " : "zh: ") << c.in;
    }
  }
}

}  // namespace
}  // namespace kalvesta::normalize_zh
