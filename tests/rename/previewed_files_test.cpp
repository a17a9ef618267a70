#include "rename/previewed_files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "text/gbk_text.h"

namespace qm {
namespace {

FileIdentity FileNumber(uint64_t n) { return {7, n}; }
GbkText NameNumber(int n) { return Gbk("第") + GbkText(std::to_string(n)) + Gbk("课.mp4"); }

// Enough notes to outgrow the first slots many times, some forgotten and
// some noted again on the way: each name finds the file last noted for it,
// in its folder only, as a plain map of names would.
TEST(PreviewedFiles, EachNameFindsItsOwnFileThroughGrowthAndForgetting) {
  PreviewedFiles previewed;
  std::map<int, FileIdentity> model;
  const GbkText folder("/w/");
  constexpr int kNames = 5000;
  for (int n = 0; n < kNames; ++n) {
    previewed.Note(folder, NameNumber(n), FileNumber(n));
    model[n] = FileNumber(n);
    if (n % 3 == 0) {
      previewed.Forget(folder, NameNumber(n / 2));
      model.erase(n / 2);
    }
  }
  for (int n = 0; n < kNames; n += 4) {
    previewed.Note(folder, NameNumber(n), FileNumber(n + 1));
    model[n] = FileNumber(n + 1);
  }
  for (int n = 0; n < kNames; ++n) {
    auto known = model.find(n);
    ASSERT_EQ(previewed.Find(folder, NameNumber(n)),
              known == model.end() ? std::nullopt : std::optional(known->second))
        << n;
  }
  EXPECT_EQ(previewed.size(), model.size());
  EXPECT_EQ(previewed.Find(GbkText("/v/"), NameNumber(2)), std::nullopt);
  EXPECT_EQ(previewed.Find(folder, Gbk("第2课.mp")), std::nullopt);
}

// A note made in another folder drops the first folder's notes: values made
// in two folders are never committed together.
TEST(PreviewedFiles, ANoteInAnotherFolderStartsFromNone) {
  PreviewedFiles previewed;
  previewed.Note(GbkText("/w/"), "a", FileNumber(1));
  previewed.Note(GbkText("/v/"), "b", FileNumber(2));
  EXPECT_EQ(previewed.Find(GbkText("/w/"), "a"), std::nullopt);
  EXPECT_EQ(previewed.Find(GbkText("/v/"), "b"), FileNumber(2));
  EXPECT_EQ(previewed.size(), 1u);
  previewed.Forget(GbkText("/v/"), "b");
  EXPECT_EQ(previewed.size(), 0u);
  EXPECT_EQ(previewed.Find(GbkText("/v/"), "b"), std::nullopt);
}

}  // namespace
}  // namespace qm
