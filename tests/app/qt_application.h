#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/free_aside.h"

namespace qm {

// One QApplication for the whole test program, gone before the program ends.
// Rename journals go to a state folder of the test program's own.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    char pattern[] = "/tmp/qm_state_XXXXXX";
    state_ = mkdtemp(pattern);
    setenv("XDG_STATE_HOME", state_.c_str(), 1);
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override {
    application_.reset();
    // A journal the last test removed may still be being unlinked aside.
    WaitUntilAsideDone();
    std::filesystem::remove_all(state_);
  }

 private:
  int argc_ = 1;
  char name_[8] = "test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
  std::string state_;
};

inline ::testing::Environment* const qt_application_environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace qm
