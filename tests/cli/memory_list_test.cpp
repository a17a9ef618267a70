// The command line's list keeps a column's texts end to end in blocks; a
// cell must still read back exactly what was last written to it.
#include <gtest/gtest.h>

#include "cli/cli_ports.h"

namespace qm::cli {
namespace {

GbkText Text(const std::string& bytes) { return GbkText(bytes); }

TEST(MemoryList, CellsReadBackWhatWasLastWrittenAcrossBlocks) {
  MemoryList list(2);
  // Two appends, as an intake's pieces come, and names long enough to fill
  // several blocks, one longer than a block.
  std::vector<GbkText> first;
  std::vector<GbkText> second;
  for (int i = 0; i < 3000; ++i) first.push_back(Text("name " + std::to_string(i)));
  for (int i = 3000; i < 6000; ++i)
    second.push_back(Text(std::string(200, 'a') + std::to_string(i)));
  const GbkText huge = Text(std::string(300 << 10, 'z'));
  second.push_back(huge);
  list.AppendRows(first);
  list.AppendRows(second);
  ASSERT_EQ(list.RowCount(), 6001);
  EXPECT_EQ(list.Cell(0, 0), Text("name 0"));
  EXPECT_EQ(list.Cell(5999, 0), Text(std::string(200, 'a') + "5999"));
  EXPECT_EQ(list.Cell(6000, 0), huge);

  // The second column is empty until written; a cell written over keeps
  // only its last text, and an emptied one reads empty.
  EXPECT_EQ(list.FilledCells(1), 0);
  list.SetCell(10, 1, Text("new"));
  list.SetCell(10, 1, Text("newer"));
  list.SetCell(11, 1, Text("gone"));
  list.SetCell(11, 1, GbkText());
  EXPECT_EQ(list.Cell(10, 1), Text("newer"));
  EXPECT_TRUE(list.CellHolds(10, 1, "newer"));
  EXPECT_TRUE(list.Cell(11, 1).empty());
  EXPECT_TRUE(list.Cell(5000, 1).empty());
  EXPECT_EQ(list.FilledCells(1), 1);
  EXPECT_EQ(list.TakeCell(10, 1), Text("newer"));
  EXPECT_TRUE(list.Cell(10, 1).empty());

  // Rows and columns removed shift what follows.
  list.RemoveRow(0);
  EXPECT_EQ(list.Cell(0, 0), Text("name 1"));
  EXPECT_EQ(list.RowCount(), 6000);
  list.RemoveColumn(0);
  EXPECT_TRUE(list.Cell(0, 0).empty());
  list.RemoveAllRows();
  EXPECT_EQ(list.RowCount(), 0);
  list.AppendRows({Text("again")});
  EXPECT_EQ(list.Cell(0, 0), Text("again"));
}

}  // namespace
}  // namespace qm::cli
