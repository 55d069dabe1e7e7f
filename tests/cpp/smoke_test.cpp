#include <gtest/gtest.h>
#include "pipeline.h"
TEST(smoke, builds) { EXPECT_TRUE(true); }
