#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "rename/operations.h"
#include "rename/rename_world.h"

namespace qm {

// One click of an operation button over a fake folder /w/, checked by what
// ends up on disk, in the list and in the message boxes. Texts are UTF-8.
struct OperationRun {
  struct Message {
    std::string text;
    std::string title;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
  };

  const char* name;
  OperationId operation;
  std::vector<std::pair<Control, std::string>> typed;  // edit boxes as typed
  std::vector<Control> checked;                        // on top of the start state
  std::vector<Control> unchecked;
  std::vector<std::string> entries;
  std::vector<std::string> expected;  // column 0, or column 1 with the preview open
  std::vector<Message> messages;
  bool folder_mode = false;
  bool preview = false;
  std::deque<Answer> answers = {};
  std::vector<std::string> on_disk_too = {};  // further files, not listed
};

// The check boxes and radio buttons of the delete and replace pages as the
// window starts.
inline void StartState(FakeForm& form) {
  for (Control control : {Control::选择框_1头, Control::选择框_2头, Control::选择框6,
                          Control::单选框11, Control::单选框2, Control::单选框13, Control::单选框7,
                          Control::单选框9, Control::单选框15}) {
    form.SetChecked(control, true);
  }
}

inline void Play(const OperationRun& run) {
  SCOPED_TRACE(run.name);
  RenameWorld world;
  StartState(world.form);
  for (const auto& [control, text] : run.typed) world.form.SetText(control, Gbk(text));
  for (Control control : run.checked) world.form.SetChecked(control, true);
  for (Control control : run.unchecked) world.form.SetChecked(control, false);
  std::vector<GbkText> names;
  for (const std::string& entry : run.entries) names.push_back(Gbk(entry));
  for (const GbkText& name : names) {
    if (run.folder_mode) {
      world.files.AddFolder("/w/" + name);
    } else {
      world.files.AddFile("/w/" + name);
    }
  }
  for (const std::string& other : run.on_disk_too) world.files.AddFile("/w/" + Gbk(other));
  world.list.AppendRows(names);
  if (run.folder_mode) world.FolderMode();
  if (run.preview) world.OpenPreviewColumn();
  world.messages.answers = run.answers;

  RunOperation(run.operation, world.services);

  std::vector<GbkText> expected;
  for (const std::string& name : run.expected) expected.push_back(Gbk(name));
  EXPECT_EQ(world.list.Column(run.preview ? 1 : 0), expected);
  // The disk holds exactly the list's names (and the unlisted files).
  std::vector<GbkText> on_disk = world.files.Names(Gbk("/w"));
  std::vector<GbkText> listed = world.list.Column(0);
  for (const std::string& other : run.on_disk_too) listed.push_back(Gbk(other));
  std::sort(on_disk.begin(), on_disk.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(on_disk, listed);

  ASSERT_EQ(world.messages.shown.size(), run.messages.size());
  for (size_t i = 0; i < run.messages.size(); ++i) {
    SCOPED_TRACE("message " + std::to_string(i));
    const auto& shown = world.messages.shown[i];
    const auto& want = run.messages[i];
    EXPECT_EQ(shown.text, Gbk(want.text));
    EXPECT_EQ(shown.title, want.title.empty() ? GbkText() : Gbk(want.title));
    EXPECT_EQ(shown.icon, want.icon);
    EXPECT_EQ(shown.buttons, want.buttons);
  }
}

// The messages most runs show, as the tables spell them.
inline constexpr auto kInfo = Icon::Information;
inline constexpr auto kNoIcon = Icon::None;
inline constexpr auto kAsk = Buttons::OkCancel;
inline constexpr auto kOk = Buttons::Ok;
inline const OperationRun::Message kConfirm{"确定更名吗？", "提示", kInfo, kAsk};
inline const OperationRun::Message kPreviewNotice{
    "提示：你开启了预览功能，所以没有直接更名，\r\n请看预览区结果，确认无误后点\"确认无误，执行吧\""
    "！",
    "提示", kInfo, kOk};
inline const OperationRun::Message kNoChange{"没有任何改动", "没有改动", kInfo, kOk};
inline const OperationRun::Message kNoChangeQuiet{"没有任何改动", "没有改动", kNoIcon, kOk};

}  // namespace qm
