#include "rename/extension_operations.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ChangeExtension, NormalisesTypedTextAndReplacesTheExtension) {
  struct Row {
    const char* name;
    int selection;
    const char* typed;
    const char* stem;
    const char* expected;
  };
  const Row rows[] = {
      {"picked/dotted", 3, ".mp4", "a", "a.mp4"},
      {"picked/no-extension-before", 3, ".mp4", "README", "README.mp4"},
      {"picked/last-dot-only", 3, ".mp4", "a.b", "a.b.mp4"},
      {"typed/dot-added", -1, "mp3", "a", "a.mp3"},
      {"typed/dot-inside-kept", -1, "tar.gz", "a", "atar.gz"},
      {"typed/dot-only", -1, ".", "a", "a."},
      {"typed/only-extension-name", -1, "mp4", "", ".mp4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ChangeExtension(NormalisedExtension(row.selection, row.typed), row.stem),
              row.expected);
  }
}

}  // namespace
}  // namespace qm
