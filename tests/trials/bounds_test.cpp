// Input past every sensible size, as a person may paste it: the run refuses
// each name it would make too long, says why for each, and renames nothing.
#include <gtest/gtest.h>

#include "fakes/scratch_folder.h"
#include "rename/carry_out.h"
#include "rename/operations.h"
#include "text/gbk_text.h"
#include "trials/trial_world.h"

namespace qm {
namespace {

TEST(Bounds, TenThousandCharactersTypedIntoAFieldRenameNothingAndSayWhy) {
  ScratchFolder folder;
  CountedWorld world(folder);
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    folder.Add(name);
    world.list.AppendRows({name});
  }
  GbkText typed;
  for (int i = 0; i < 10000; ++i) typed += Gbk("长");
  world.form.SetText(Control::编辑框7, typed);
  RunOperation(OperationId::InsertAtEnd, world.services);

  EXPECT_EQ(folder.Files(), (std::map<std::string, std::string>{
                                {"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"c.txt", "c.txt"}}));
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.txt", "b.txt", "c.txt"}));
  ASSERT_EQ(world.failures.shown.size(), 1u);
  ASSERT_EQ(world.failures.shown[0].rows.size(), 3u);
  for (const FailedRename& row : world.failures.shown[0].rows) {
    EXPECT_EQ(row.reason, FailureText({RenameReason::TooLong, {}}));
  }
}

}  // namespace
}  // namespace qm
