#include <gtest/gtest.h>

#include <string_view>

#include "shared.h"

using kalvesta::shared::normalize_measurements;
using kalvesta::shared::shared_pattern;
using kalvesta::shared::shared_spoken;

namespace {

struct SpokenCase {
  std::string_view kind, lang, in, want;
};

constexpr SpokenCase kSpoken[] = {
    // IC: every ASCII digit spelled, everything else skipped.
    {"IC", "ms", "880101-14-5678", "lapan lapan kosong satu kosong satu satu empat lima enam tujuh lapan"},
    {"IC", "id", "800101 14 0000", "delapan nol nol satu nol satu satu empat nol nol nol nol"},
    {"IC", "zh", "12-3", "一 二 三"},
    {"IC", "ms", "tiada", ""},
    // HIJRI
    {"HIJRI", "ms", "1445H", "satu empat empat lima Hijri"},
    {"HIJRI", "id", "1445 h", "satu empat empat lima Hijriah"},
    {"HIJRI", "zh", "1445H", "一 四 四 五 Hijri"},
    {"HIJRI", "ms", "tahun ini", "tahun ini"},
    // X_KALI
    {"X_KALI", "ms", "3x", "tiga kali"},
    {"X_KALI", "en", "3 X", "three times"},
    {"X_KALI", "EN", "3x", "tiga times"},  // English pack, Malay speller
    {"X_KALI", "id", "8x", "delapan kali"},
    {"X_KALI", "zh", "3X", "三次"},
    {"X_KALI", "zh", "2x", "两次"},
    {"X_KALI", "zh_my", "12x", "十二次"},
    {"X_KALI", "ms", "1234567890123456789012345678901234567890x", "kosong kali"},
    {"X_KALI", "en", "4.4x", "four point four times"},  // a fraction is read whole
    {"X_KALI", "ms", "1,5x", "satu perpuluhan lima kali"},
    {"X_KALI", "en", "1,000x", "one thousand times"},
    {"X_KALI", "id", "4.50x", "empat koma lima nol kali"},
    {"X_KALI", "zh", "2.5x", "二点五次"},
    // FRACTION
    {"FRACTION", "ms", "3/4", "tiga per empat"},
    {"FRACTION", "ms", "3 / 4", "tiga per empat"},
    {"FRACTION", "en", "3/4", "three over four"},
    {"FRACTION", "id", "18/100", "delapan belas per seratus"},
    {"FRACTION", "zh", "3/4", "四分之三"},
    {"FRACTION", "zh_my", "1 / 2", "二分之一"},
    {"FRACTION", "ms", "1/2/2024", "1/2/2024"},  // a date, not a fraction
    // HARI_BULAN: the same fixed words in every language.
    {"HARI_BULAN", "ms", "15hb", "lima belas hari bulan"},
    {"HARI_BULAN", "ms", "15 HB", "lima belas hari bulan"},
    {"HARI_BULAN", "zh", "15hb", "lima belas hari bulan"},
    {"HARI_BULAN", "en", "1hb", "one hari bulan"},
    {"HARI_BULAN", "ms", "32hb", "32hb"},
    // TEMPERATURE
    {"TEMPERATURE", "ms", "25°c", "dua puluh lima celcius"},
    {"TEMPERATURE", "ms", "36,6°c", "tiga puluh enam perpuluhan enam celcius"},
    {"TEMPERATURE", "en", "1,000°F", "one thousand fahrenheit"},  // three digits group thousands
    {"TEMPERATURE", "ms", "1,234.5°C", "seribu dua ratus tiga puluh empat perpuluhan lima celcius"},
    {"TEMPERATURE", "ms", "36.05 c", "tiga puluh enam perpuluhan kosong lima celcius"},
    {"TEMPERATURE", "ms", "36.50C", "tiga puluh enam perpuluhan lima kosong celcius"},
    {"TEMPERATURE", "ms", "-5°c", "negatif lima celcius"},
    {"TEMPERATURE", "ms", "-0.5°c", "negatif kosong perpuluhan lima celcius"},
    {"TEMPERATURE", "id", "30C", "tiga puluh selsius"},
    {"TEMPERATURE", "en", "98.6F", "ninety-eight perpuluhan six fahrenheit"},
    {"TEMPERATURE", "en", "-40 F", "negative forty fahrenheit"},
    {"TEMPERATURE", "zh", "36.5°c", "三十六点五摄氏度"},
    {"TEMPERATURE", "zh", "25K", "二十五开尔文"},
    {"TEMPERATURE", "zh", "-5°c", "负五摄氏度"},
    {"TEMPERATURE", "zh_my", "-1.05k", "负一点零五开尔文"},
    {"TEMPERATURE", "ms", "25cm", "25cm"},  // a unit letter must stand alone
};

TEST(shared_spoken, reads_each_kind_per_language) {
  for (const auto& c : kSpoken) {
    auto got = shared_spoken(c.kind, c.in, c.lang);
    ASSERT_TRUE(got.has_value()) << c.kind << " " << c.in;
    EXPECT_EQ(*got, c.want) << c.kind << " " << c.lang << " " << c.in;
  }
}

TEST(shared_spoken, other_kinds_give_nothing) {
  for (std::string_view kind : {"temperature", "URL", "DATE", "", "HIJRI "}) {
    EXPECT_FALSE(shared_spoken(kind, "25C", "ms").has_value()) << kind;
    EXPECT_EQ(shared_pattern(kind), nullptr) << kind;
  }
}

TEST(shared_pattern, one_compiled_pattern_per_kind) {
  for (std::string_view kind : {"TEMPERATURE", "FRACTION", "X_KALI", "IC", "HARI_BULAN", "HIJRI"}) {
    const auto* re = shared_pattern(kind);
    ASSERT_NE(re, nullptr) << kind;
    EXPECT_EQ(re, shared_pattern(kind)) << kind;
  }
  EXPECT_TRUE(shared_pattern("IC")->is_match("880101-14-5678"));
  EXPECT_TRUE(shared_pattern("IC")->is_match("880101145678"));
  EXPECT_FALSE(shared_pattern("IC")->is_match("8801011456789"));
}

struct MeasureCase {
  std::string_view lang, in, want;
};

constexpr MeasureCase kMeasures[] = {
    {"ms", "5 km", "lima kilometer"},
    {"ms", "5km/h", "lima kilometer/h"},
    {"ms", "5 KM", "lima kilometer"},
    {"ms", "1,5 kg", "satu perpuluhan lima kilogram"},  // a comma is a decimal point here
    {"ms", "1.50 kg", "satu perpuluhan lima kilogram"},
    {"ms", "2.0 kg", "dua kilogram"},
    {"ms", "1.0000000000000000001 km",
     "satu perpuluhan kosong kosong kosong kosong kosong kosong kosong kosong kosong kosong kosong kosong "
     "kosong kosong kosong kosong kosong kosong satu kilometer"},  // every digit as written
    {"ms", "0.5 l", "kosong perpuluhan lima liter"},
    {"ms", "5 mi", "lima batu"},
    {"ms", "5G", "lima gram"},
    {"ms", "3 jam", "tiga jam"},
    {"ms", "1.5 hours", "1.5 jam"},  // a duration's fraction is left to the language passes
    {"en", "2.5hours", "2.5 hours"},
    {"ms", "5 sq ft", "lima kaki persegi"},
    {"ms", "5 sqft", "lima kaki persegi"},
    {"ms", "5 km dan 3 kg", "lima kilometer dan tiga kilogram"},
    {"ms", "1234567890123456789012345678901234567890 km", "terlalu besar kilometer"},
    {"id", "8 minit", "delapan menit"},
    {"en", "3 hours", "three hours"},
    {"en", "1 hour", "one hour"},
    {"en", "12.25 lb", "twelve perpuluhan two five pounds"},
    {"en", "2.05 km", "two perpuluhan zero five kilometers"},
    {"en", "5 in stock", "five inches stock"},
    {"zh", "5 km", "五公里"},
    {"zh", "1.5 km", "一点五公里"},
    {"zh", "1.50 km", "一点五零公里"},
    {"zh_my", "10 mg", "十毫克"},
    // A "-" here joins a range or token: it stays in front of the reading.
    {"ms", "10-20 km", "10-dua puluh kilometer"},
    {"ms", "A-5kg", "A-lima kilogram"},
    {"en", "2-3.5 l", "2-three perpuluhan five liters"},
    {"zh", "10-20 km", "10-二十公里"},
    // Digits other than 0-9 keep their text; only the unit is spoken.
    {"ms", "٥ km", "٥ kilometer"},
    {"ms", "٥,٥ kg", "٥,٥ kilogram"},
};

// A comma followed by exactly three digits (and no further digit) groups
// thousands; any other comma is a decimal point.
constexpr MeasureCase kGroupedMeasures[] = {
    {"ms", "1,000 km", "seribu kilometer"},
    {"ms", "1,234.5 km", "seribu dua ratus tiga puluh empat perpuluhan lima kilometer"},
    {"ms", "1,2345 km", "satu perpuluhan dua tiga empat lima kilometer"},
    {"ms", "1,000,5 kg", "seribu perpuluhan lima kilogram"},
    {"en", "1,000 km", "one thousand kilometers"},
    {"en", "1,000,000 sqft", "one million square feet"},
    {"id", "1,000 l", "seribu liter"},  // the pre-parse writes ‘1.000’ so
    {"id", "1,5 l", "satu perpuluhan lima liter"},
    {"zh", "1,000 km", "一千公里"},
    {"ms", ".5 km", "perpuluhan lima kilometer"},  // a leading-dot decimal
    {"zh", "(.5kg)", "(零点五公斤)"},
    {"zh_my", "2,500.25 kg", "二千五百点二五公斤"},
    {"ms", "12345678901234567.5 km",
     "dua belas quadrillion tiga ratus empat puluh lima trilion enam ratus tujuh puluh lapan bilion sembilan "
     "ratus satu juta dua ratus tiga puluh empat ribu lima ratus enam puluh tujuh perpuluhan lima kilometer"},
};

TEST(normalize_measurements, grouped_numbers_read_whole) {
  for (const auto& c : kGroupedMeasures)
    EXPECT_EQ(normalize_measurements(c.in, c.lang), c.want) << c.lang << " " << c.in;
}

TEST(normalize_measurements, reads_number_and_unit) {
  for (const auto& c : kMeasures)
    EXPECT_EQ(normalize_measurements(c.in, c.lang), c.want) << c.lang << " " << c.in;
}

// Each of these is left as written, for the reason given.
constexpr MeasureCase kMeasureRefused[] = {
    {"ms", "5 min", "5 min"},            // "min" is no unit
    {"ms", "5 sq  ft", "5 sq  ft"},      // the area key has one blank only
    {"ms", "5kmh", "5kmh"},              // the unit must end a word
    {"zh", "5 ft", "5 ft"},              // no Chinese word for feet
    {"zh", "2 hours", "2 hours"},        // nor durations
    {"zh", "5 sqft", "5 sqft"},          // nor areas
    {"en", "abc5 km", "abc5 km"},        // the number must start a word
};

TEST(normalize_measurements, leaves_what_it_cannot_say) {
  for (const auto& c : kMeasureRefused)
    EXPECT_EQ(normalize_measurements(c.in, c.lang), c.want) << c.lang << " " << c.in;
}

}  // namespace
