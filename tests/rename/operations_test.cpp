#include "rename/operations.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qm {
namespace {

// Every operation has exactly one entry, one button, one profile, one
// transform and one English name that a command line can take as it is.
TEST(OperationRegistry, OneEntryButtonAndNamePerOperation) {
  std::set<Control> buttons;
  std::set<std::string> names;
  size_t index = 0;
  for (const OperationEntry& entry : Operations()) {
    SCOPED_TRACE(std::string(entry.name));
    EXPECT_EQ(static_cast<size_t>(entry.id), index++);
    EXPECT_TRUE(buttons.insert(entry.button).second);
    EXPECT_TRUE(names.insert(std::string(entry.name)).second);
    EXPECT_EQ(OperationOfButton(entry.button), entry.id);
    EXPECT_EQ(&ProfileOf(entry.id), &entry.profile);
    ASSERT_NE(entry.definition, nullptr);
    EXPECT_TRUE(entry.definition().prepare);
    for (char c : entry.name) EXPECT_TRUE((c >= 'a' && c <= 'z') || c == '-') << entry.name;
  }
  EXPECT_EQ(index, static_cast<size_t>(OperationId::ToPinyin) + 1);
  EXPECT_FALSE(OperationOfButton(Control::按钮_撤回上一步).has_value());
}

// A control read by an operation belongs to that operation alone, so a change
// to it tells which operation's draft to show.
TEST(OperationRegistry, EachInputBelongsToOneOperation) {
  std::set<Control> inputs;
  for (const OperationEntry& entry : Operations()) {
    for (Control input : entry.inputs) {
      EXPECT_TRUE(inputs.insert(input).second) << entry.name;
      EXPECT_EQ(OperationOfInput(input), entry.id);
    }
    for (Control required : entry.profile.required_inputs) {
      EXPECT_EQ(OperationOfInput(required), entry.id) << entry.name;
    }
  }
  EXPECT_FALSE(OperationOfInput(Control::组合框_仅检索).has_value());
}

}  // namespace
}  // namespace qm
