#include "mapped/mapped_rename.h"

#include <algorithm>

#include "platform/reminder.h"
#include "rename/carry_out.h"
#include "rename/rename_context.h"
#include "text/gbk_text.h"
#include "workspace/list_functions.h"
#include "workspace/list_ordering.h"
#include "workspace/name_functions.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

bool RefuseEmptyMappedList(const ListView& mapped, Messages& messages) {
  if (mapped.RowCount() > 0) return false;
  ShowReminder(messages, "列表框是空的！");
  return true;
}

void WriteColumnFromTop(ListView& list, int column, const std::vector<GbkText>& texts) {
  for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
    list.SetCell(row, column, texts[row]);
  }
}

// Lines end at the bytes CR LF wherever they stand, not where a walk by
// characters finds them: neither byte can follow a lead byte in sound text,
// and in a damaged file a lead byte before a line end must not join two names
// and move every later name one row up. A last line end adds no empty line.
std::vector<GbkText> SplitAtLineEnds(std::string_view text) {
  std::vector<GbkText> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

std::optional<std::vector<GbkText>> NamesForMappedRename(MainServices& services) {
  if (services.list.RowCount() == 0) {
    ShowReminder(services.messages, "先拖入文件！");
    return std::nullopt;
  }
  return ReadEntryNames(services.form, services.list, false);
}

void FillMappedList(ListView& mapped, const std::vector<GbkText>& names) {
  mapped.RemoveAllRows();
  mapped.AppendRows(names);
}

std::vector<GbkText> NameFileLines(std::string_view bytes) {
  // Texts end at a zero byte, whichever the encoding.
  bytes = bytes.substr(0, bytes.find('\0'));
  return SplitAtLineEnds(IsUtf8Text(bytes) ? Utf8ToGbk(bytes) : GbkText(bytes));
}

void WriteNewNames(ListView& list, const std::vector<GbkText>& lines) {
  int rows = list.RowCount();
  if (static_cast<int>(lines.size()) > rows) {
    list.AppendRows(std::vector<GbkText>(lines.size() - static_cast<size_t>(rows)));
  }
  WriteColumnFromTop(list, 1, lines);
}

void ImportNameFile(FileSystem& files, ListView& mapped, Messages& messages, const GbkText& path) {
  // One byte past the limit tells a file too large without reading it whole:
  // a film dropped by mistake must not fill the memory, nor the list.
  auto bytes = files.ReadFile(path, kNameFileLimit + 1);
  if (!bytes) return;
  if (bytes->size() > kNameFileLimit) {
    ShowReminder(messages, "这个文件太大了（超过64MB），不像是名字列表，没有导入。");
    return;
  }
  WriteNewNames(mapped, NameFileLines(*bytes));
}

void ClearNewNames(ListView& mapped) {
  for (int row = 0; row < mapped.RowCount(); ++row) mapped.SetCell(row, 1, {});
}

void SortNewNames(ListView& mapped, Messages& messages) {
  if (RefuseEmptyMappedList(mapped, messages)) return;
  WriteColumnFromTop(mapped, 1, NumberSort(ReadListColumn(mapped, 1, true), false));
}

void ReverseNewNames(ListView& mapped, Messages& messages) {
  if (RefuseEmptyMappedList(mapped, messages)) return;
  std::vector<GbkText> names = ReadListColumn(mapped, 1, true);
  std::reverse(names.begin(), names.end());
  WriteColumnFromTop(mapped, 1, names);
}

std::optional<PlanEntry> MappedEntry(const ListView& mapped, int row, bool with_extension) {
  GbkText old_name = mapped.Cell(row, 0);
  GbkText new_name = mapped.Cell(row, 1);
  if (old_name.empty() || new_name.empty()) return std::nullopt;
  GbkText extension = ExtensionOf(old_name);
  GbkText from = FileNameOf(old_name, false) + extension;
  GbkText to = with_extension ? std::move(new_name) : new_name + extension;
  return PlanEntry{row, std::move(from), std::move(to), std::nullopt};
}

void MappedRename(MappedServices& services, bool with_extension) {
  ListView& mapped = services.mapped;
  MainServices& main = services.main;
  const GbkText folder = WorkingFolder(main.form);
  // Without a folder the names could not be found: say so, as every other
  // run does, rather than report that nothing changed.
  if (!IsUsableFolder(folder)) {
    services.messages.Show(Gbk("路径呢？请先拖入文件！"), {}, Icon::Information, Buttons::Ok);
    return;
  }
  const int rows = mapped.RowCount();
  LongJob job(services.progress, Gbk("正在按对应的名字更名……"), rows);
  std::vector<PlanEntry> plan;
  for (int row = 0; row < rows; ++row) {
    if (!job(row, rows)) {
      // Stopped before the renames began: nothing is renamed.
      plan.clear();
      break;
    }
    if (auto entry = MappedEntry(mapped, row, with_extension)) plan.push_back(std::move(*entry));
  }
  // All pairs go as one plan, so names that pass to each other (a shift, a
  // swap) succeed whatever the row order; a renamed row shows its new name.
  MainServices window = ServicesOfWindow(main, mapped, services.messages, services.progress);
  CarriedOut done;
  if (!plan.empty()) {
    done = CarryOutPlan(window, folder, std::move(plan), PreviewCell::ClearWhenRenamed);
    if (!done.started()) return;
    RecordForUndo(main, folder, done);
  }
  job.End();
  const int renamed = done.report.renamed;
  if (renamed == 0) {
    services.messages.Show(Gbk("没有任何改动"), Gbk("没有改动"), Icon::Information, Buttons::Ok);
  }
  if (renamed > 0) {
    main.messages.Show(Gbk("一共有") + ToText(renamed) + Gbk("个文件被改名"), Gbk("修改成果提示"),
                       Icon::Information, Buttons::Ok);
  }
  ShowFailures(window, done);
}

void WriteBack(const ListView& mapped, ListView& file_list) {
  int rows = std::min(mapped.RowCount(), file_list.RowCount());
  for (int row = 0; row < rows; ++row) file_list.SetCell(row, 0, mapped.Cell(row, 0));
}

}  // namespace qm
