// Malay rule passes and the currency scale-suffix expansion.
#include "normalize.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>

namespace {

using namespace kalvesta::normalize;

struct Case {
  std::string_view in, want;
};

// ---- scale suffixes ----

constexpr Case kAllSuffixes[] = {
    {"RM1.5K", "RM1500"},
    {"rm 2k", "rm2000"},  // code keeps its case, the space goes
    {"Rp5 juta", "Rp5000000"},
    {"USD3 trilion", "USD3000000000000"},
    {"USD3 triliun", "USD3000000000000"},
    {"$2B", "$2000000000"},
    {"€3  miliar", "€3000000000"},  // a word suffix takes any run of whitespace
    {"RM1.2345K", "RM1234.5"},
    {"RM2K ribu", "RM2000000"},  // the later pass sees the earlier one's output  // a fraction left over keeps its decimals
    {"RM5M", "RM5000000"},
    {"harga RM2k dan RM3K.", "harga RM2000 dan RM3000."},
    {"RM٥K", "RM0"},  // other digits read as 0
    // Digit arithmetic: exact at any size, no float rounding.
    {"RM9300000T", "RM9300000000000000000"},
    {"RM10000000T", "RM10000000000000000000"},
    {"RM12345678901234567K", "RM12345678901234567000"},
    {"RM1.1K", "RM1100"},
    {"RM0.0001K", "RM0.1"},
    {"RM007.50K", "RM7500"},
    {"$0.5 juta", "$500000"},
    {"RM1,500K", "RM1500000"},  // grouping commas go
    {"$1,234.5 ribu", "$1234500"},
};

constexpr Case kSuffixRefused[] = {
    {"RM5 K", "RM5 K"},        // a letter suffix must follow the digits directly
    {"RM5juta", "RM5juta"},    // a word suffix needs whitespace before it
    {"XRM5K", "XRM5K"},        // code preceded by a word character
    {"RM5Kg", "RM5Kg"},        // the suffix must end a word
    {"5K", "5K"},              // no currency code
    {"RM 5K2", "RM 5K2"},
};

TEST(expand_all_currency_suffixes, expands) {
  for (const auto& c : kAllSuffixes) EXPECT_EQ(expand_all_currency_suffixes(c.in), c.want) << c.in;
}

TEST(expand_all_currency_suffixes, refuses) {
  for (const auto& c : kSuffixRefused) EXPECT_EQ(expand_all_currency_suffixes(c.in), c.want) << c.in;
}

TEST(expand_all_currency_suffixes, any_size) {
  std::string in = "RM1" + std::string(300, '0') + "T";
  EXPECT_EQ(expand_all_currency_suffixes(in), "RM1" + std::string(312, '0'));
}

constexpr Case kNoM[] = {
    {"RM5M", "RM5M"},  // M is miliar in Indonesian and is left to its pre-parse
    {"Rp5 juta", "Rp5000000"},
    {"IDR2K", "IDR2000"},
    {"$1.5B", "$1500000000"},
    {"Rp7 ribu", "Rp7000"},
};

TEST(expand_suffixes_no_m, leaves_m_alone) {
  for (const auto& c : kNoM) EXPECT_EQ(expand_suffixes_no_m(c.in), c.want) << c.in;
}

TEST(expand_suffix, one_pattern) {
  EXPECT_EQ(expand_suffix("RM2K RM2M", *RE_K_SUFFIX, 3), "RM2000 RM2M");
  EXPECT_EQ(expand_suffix("rp0.5 JUTA", *RE_JUTA_SUFFIX, 6), "rp500000");
}

// ---- Malay passes ----

constexpr Case kMoney[] = {
    {"RM5", "lima ringgit"},
    {"rm 5", "lima ringgit"},
    {"RM5.50", "lima ringgit lima puluh sen"},
    {"RM5.5", "lima ringgit lima puluh sen"},  // one fraction digit is tens of sen
    {"RM5.05", "lima ringgit lima sen"},
    {"RM5.00", "lima ringgit"},
    {"RM5.0", "lima ringgit"},
    {"RM12,50", "seribu dua ratus lima puluh ringgit"},  // a comma is never a decimal sign here
    {"RM1,500,000", "satu juta lima ratus ribu ringgit"},
    {"RM20.500", "dua puluh perpuluhan lima kosong kosong ringgit"},  // more decimals than sen: one number
    {"£1.25", "satu pound dua puluh lima pence"},
    {"$1.25", "satu dollar dua puluh lima cents"},  // the entity speller's words
    {"$2.5 million", "dua perpuluhan lima juta dollar"},
    {"£3 thousand", "tiga ribu pound"},
    {"€2 billion", "dua bilion euro"},
    {"RM3.5 MILLION", "tiga perpuluhan lima juta ringgit"},
    {"RM1.5K", "seribu lima ratus ringgit"},  // scale suffix expanded first
    {"rm 2k", "dua ribu ringgit"},
    {"RM10000000000000000K", "sepuluh quintillion ringgit"},  // past the i64 range
    // 2^128 overflows the reader and reads as zero; 2^128 - 1 is past the speller.
    {"RM340,282,366,920,938,463,463,374,607,431,768,211,456", "kosong ringgit"},
    {"RM340,282,366,920,938,463,463,374,607,431,768,211,455", "terlalu besar ringgit"},
    {"XRM5", "X R M lima"},  // not money: the code is inside a word
};

TEST(normalize_malay, money) {
  for (const auto& c : kMoney) EXPECT_EQ(normalize_malay(c.in), c.want) << c.in;
}

constexpr Case kDates[] = {
    {"05/03/24", "lima Mac dua puluh empat"},
    {"31.12.99", "tiga puluh satu Disember sembilan puluh sembilan"},
    {"2024-03-05", "lima Mac dua ribu dua puluh empat"},
    {"2024/1/5", "lima Januari dua ribu dua puluh empat"},
    // no month 13 or 0, no day 32: not a date, its numbers read apart
    {"5/13/2024", "lima/tiga belas/dua ribu dua puluh empat"},
    {"01/00/2024", "satu/kosong/dua ribu dua puluh empat"},
    {"32/01/2024", "tiga puluh dua/satu/dua ribu dua puluh empat"},
};

TEST(normalize_malay, dates) {
  for (const auto& c : kDates) EXPECT_EQ(normalize_malay(c.in), c.want) << c.in;
}

constexpr Case kTimes[] = {
    {"10:30", "sepuluh tiga puluh"},
    {"10:00", "sepuluh"},
    {"0:00", "tengah malam"},
    {"00:00", "tengah malam"},
    {"12:00", "tengah hari"},
    {"10:30 pagi", "sepuluh tiga puluh pagi"},
    {"10:30pm", "sepuluh tiga puluh p m"},
    {"7:00 AM", "tujuh a m"},
    {"10.30 Malam", "sepuluh tiga puluh Malam"},  // long period words keep their case
    {"8:45 petang", "lapan empat puluh lima petang"},
    {"9:15 a.m.", "sembilan lima belas a.m."},
    {"3pm", "tiga petang"},
    {"17pm", "tujuh belas petang"},
    {"18pm", "lapan belas malam"},
    {"20 pm", "dua puluh malam"},
    {"7 am", "tujuh pagi"},
    {"2 tengah hari", "dua tengah hari"},
    // h:mm:ss is one time, its seconds read
    {"1:01:01", "satu satu satu"},
    {"12:30:45 pm", "dua belas tiga puluh empat puluh lima p m"},
    // A "%" later on the same line stops the clock reading; on the next line it does not.
    {"10:30 to 50%", "sepuluh:tiga puluh to lima puluh peratus"},
    {"10:30\n50%", "sepuluh tiga puluh\nlima puluh peratus"},
};

TEST(normalize_malay, times) {
  for (const auto& c : kTimes) EXPECT_EQ(normalize_malay(c.in), c.want) << c.in;
}

constexpr Case kNumbers[] = {
    {"50%", "lima puluh peratus"},
    {"12.5%", "dua belas perpuluhan lima peratus"},
    {"0.05%", "kosong perpuluhan kosong lima peratus"},
    {".5%", "perpuluhan lima peratus"},
    {"2,500%", "dua ribu lima ratus peratus"},
    {"3.14", "tiga perpuluhan satu empat"},
    {"(.25)", "(perpuluhan dua lima)"},
    {"10.30", "sepuluh perpuluhan tiga kosong"},
    {"012-3456789", "kosong satu dua tiga empat lima enam tujuh lapan sembilan"},
    {"1-2", "dua belas"},
    {"+60-123-4567", "enam kosong satu dua tiga empat lima enam tujuh"},
    {"3 4", "tiga puluh empat"},
    {"3 4.", "tiga puluh empat."},
    {"3 4!", "tiga puluh empat!"},
    {"3 4 x", "tiga puluh empat x"},
    {"3\t4", "tiga\tempat"},  // only spaces are removed, so a tab keeps them apart
    {"1,234,567", "satu juta dua ratus tiga puluh empat ribu lima ratus enam puluh tujuh"},
    {"1,500", "seribu lima ratus"},
    {"12345", "satu dua tiga empat lima"},
    {"1234", "seribu dua ratus tiga puluh empat"},
    {"808", "lapan ratus lapan"},
    {"١٢٣٤٥", "kosong kosong kosong kosong kosong"},  // five or more bytes: per character
    {"١٢٣", "kosong kosong kosong"},
    {"١٢", "kosong"},  // under five bytes: one unreadable number
};

TEST(normalize_malay, numbers) {
  for (const auto& c : kNumbers) EXPECT_EQ(normalize_malay(c.in), c.want) << c.in;
}

constexpr Case kMixed[] = {
    {"A1", "A satu"},
    {"b2b", "B dua B"},
    {"x_9", "X sembilan"},
    {"covid19", "C O V I D satu sembilan"},
    {"covid-19", "covid-sembilan belas"},  // the number after the hyphen is read first
    {"ß1", "SS satu"},                      // full upper-case mapping
    {"abc", "abc"},
    {"entstashab", "entstashab"},
    {"entstasha 5 entstashb", "entstasha lima entstashb"},
};

TEST(normalize_malay, mixed_tokens) {
  for (const auto& c : kMixed) EXPECT_EQ(normalize_malay(c.in), c.want) << c.in;
}

TEST(normalize_malay, sentence) {
  EXPECT_EQ(normalize_malay("Pada 05/03/24, 3 4 orang bayar RM12.5 untuk 2 tiket."),
            "Pada lima Mac dua puluh empat, tiga puluh empat orang bayar dua belas ringgit lima puluh sen "
            "untuk dua tiket.");
}

struct CharCase {
  char32_t in;
  std::string_view want;
};
constexpr CharCase kDigitWordUpper[] = {
    {U'0', "kosong"}, {U'8', "lapan"}, {U'9', "sembilan"}, {U'a', "A"}, {U'ß', "SS"}, {U'٣', "٣"},
};

TEST(digit_word_upper, words_and_capitals) {
  for (const auto& c : kDigitWordUpper) EXPECT_EQ(digit_word_upper(c.in), c.want) << static_cast<unsigned>(c.in);
}

constexpr std::string_view kOddInputs[] = {
    "", " ", "RM", "RM.", "%%%", "::", "1:", ":30", "-", "--1", "+", "+-+", "1-", "RM,", "$,,,5",
    "12:99pm", "99:99", "entstasha", "\n\n", "٣:٣٣", "x-y-z", "1e5K", "RM5.K",
};

TEST(normalize_malay, odd_input_does_not_throw) {
  for (auto in : kOddInputs) {
    EXPECT_NO_THROW(normalize_malay(in)) << in;
    EXPECT_NO_THROW(expand_all_currency_suffixes(in)) << in;
  }
}

// Doubling the text must not much more than double the time, even on one
// line (the driver may join the whole text into one).
TEST(normalize_malay, linear_time) {
  const std::string line =
      "Pada 05/03/24 jam 10:30 pagi, 12.5% daripada 1,234 orang bayar RM5.50 (rujukan A1-b2, 012-3456). ";
  auto timed = [&](std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += line;
    auto t0 = std::chrono::steady_clock::now();
    std::string out = normalize_malay(text);
    EXPECT_FALSE(out.empty());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  };
  timed(10'000);  // warm-up: compile the patterns
  double t1 = timed(100'000), t2 = timed(200'000);
  EXPECT_LT(t2, 4 * t1 + 0.05) << t1 << " s vs " << t2 << " s";
}

// The dashed-digits pass on a long run that does not match.
TEST(normalize_malay, long_digit_runs_are_linear) {
  auto timed = [](std::size_t n) {
    std::string text(n, '1');
    text += "-5a";
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(normalize_malay(text).empty());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  };
  timed(1'000);
  double t1 = timed(100'000), t2 = timed(200'000);
  EXPECT_LT(t2, 4 * t1 + 0.05) << t1 << " s vs " << t2 << " s";
}

}  // namespace
