#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"

namespace qm {
namespace {

// Names of every length up to a long one, many more than fill one block of
// names, and one name longer than a whole block: each comes back as it went
// in, beside its own identity.
TEST(FolderEntries, KeepsEveryNameAndIdentityAcrossBlocks) {
  auto name_of = [](size_t i) {
    return i == 7000 ? std::string(70000, 'L')
                     : std::string(1 + i % 300, static_cast<char>('a' + i % 26));
  };
  FolderEntries entries;
  constexpr size_t kCount = 10000;
  for (size_t i = 0; i < kCount; ++i) entries.Add(name_of(i), {1, i});
  ASSERT_EQ(entries.size(), kCount);
  for (size_t i = 0; i < kCount; ++i) {
    ASSERT_EQ(entries.NameAt(i), name_of(i)) << i;
    ASSERT_EQ(entries.IdentityAt(i), (FileIdentity{1, i})) << i;
  }
  // Moved, as a listing is returned, the names stay where they are.
  FolderEntries moved = std::move(entries);
  EXPECT_EQ(moved.NameAt(kCount - 1), name_of(kCount - 1));
}

}  // namespace
}  // namespace qm
