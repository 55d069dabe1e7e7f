#include <gtest/gtest.h>

#include <string_view>

#include "shared.h"

using kalvesta::shared::normalize_measurements;

namespace {

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
    {"ms", "2,5 jam", "2.5 jam"},  // a decimal comma as a point
    {"en", "1,000.5 hours", "1,000.5 hours"},
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
