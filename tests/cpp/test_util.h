// Small helpers shared by the C++ tests.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "numtext.h"

namespace kalvesta::test {

constexpr u128 pow10(unsigned e) {
  u128 v = 1;
  for (unsigned i = 0; i < e; ++i) v *= 10;
  return v;
}

// A pass or speller read as (text, language) -> text.
using Pass = std::string (*)(std::string_view, std::string_view);

struct Row {
  std::string_view lang, in, want;
};

template <std::size_t N>
void expect_rows(Pass pass, const Row (&rows)[N]) {
  for (const Row& r : rows) EXPECT_EQ(pass(r.in, r.lang), r.want) << r.lang << ": " << r.in;
}

}  // namespace kalvesta::test
