#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_main_services.h"
#include "rename/rename_run.h"
#include "text/gbk_text.h"

namespace qm {

// A main window's worth of fakes over the folder /w/, in file mode with the
// preview closed.
struct RenameWorld : FakeMainServices {
  RenameWorld() {
    files.AddFolder(Gbk("/w"));
    form.SetText(Control::标签2, Gbk("/w/"));
    form.SetText(Control::组合框2, Gbk("处理文件"));
    form.SetText(Control::按钮_打开预览, Gbk("打开预览"));
  }

  // Files on disk and one row each, in that order.
  void AddFiles(const std::vector<GbkText>& names) {
    for (const GbkText& name : names) files.AddFile("/w/" + name);
    list.AppendRows(names);
  }
  void FolderMode() { form.SetText(Control::组合框2, Gbk("处理文件夹")); }
  void OpenPreviewColumn() {
    form.SetText(Control::按钮_打开预览, Gbk("关闭预览"));
    list.InsertColumn(1, Gbk("更名后的效果"), 380);
  }
  std::vector<GbkText> Texts() const {
    std::vector<GbkText> texts;
    for (const auto& shown : messages.shown) texts.push_back(shown.text);
    return texts;
  }
};

// A stand-in operation: every text gets "-new" appended unless the table
// says otherwise (nullopt there skips the entry).
inline OperationDefinition MappingOperation(std::map<GbkText, std::optional<GbkText>> table = {},
                                            bool allow_empty = false) {
  OperationDefinition definition;
  definition.prepare = [table, allow_empty](MainServices&, bool) {
    PreparedOperation prepared;
    prepared.allow_empty_result = allow_empty;
    prepared.transform = [table](const GbkText& text,
                                 const EntryContext&) -> std::optional<GbkText> {
      auto found = table.find(text);
      if (found != table.end()) return found->second;
      return text + "-new";
    };
    return prepared;
  };
  return definition;
}

}  // namespace qm
