#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace qm {

// One QApplication for the whole test program, gone before the program ends.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[8] = "test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

inline ::testing::Environment* const qt_application_environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace qm
