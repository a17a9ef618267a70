#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "fakes/fake_form.h"
#include "fakes/fake_list.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/main_services.h"
#include "platform/posix/posix_file_system.h"
#include "text/gbk_text.h"

namespace qm {

// The handlers of the creation and deletion tools over a real temporary
// folder, with the main window's controls, list and message boxes faked. The
// trash is the one of a data home inside the folder.
class FileToolsWorld : public ::testing::Test {
 protected:
  struct Message {
    std::string text;
    std::string title;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
  };

  FileToolsWorld() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qm_filetools_XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    if (const char* old = ::getenv("XDG_DATA_HOME")) old_data_home_ = old;
    ::setenv("XDG_DATA_HOME", (root_ / ".data").c_str(), 1);
    form_.SetText(Control::组合框2, Gbk("处理文件"));
    form_.SetChecked(Control::单选框17, true);
  }
  ~FileToolsWorld() override {
    std::filesystem::remove_all(root_);
    if (old_data_home_) {
      ::setenv("XDG_DATA_HOME", old_data_home_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }

  std::filesystem::path Native(const std::string& name) const { return root_ / name; }
  GbkText Internal(const std::string& utf8) const { return Utf8ToInternal(utf8).value(); }
  // The folder as WorkingFolder holds it, with the separator at its end.
  GbkText Folder(const std::string& name = "") const {
    return Internal((root_ / name).string() + (name.empty() ? "" : "/"));
  }

  void Write(const std::string& name, const std::string& content = "x") {
    std::filesystem::create_directories(Native(name).parent_path());
    std::ofstream(Native(name), std::ios::binary) << content;
  }
  void MakeFolder(const std::string& name) { std::filesystem::create_directories(Native(name)); }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(std::filesystem::symlink_status(Native(name)));
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Native(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> TrashedNames() const {
    std::vector<std::string> names;
    std::filesystem::path files = root_ / ".data/Trash/files";
    if (!std::filesystem::exists(files)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(files)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  void List(const std::vector<std::string>& names) {
    list_.RemoveAllRows();
    std::vector<GbkText> rows;
    for (const std::string& name : names) rows.push_back(Internal(name));
    list_.AppendRows(rows);
  }
  std::vector<std::string> Listed() const {
    std::vector<std::string> names;
    for (const GbkText& name : list_.Column(0)) names.push_back(InternalToUtf8(name).value());
    return names;
  }

  void ExpectMessages(const std::vector<Message>& expected) {
    ASSERT_EQ(messages_.shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE("message " + std::to_string(i));
      EXPECT_EQ(messages_.shown[i].text, Gbk(expected[i].text));
      EXPECT_EQ(messages_.shown[i].title, Gbk(expected[i].title));
      EXPECT_EQ(messages_.shown[i].icon, expected[i].icon);
      EXPECT_EQ(messages_.shown[i].buttons, expected[i].buttons);
    }
  }

  std::filesystem::path root_;
  std::optional<std::string> old_data_home_;
  FakeForm form_;
  FakeList list_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  PosixFileSystem files_;
  MainServices services_{form_, list_, messages_, windows_, files_};
};

}  // namespace qm
