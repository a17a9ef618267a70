#include "platform/posix/os_product_name.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// Windows XP's own handling of drops keys on this name; here it only says
// what the system is.
TEST(OsProductName, DescribesTheRunningSystemAndIsNeverWindowsXp) {
  GbkText name = OsProductName();
  EXPECT_FALSE(name.empty());
  EXPECT_FALSE(name.starts_with("Windows XP"));
  EXPECT_NE(name.find("Linux"), GbkText::npos);
}

}  // namespace
}  // namespace qm
