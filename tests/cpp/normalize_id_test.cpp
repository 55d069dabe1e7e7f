// Indonesian number-format pre-parse and rule passes.
#include "normalize_id.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>

namespace {

using namespace kalvesta::normalize_id;

struct Case {
  std::string_view in, want;
};

constexpr Case kPreparse[] = {
    {"1.500.000", "1,500,000"},
    {"1.234.567,89", "1234567.89"},  // the dotted number takes its comma decimal with it
    {"12,5", "12.5"},
    {"12,50", "12.50"},
    {"Rp5jt", "Rp5 juta"},
    {"Rp 2.5M", "Rp 2.5 miliar"},
    {"IDR10K", "IDR10 ribu"},
    {"rp3t", "rp3 triliun"},
    {"Rp4 B", "Rp4 miliar"},
    {"10rb", "10 ribu"},
    {"5 JT", "5 juta"},
    {"Rp1.500rb", "Rp1,500 ribu"},  // grouped first, so the bare suffix pass takes "500rb"
    // Left alone:
    {"1.5", "1.5"},              // a dot group needs three digits
    {"3.14", "3.14"},
    {"1.234.5678", "1.234.5678"},  // followed by a digit
    {"1,234,567", "1,234,567"},    // already comma-grouped
    {"12,345", "12,345"},          // three digits after a comma are not decimals
    {"RM5M", "RM5M"},              // letter suffixes only after Rp or IDR
    {"5rbu", "5rbu"},
};

TEST(preparse_number_formats, rewrites) {
  for (const auto& c : kPreparse) EXPECT_EQ(preparse_number_formats(c.in), c.want) << c.in;
}

TEST(preparse_number_formats, second_run_changes_nothing) {
  for (const auto& c : kPreparse) {
    std::string once = preparse_number_formats(c.in);
    EXPECT_EQ(preparse_number_formats(once), once) << c.in;
  }
}

constexpr Case kSuffixWords[] = {
    {"K", "ribu"}, {"rb", "ribu"}, {"RB", "ribu"}, {"Jt", "juta"}, {"M", "miliar"}, {"b", "miliar"}, {"T", "triliun"},
};

TEST(suffix_word, table) {
  for (const auto& c : kSuffixWords) EXPECT_EQ(suffix_word(c.in), c.want) << c.in;
}

constexpr Case kMoney[] = {
    {"Rp5.000", "lima ribu rupiah"},
    {"Rp5jt", "lima juta rupiah"},
    {"Rp 10.000,50", "sepuluh ribu rupiah lima nol sen"},
    {"Rp5.5", "lima rupiah lima sen"},
    {"Rp5.00", "lima rupiah nol nol sen"},  // fractions are always read digit by digit
    {"Rp2,5 miliar", "dua miliar lima ratus juta rupiah"},
    {"IDR 2 juta", "dua juta rupiah"},
    {"Rp1.500jt", "satu miliar lima ratus juta rupiah"},
    {"$2.5 billion", "dua koma lima miliar dolar"},
    {"€1.5 thousand", "satu koma lima ribu euro"},
    {"£3", "tiga pound"},
    {"RM7", "tujuh ringgit"},
    {"$2.5000", "dua koma lima nol nol nol dolar"},  // more decimals than sen: one number
    {"RM5M", "R M lima M"},  // M is not a scale after RM; the token is spelt out
};

TEST(normalize_indonesian, money) {
  for (const auto& c : kMoney) EXPECT_EQ(normalize_indonesian(c.in), c.want) << c.in;
}

constexpr Case kCurrencyOnly[] = {
    {"Rp5.00", "lima rupiah nol nol sen"},
    {"IDR 1,000", "seribu rupiah"},
    {"Rp 2.5 juta", "dua koma lima juta rupiah"},
    {"rp7", "tujuh rupiah"},
    {"xRp7", "xRp7"},
};

TEST(normalize_currency_id, alone) {
  for (const auto& c : kCurrencyOnly) EXPECT_EQ(normalize_currency_id(c.in), c.want) << c.in;
}

constexpr Case kDatesTimes[] = {
    {"05/03/24", "lima Maret dua puluh empat"},
    {"2024-08-17", "tujuh belas Agustus dua ribu dua puluh empat"},
    {"17.08.2024", "tujuh belas Agustus dua ribu dua puluh empat"},
    {"1/13/2024", "satu/tiga belas/dua ribu dua puluh empat"},  // no month 13: not a date
    {"10:30", "sepuluh tiga puluh"},
    {"10.30", "sepuluh tiga puluh"},
    {"0.00", "tengah malam"},
    {"12.00", "tengah hari"},
    {"3.14", "tiga empat belas"},  // two digits after a dot read as a clock time
    {"1.5", "satu koma lima"},
    {".5", "koma lima"},
    {"10:30 pagi", "sepuluh tiga puluh pagi"},
    {"10.30 pm", "sepuluh tiga puluh sore"},
    {"19:30 pm", "sembilan belas tiga puluh malam"},
    {"9:00 malam", "sembilan malam"},
    {"3 sore", "tiga sore"},
    {"8 pm", "delapan sore"},
    {"20 pm", "dua puluh malam"},
    {"7 am", "tujuh pagi"},
    // h:mm:ss is one time, its seconds read
    {"1:01:01", "satu satu satu"},
    {"7:00:05 pagi", "tujuh nol lima pagi"},
    // A "%" later on the line keeps "12.50" a decimal; on the next line it does not.
    {"12,50 dan 10%", "dua belas koma lima nol dan sepuluh persen"},
    {"12,50\n10%", "dua belas lima puluh\nsepuluh persen"},
};

TEST(normalize_indonesian, dates_and_times) {
  for (const auto& c : kDatesTimes) EXPECT_EQ(normalize_indonesian(c.in), c.want) << c.in;
}

constexpr Case kNumbers[] = {
    {"12,5%", "dua belas koma lima persen"},
    {".5%", "koma lima persen"},
    {"1,234%", "satu koma dua tiga empat persen"},
    {"2.5%", "dua koma lima persen"},
    {"012-3456789", "nol satu dua tiga empat lima enam tujuh delapan sembilan"},
    {"1.500.000", "satu juta lima ratus ribu"},
    {"1.000", "seribu"},
    {"10rb", "sepuluh ribu"},
    {"3 4", "tiga puluh empat"},
    {"12345", "satu dua tiga empat lima"},
    {"0", "nol"},
    {"١٢", "nol"},
    {"A1", "A satu"},
    {"B8", "B delapan"},
    {"b2b", "B dua B"},
    {"entstashc 7", "entstashc tujuh"},
};

TEST(normalize_indonesian, numbers_and_tokens) {
  for (const auto& c : kNumbers) EXPECT_EQ(normalize_indonesian(c.in), c.want) << c.in;
}

constexpr Case kMixed[] = {
    {"x_9", "X sembilan"}, {"8b", "delapan B"}, {"abc", "abc"}, {"12", "12"}, {"ß2", "SS dua"},
};

TEST(normalize_mixed_alnum_id, tokens) {
  for (const auto& c : kMixed) EXPECT_EQ(normalize_mixed_alnum_id(c.in), c.want) << c.in;
}

TEST(normalize_indonesian, sentence) {
  EXPECT_EQ(normalize_indonesian("Harga naik 12,5% menjadi Rp1.500.000 pada 17.08.2024."),
            "Harga naik dua belas koma lima persen menjadi satu juta lima ratus ribu rupiah pada tujuh belas "
            "Agustus dua ribu dua puluh empat.");
}

constexpr std::string_view kOddInputs[] = {
    "", " ", "Rp", "Rp.", "%%%", ",,", "1,", ",5", ".5.", "1..000", "Rp,", "rb", "jt", "1.000.", "٣,٣",
    "99.99 pm", "1.2.3.4.5", "IDR-5",
};

TEST(normalize_indonesian, odd_input_does_not_throw) {
  for (auto in : kOddInputs) EXPECT_NO_THROW(normalize_indonesian(in)) << in;
}

// Doubling the text must not much more than double the time, even on one
// line (the driver may join the whole text into one).
TEST(normalize_indonesian, linear_time) {
  const std::string line =
      "Pada 17.08.2024 pukul 10.30 pagi, 12,5% dari 1.234 orang bayar Rp5.000 (kode A1-b2, 012-3456). ";
  auto timed = [&](std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += line;
    auto t0 = std::chrono::steady_clock::now();
    std::string out = normalize_indonesian(text);
    EXPECT_FALSE(out.empty());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  };
  timed(10'000);  // warm-up: compile the patterns
  double t1 = timed(100'000), t2 = timed(200'000);
  EXPECT_LT(t2, 4 * t1 + 0.05) << t1 << " s vs " << t2 << " s";
}

}  // namespace
