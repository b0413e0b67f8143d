// Windows tests that start the real main window keep the Donate dialog off
// for the whole test program (see donate_choice_value.h).
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/donate_choice_value.h"

namespace velotune {

// The choice switched off before the program's first test and given back
// after its last.
class DonateChoiceForAllTests : public ::testing::Environment {
 public:
  void SetUp() override { choice_ = std::make_unique<DonateChoice>(); }
  void TearDown() override { choice_.reset(); }

 private:
  std::unique_ptr<DonateChoice> choice_;
};

}  // namespace velotune
