#include "common/run_time_error.h"

#include <gtest/gtest.h>

namespace lumaveil {
namespace {

TEST(RunTimeError, CarriesNumberAndDescriptionThroughStdException) {
  try {
    throw RunTimeError(error::kPathNotFound, "Path not found");
  } catch (const std::exception& e) {
    auto* err = dynamic_cast<const RunTimeError*>(&e);
    ASSERT_NE(err, nullptr);
    EXPECT_EQ(err->Number(), 76);
    EXPECT_EQ(err->Description(), "Path not found");
  }
}

}  // namespace
}  // namespace lumaveil
