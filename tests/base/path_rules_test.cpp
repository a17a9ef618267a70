#include "base/path_rules.h"

#include <gtest/gtest.h>

#include "text/gbk_text.h"

namespace qm {
namespace {

TEST(PathRules, RefusesTextsNoFileNameMayHold) {
  for (const char* text : {"a\\b", "a/b", "a:b", "*", "?", "\"", "<", ">", "|"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(HasForbiddenCharacter(text));
  }
  EXPECT_FALSE(HasForbiddenCharacter(Gbk("新：版")));  // the full-width colon is fine
  EXPECT_FALSE(HasForbiddenCharacter("v2.0 (final)"));
  // 乗 is 81 5C and 億 83 7C: their second bytes are those of \ and |.
  EXPECT_FALSE(HasForbiddenCharacter(Gbk("乗億")));
  EXPECT_TRUE(HasForbiddenCharacter(Gbk("乗|億")));
}

}  // namespace
}  // namespace qm
