// Names with four-byte characters (every Korean syllable, emoji, rare Han
// characters) through the operations that search. In the internal encoding
// 귭가 is 82 38 82 38 | 82 37 CF 35 and 귬 is 82 38 82 37: its bytes sit across
// the middle of 귭 and the start of 가, where no search may find it. Likewise
// 🛟 (95 30 94 39) sits inside 🛠🌀 (95 30 95 30 | 94 39 AF 38).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "rename/operation_runs.h"

namespace qm {
namespace {

struct SearchRow {
  const char* name;
  OperationId operation;
  std::vector<std::pair<Control, std::string>> typed;
  std::vector<Control> checked;
  std::string entry;
  std::string expected;
};

TEST(FourByteCharactersTest, SearchesMatchWholeCharactersOnly) {
  using C = Control;
  using Op = OperationId;
  const SearchRow rows[] = {
      // Only a misaligned occurrence: the name stays as it is.
      {"n-times/misaligned-only",
       Op::DeleteNTimes,
       {{C::编辑框1, "귬"}},
       {},
       "귭가.txt",
       "귭가.txt"},
      {"replace/misaligned-only",
       Op::ReplaceText,
       {{C::编辑框4, "🛟"}, {C::编辑框5, "🎉"}},
       {C::单选框8},
       "🛠🌀.txt",
       "🛠🌀.txt"},
      {"before/misaligned-only",
       Op::DeleteBefore,
       {{C::编辑框8, "귬"}},
       {},
       "x귭가.txt",
       "x귭가.txt"},
      {"insert-anchor/misaligned-only",
       Op::InsertAtAnchor,
       {{C::编辑框11, "귬"}, {C::编辑框12, "-"}},
       {},
       "귭가.txt",
       "귭가.txt"},
      // A misaligned occurrence in front of (or, searching from the right, behind)
      // a real one: the real one is the one changed.
      {"n-times/left", Op::DeleteNTimes, {{C::编辑框1, "귬"}}, {}, "귭가귬.txt", "귭가.txt"},
      {"n-times/right",
       Op::DeleteNTimes,
       {{C::编辑框1, "귬"}},
       {C::单选框14},
       "귬귭가.txt",
       "귭가.txt"},
      {"n-times/all",
       Op::DeleteNTimes,
       {{C::编辑框1, "귬"}, {C::编辑框10, "9"}},
       {},
       "귬귭가귬귭가.txt",
       "귭가귭가.txt"},
      {"replace/left",
       Op::ReplaceText,
       {{C::编辑框4, "🛟"}, {C::编辑框5, "🎉"}},
       {C::单选框8},
       "🛠🌀🛟.txt",
       "🛠🌀🎉.txt"},
      {"replace/right",
       Op::ReplaceText,
       {{C::编辑框4, "🛟"}, {C::编辑框5, "🎉"}},
       {C::单选框8, C::单选框10},
       "🛟🛠🌀.txt",
       "🎉🛠🌀.txt"},
      {"replace/near-the-front/misaligned-only",
       Op::ReplaceText,
       {{C::编辑框4, "귬"}, {C::编辑框5, "_"}},
       {},
       "1귭가귬.txt",
       "1귭가귬.txt"},
      {"between/first-markers",
       Op::DeleteBetweenMarkers,
       {{C::编辑框2, "귬"}, {C::编辑框3, "y"}},
       {},
       "귭가x귬y.txt",
       "귭가x.txt"},
      {"between/last-markers",
       Op::DeleteBetweenMarkers,
       {{C::编辑框2, "x"}, {C::编辑框3, "귬"}},
       {C::选择框_2尾},
       "x귬귭가.txt",
       "귭가.txt"},
      {"before/first", Op::DeleteBefore, {{C::编辑框8, "귬"}}, {}, "귭가x귬y.txt", "귬y.txt"},
      {"after/last", Op::DeleteAfter, {{C::编辑框9, "귬"}}, {}, "x귬y귭가.txt", "x귬.txt"},
      {"insert-anchor/before-first",
       Op::InsertAtAnchor,
       {{C::编辑框11, "귬"}, {C::编辑框12, "-"}},
       {},
       "귭가귬.txt",
       "귭가-귬.txt"},
      {"insert-anchor/after-last",
       Op::InsertAtAnchor,
       {{C::编辑框11, "귬"}, {C::编辑框12, "-"}},
       {C::单选框4, C::单选框6},
       "귬귭가.txt",
       "귬-귭가.txt"},
      // The digit bytes inside a four-byte character are no digits.
      {"digits/numerals", Op::DigitsToChineseNumerals, {}, {}, "🛟가9.txt", "🛟가九.txt"},
      {"digits/none-but-inside-characters",
       Op::DeleteSequenceNumber,
       {},
       {},
       "🛟가.txt",
       "🛟가.txt"},
      {"digits/sequence-number", Op::DeleteSequenceNumber, {}, {}, "가07가.txt", "가가.txt"},
      {"digits/after-leading-number",
       Op::InsertAfterLeadingNumber,
       {{C::编辑框13, "-"}},
       {},
       "🛟0x.txt",
       "🛟0-x.txt"},
      {"numerals/four-byte-after-the-run",
       Op::ChineseNumeralsToDigits,
       {},
       {},
       "01第三课🛟.txt",
       "01第3课🛟.txt"},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    StartState(world.form);
    for (const auto& [control, text] : row.typed) world.form.SetText(control, Gbk(text));
    for (Control control : row.checked) world.form.SetChecked(control, true);
    world.AddFiles({Gbk(row.entry)});

    RunOperation(row.operation, world.services);

    EXPECT_EQ(world.list.Column(0), std::vector<GbkText>{Gbk(row.expected)});
    EXPECT_EQ(world.files.Names(Gbk("/w")), std::vector<GbkText>{Gbk(row.expected)});
  }
}

}  // namespace
}  // namespace qm
