#include "workspace/folder_scan.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "fakes/fake_file_system.h"
#include "fakes/fake_form.h"
#include "fakes/fake_list.h"
#include "fakes/fake_main_services.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "platform/posix/posix_file_system.h"
#include "text/gbk_text.h"
#include "workspace/folder_intake.h"
#include "workspace/name_order.h"
#include "workspace/wildcard.h"
#include "workspace/workspace_handlers.h"
#include "workspace/workspace_values.h"

namespace qm {
namespace {

std::vector<GbkText> Internal(const std::vector<const char*>& utf8) {
  std::vector<GbkText> texts;
  for (const char* text : utf8) texts.push_back(Gbk(text));
  return texts;
}

TEST(WildcardMatch, WindowsRules) {
  struct Row {
    const char* name;
    const char* pattern;
    const char* file;
    bool matches;
  } rows[] = {
      {"all/with-dot", "*.*", "a.txt", true},
      {"all/without-dot", "*.*", "README", true},
      {"all/hidden", "*.*", ".bashrc", true},
      {"extension/same", "*.mp4", "a.mp4", true},
      {"extension/other-case", "*.mp4", "A.MP4", true},
      {"extension/pattern-upper", "*.MP4", "a.mp4", true},
      {"extension/longer", "*.mp4", "a.mp4x", false},
      {"extension/not-last", "*.mp4", "a.mp4.txt", false},
      {"extension/only", "*.mp4", ".mp4", true},
      {"extension/no-dot", "*.mp4", "mp4", false},
      {"question/one-character", "a?.txt", "ab.txt", true},
      {"question/double-byte-is-one", "a?.txt", "a课.txt", true},
      {"question/not-empty", "a?.txt", "a.txt", false},
      {"star/chinese", "*课.mp4", "第1课.mp4", true},
      {"star/backtracks", "*a*b", "xaxxab", true},
      {"trailing-dot-star/no-dot", "a*.*", "abc", true},
      {"trailing-dot/no-extension", "*.", "README", true},
      {"trailing-dot/with-extension", "*.", "a.txt", false},
      {"double-byte/no-fold-of-second-byte", "*.乗", "a.乗", true},
      // 가 is 82 37 CF 35, 귭 82 38 82 38, 귬 82 38 82 37: a four-byte
      // character is one step, and its digit bytes are no digits.
      {"four-byte/question-is-one", "?.txt", "가.txt", true},
      {"four-byte/not-two-steps", "??.txt", "가.txt", false},
      {"four-byte/no-match-from-its-middle", "*귬*", "귭가", false},
      {"four-byte/found-whole", "*귬*", "귭귬가", true},
      {"four-byte/digit-byte-is-no-digit", "*7*", "가", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(WildcardMatch(Gbk(row.pattern), Gbk(row.file)), row.matches);
  }
  // 0xB1 0x41 and 0xB1 0x61 are two different characters; folding their second
  // bytes would make them equal.
  EXPECT_FALSE(WildcardMatch("*\xB1\x41", "x\xB1\x61"));
}

TEST(PaddedNameOrder, PadsFirstNumberByFolderSize) {
  EXPECT_EQ(PaddedNameOrder(Internal({"第10课.mp4", "第2课.mp4", "第1课.mp4"})),
            Internal({"第1课.mp4", "第2课.mp4", "第10课.mp4"}));
  // The first digit at byte 8 counts as plain text.
  EXPECT_EQ(PaddedNameOrder({"abcdefg8.txt", "abcdefg10.txt", "a9.txt", "a10.txt"}),
            (std::vector<GbkText>{"a9.txt", "a10.txt", "abcdefg10.txt", "abcdefg8.txt"}));
  // Bytes compare unsigned: Chinese names sort after ASCII ones.
  EXPECT_EQ(PaddedNameOrder(Internal({"课.txt", "z.txt"})), Internal({"z.txt", "课.txt"}));

  auto numbered = [](int count) {
    std::vector<GbkText> names;
    for (int i = count; i >= 1; --i) names.push_back(GbkText(std::to_string(i) + ".txt"));
    return names;
  };
  auto position = [](const std::vector<GbkText>& names, const GbkText& name) {
    return std::find(names.begin(), names.end(), name) - names.begin();
  };
  std::vector<GbkText> ninety_nine = PaddedNameOrder(numbered(99));
  EXPECT_EQ(ninety_nine.front(), "1.txt");
  EXPECT_EQ(ninety_nine.back(), "99.txt");
  EXPECT_LT(position(ninety_nine, Gbk("9.txt")), position(ninety_nine, Gbk("10.txt")));

  std::vector<GbkText> hundred = PaddedNameOrder(numbered(100));
  for (int i = 0; i < 100; ++i) EXPECT_EQ(hundred[i], GbkText(std::to_string(i + 1) + ".txt"));

  // With 99 names two-digit numbers are not padded: 100.txt sorts by plain bytes.
  std::vector<GbkText> mixed = numbered(98);
  mixed.push_back(Gbk("100.txt"));
  std::vector<GbkText> ordered = PaddedNameOrder(mixed);
  EXPECT_LT(position(ordered, Gbk("100.txt")), position(ordered, Gbk("11.txt")));
}

// A large folder is ordered in pieces, with the window's messages between
// them, and comes out as one sort of the whole would give it.
TEST(PaddedNameOrderTest, ALargeFolderIsOrderedInPiecesAsAWhole) {
  std::vector<GbkText> names;
  for (int i = 100; i < 30100; ++i)
    names.push_back(GbkText("x" + std::to_string(i * 7919 % 30000 + 100)));
  names.insert(names.end(), names.begin(), names.begin() + 50);  // equal names too
  std::vector<GbkText> expected = names;
  std::sort(expected.begin(), expected.end());
  int pieces = 0;
  EXPECT_EQ(PaddedNameOrder(names, [&pieces] { ++pieces; }), expected);
  EXPECT_GT(pieces, 30);
}

class IntakeTest : public ::testing::Test, public FakeMainServices {
 protected:
  IntakeTest() {
    files.AddFolder(Gbk("/w"));
    form.SetText(Control::组合框2, Gbk("处理文件"));
    form.MutableState(Control::组合框_仅检索).items = PresetItems(Gbk("所有"));
    form.MutableState(Control::组合框_跳过扩展).items = PresetItems(Gbk("不跳"));
  }
  static std::vector<GbkText> PresetItems(const GbkText& first) {
    return {first, ".mp4", ".txt", ".mp3"};
  }
  void AddFiles(const GbkText& folder, std::initializer_list<const char*> names) {
    for (const char* name : names) files.AddFile(folder + "/" + Gbk(name));
  }

  IntakeGuard guard;
};

TEST_F(IntakeTest, ScanFilesListsHiddenFilesButNoFoldersInPaddedOrder) {
  AddFiles(Gbk("/w"), {"b10.txt", ".hidden", "b2.txt"});
  files.AddFolder(Gbk("/w/sub"));
  files.AddFile(Gbk("/w/sub/inner.txt"));
  ScannedNames scanned = ScanFiles(files, windows, Gbk("/w"), "*.*");
  EXPECT_EQ(scanned.names, (std::vector<GbkText>{".hidden", "b2.txt", "b10.txt"}));
  EXPECT_GE(windows.pumps, 1);

  ScannedNames folders = ScanSubfolders(files, Gbk("/w/"));
  EXPECT_EQ(folders.names, (std::vector<GbkText>{"sub"}));
  EXPECT_TRUE(ScanFiles(files, windows, Gbk("/missing"), "*.*").names.empty());
}

// ext4 lists a folder in hash order; the subfolder scan must not.
TEST(ScanSubfoldersOrder, ByNameAsWindowsListsThemWhateverTheCreationOrder) {
  const std::vector<const char*> expected = {
      "apple",  "Banana", "cherry", "Zeta",  "_x",    "éclair", "Ωmega",
      "第10章", "第11章", "第12章", "第1章", "第2章", "第3章",  "第4章",
      "第5章",  "第6章",  "第7章",  "第8章", "第9章", "𠀀",     "～"};
  std::vector<const char*> shuffled = expected;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(14));
  char pattern[] = "/tmp/qm_order_XXXXXX";
  const std::string root = mkdtemp(pattern);
  for (const char* name : shuffled) std::filesystem::create_directory(root + "/" + name);
  std::filesystem::create_directory(root + "/apple/inner");
  { std::ofstream(root + "/a_file.txt") << "x"; }

  PosixFileSystem files;
  ScannedNames scanned = ScanSubfolders(files, Gbk(root + "/"));
  std::filesystem::remove_all(root);
  EXPECT_EQ(scanned.names, Internal(expected));
}

TEST_F(IntakeTest, ScanKeepsPumpingWhileNoNameMatches) {
  AddFiles(Gbk("/w"), {"a.txt", "b.txt"});
  ScanFiles(files, windows, Gbk("/w"), "*.mp4", std::chrono::nanoseconds(0));
  EXPECT_EQ(windows.pumps, 0);  // a zero interval pumps after each name found only
  ScanFiles(files, windows, Gbk("/w"), "*.mp4", std::chrono::nanoseconds(1));
  EXPECT_GE(windows.pumps, 1);
}

TEST(SearchPatternTest, FromTypedTextOrPickedItem) {
  struct Row {
    const char* name;
    const char* text;
    int picked;  // -1: typed
    const char* pattern;
  } rows[] = {
      {"typed/empty", "", -1, "*.*"},           {"typed/without-dot", "mp4", -1, "*.mp4"},
      {"typed/with-dot", ".mp4", -1, "*.mp4"},  {"picked/all", "所有", 0, "*.*"},
      {"picked/extension", ".txt", 1, "*.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeForm form;
    form.MutableState(Control::组合框_仅检索).items = {Gbk("所有"), ".txt"};
    if (row.picked >= 0) {
      form.SelectItem(Control::组合框_仅检索, row.picked);
    } else {
      form.SetText(Control::组合框_仅检索, row.text);
    }
    EXPECT_EQ(SearchPattern(form), row.pattern);
  }
}

TEST_F(IntakeTest, ChooseFolderListsFilesSubfoldersOrNothingByMode) {
  AddFiles(Gbk("/w"), {"a2.txt", "a10.txt", "c.mp4"});
  files.AddFolder(Gbk("/w/z"));
  files.AddFolder(Gbk("/w/y"));
  windows.chosen_folder = "/w";
  struct Row {
    const char* name;
    const char* mode;
    std::vector<GbkText> rows;
  } rows[] = {
      {"mode/files", "处理文件", {"a2.txt", "a10.txt", "c.mp4"}},
      {"mode/dropped-reads-files", "拖几个改几个", {"a2.txt", "a10.txt", "c.mp4"}},
      {"mode/folders", "处理文件夹", {"y", "z"}},  // by name, not in creation order
      {"mode/other", "别的", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    list.AppendRows({"old"});
    form.SetText(Control::组合框2, Gbk(row.mode));
    ChooseFolder(services, guard);
    EXPECT_EQ(list.Column(0), row.rows);
    EXPECT_EQ(form.Text(Control::标签2), "/w/");
  }
  EXPECT_EQ(windows.dialog_titles.back(), Gbk("选择目录"));
  // The dialog opens where the user last was; the first time, at the home folder.
  EXPECT_EQ(windows.dialog_starts.front(), "");
  EXPECT_EQ(windows.dialog_starts.back(), "/w/");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(IntakeTest, CancelledDialogEmptiesListAndKeepsWorkingFolder) {
  form.SetText(Control::标签2, Gbk("/old/"));
  list.AppendRows({"a.txt"});
  windows.chosen_folder = "";
  ChooseFolder(services, guard);
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(form.Text(Control::标签2), "/old/");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, Gbk("什么都没有选择"));
  EXPECT_EQ(messages.shown[0].title, Gbk("提示"));
  EXPECT_EQ(messages.shown[0].icon, Icon::Information);
}

TEST_F(IntakeTest, DesktopGuardRefusesAnyCase) {
  for (const char* folder : {"/home/u/Desktop", "/data/MyDESKTOPBackup/x", "/d/desktop/"}) {
    SCOPED_TRACE(folder);
    files.AddFolder(folder);
    files.AddFile(GbkText(folder) + "/a.txt");
    messages.shown.clear();
    windows.chosen_folder = folder;
    ChooseFolder(services, guard);
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(form.Text(Control::标签2), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(
        messages.shown[0].text,
        Gbk("为了督促大家养成良好的习惯，\r\n特做此设置！！！\r\n请不要把一些重要文件放在桌面"
            "，\r\n因为一旦日后你重装系统或者系统崩溃了，\r\n桌面的东西有可能丢失，\r\n请移动到"
            "其他盘符进行操作！"));
    EXPECT_EQ(messages.shown[0].title, Gbk("提示"));
  }
}

TEST(DesktopFromUserDirs, ReadsTheDesktopLineAsXdgUserDirsWritesIt) {
  struct Row {
    const char* name;
    const char* file;
    const char* desktop;
  } rows[] = {
      {"home-relative",
       "# comment\nXDG_DOWNLOAD_DIR=\"$HOME/下载\"\nXDG_DESKTOP_DIR=\"$HOME/桌面\"\n",
       "/home/u/桌面"},
      {"absolute/trailing-slash", "XDG_DESKTOP_DIR=\"/srv/desk/\"", "/srv/desk"},
      {"escaped-quote", "  XDG_DESKTOP_DIR=\"$HOME/my \\\"desk\\\"\"\n", "/home/u/my \"desk\""},
      {"home-itself-turns-it-off", "XDG_DESKTOP_DIR=\"$HOME/\"\n", ""},
      {"relative-is-ignored", "XDG_DESKTOP_DIR=\"desk\"\n", ""},
      {"commented-out", "#XDG_DESKTOP_DIR=\"$HOME/桌面\"\n", ""},
      {"not-home-prefix", "XDG_DESKTOP_DIR=\"$HOMEX/d\"\n", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DesktopFromUserDirs(row.file, "/home/u"), row.desktop);
  }
}

// The guard reads the user's own user-dirs.dirs, found through the environment.
TEST_F(IntakeTest, DesktopGuardRefusesTheXdgDesktopAndEverythingBelowIt) {
  struct Environment {
    Environment() {
      setenv("HOME", "/home/u", 1);
      setenv("XDG_CONFIG_HOME", "/cfg", 1);
    }
    ~Environment() {
      saved_home.empty() ? unsetenv("HOME") : setenv("HOME", saved_home.c_str(), 1);
      saved_config.empty() ? unsetenv("XDG_CONFIG_HOME")
                           : setenv("XDG_CONFIG_HOME", saved_config.c_str(), 1);
    }
    std::string saved_home = getenv("HOME") ? getenv("HOME") : "";
    std::string saved_config = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
  } environment;
  files.AddFolder(Gbk("/cfg"));
  files.AddFile(Gbk("/cfg/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n");
  struct Row {
    const char* folder;
    bool refused;
  } rows[] = {{"/home/u/桌面", true},
              {"/home/u/桌面/课程/第1章", true},
              {"/home/u/桌面备份", false},
              {"/home/u", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.folder);
    files.AddFolder(Gbk(row.folder));
    files.AddFile(Gbk(row.folder) + "/a.txt");
    messages.shown.clear();
    list.RemoveAllRows();
    windows.chosen_folder = Gbk(row.folder);
    ChooseFolder(services, guard);
    EXPECT_EQ(list.RowCount(), row.refused ? 0 : 1);
    EXPECT_EQ(form.Text(Control::标签2).empty(), row.refused);
    EXPECT_EQ(messages.shown.size(), row.refused ? 1u : 0u);
  }
}

TEST_F(IntakeTest, SkipFilterAppliesToManualReadButNotToSingleExtensionReload) {
  AddFiles(Gbk("/w"), {"a.mp4", "b.txt", "c.mp4"});
  form.SelectItem(Control::组合框_仅检索, 1);    // .mp4
  form.SelectItem(Control::组合框_跳过扩展, 1);  // .mp4
  windows.chosen_folder = "/w";
  ChooseFolder(services, guard);
  EXPECT_EQ(list.RowCount(), 0);

  OnFilterItemSelected(services, guard, Control::组合框_跳过扩展);
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"a.mp4", "c.mp4"}));

  // Searching every file, the picked skip item applies, case-sensitively.
  AddFiles(Gbk("/w"), {"D.MP4"});
  form.SelectItem(Control::组合框_仅检索, 0);
  OnFilterItemSelected(services, guard, Control::组合框_仅检索);
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"D.MP4", "b.txt"}));
}

TEST_F(IntakeTest, EnterInFilterReloadsWithTypedText) {
  AddFiles(Gbk("/w"), {"a.mp4", "b.txt"});
  form.SetText(Control::标签2, Gbk("/w/"));
  form.SetText(Control::组合框_仅检索, Gbk("mp4"));
  list.AppendRows({"old"});
  OnFilterKeyPressed(services, guard, Control::组合框_仅检索, 'x');
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"old"}));
  OnFilterKeyPressed(services, guard, Control::组合框_仅检索, 13);
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"a.mp4"}));

  // A typed skip text was never picked, so it skips nothing.
  form.SetText(Control::组合框_仅检索, Gbk(""));
  form.SetText(Control::组合框_跳过扩展, Gbk("txt"));
  OnFilterKeyPressed(services, guard, Control::组合框_跳过扩展, 13);
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"a.mp4", "b.txt"}));

  // Without WorkingFolder, Enter does nothing; in the drop mode a pick only empties.
  form.SetText(Control::标签2, Gbk(""));
  OnFilterKeyPressed(services, guard, Control::组合框_跳过扩展, 13);
  EXPECT_EQ(list.RowCount(), 2);
  form.SetText(Control::标签2, Gbk("/w/"));
  form.SetText(Control::组合框2, Gbk("拖几个改几个"));
  OnFilterItemSelected(services, guard, Control::组合框_仅检索);
  EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(IntakeTest, ReloadTreatsLoneSeparatorAsNoFolder) {
  form.SetText(Control::标签2, Gbk("/"));
  list.AppendRows({"kept"});
  ReloadFolder(services, guard);
  EXPECT_EQ(form.Text(Control::标签2), "");
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"kept"}));
}

TEST_F(IntakeTest, TypingInFilterListsMatchingPresetsFirst) {
  form.MutableState(Control::组合框_仅检索).items.clear();
  form.SetText(Control::组合框_仅检索, Gbk(".MP"));
  OnFilterTextEdited(services, Control::组合框_仅检索);
  const auto& state = form.State(Control::组合框_仅检索);
  ASSERT_EQ(state.items.size(), 59u);
  EXPECT_EQ(
      std::vector<GbkText>(state.items.begin(), state.items.begin() + 8),
      (std::vector<GbkText>{Gbk("所有"), ".mp4", ".mp3", ".bmp", ".tmp", ".mpg", ".mpeg", ".txt"}));
  EXPECT_EQ(state.items.back(), ".cpp");
  EXPECT_EQ(state.text, ".MP");
  EXPECT_EQ(state.combo_index, -1);
  std::vector<GbkText> sorted = state.items;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());

  form.SetText(Control::组合框_跳过扩展, Gbk(""));
  OnFilterTextEdited(services, Control::组合框_跳过扩展);
  EXPECT_EQ(form.ComboCount(Control::组合框_跳过扩展), 0);
  OnFilterDropDown(services, Control::组合框_跳过扩展);
  OnFilterDropDown(services, Control::组合框_跳过扩展);
  ASSERT_EQ(form.ComboCount(Control::组合框_跳过扩展), 59);
  EXPECT_EQ(form.ComboItem(Control::组合框_跳过扩展, 0), Gbk("不跳"));
  EXPECT_EQ(form.ComboItem(Control::组合框_跳过扩展, 1), ".mp4");
  // With a text in the edit part the drop-down keeps the items as they are.
  form.SetText(Control::组合框_仅检索, Gbk("p"));
  OnFilterDropDown(services, Control::组合框_仅检索);
  EXPECT_EQ(form.ComboItem(Control::组合框_仅检索, 1), ".mp4");
  EXPECT_EQ(form.ComboItem(Control::组合框_仅检索, 7), ".txt");
}

TEST_F(IntakeTest, UnrepresentableNamesAreReportedOncePerIntake) {
  AddFiles(Gbk("/w"), {"a.txt"});
  files.unrepresentable_names = 3;
  windows.chosen_folder = "/w";
  ChooseFolder(services, guard);
  EXPECT_EQ(list.Column(0), (std::vector<GbkText>{"a.txt"}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(
      messages.shown[0].text,
      Gbk("有3个文件或文件夹的名称不是有效的 UTF-8 编码，无法显示和改名，已略过，没有列入列表。"));
  EXPECT_EQ(messages.shown[0].title, Gbk("提示"));
  EXPECT_EQ(messages.shown[0].icon, Icon::Information);
}

// Handlers that run while a scan processes messages.
TEST_F(IntakeTest, NewestIntakeOrClearWinsOverInterruptedScan) {
  AddFiles(Gbk("/w"), {"w1.txt", "w2.txt"});
  files.AddFolder(Gbk("/v"));
  AddFiles(Gbk("/v"), {"v1.txt"});
  struct Row {
    const char* name;
    std::function<void()> in_the_middle;
    std::vector<GbkText> rows;
    GbkText folder;
  } rows[] = {
      {"clear-list/stays-empty", [&] { ClearFileList(services, guard); }, {}, Gbk("/w/")},
      {"second-intake/its-rows-only",
       [&] {
         windows.chosen_folder = "/v";
         ChooseFolder(services, guard);
       },
       {"v1.txt"},
       "/v/"},
      {"filter-pick/reload-rows-only",
       [&] { OnFilterItemSelected(services, guard, Control::组合框_仅检索); },
       {"w1.txt", "w2.txt"},
       Gbk("/w/")},
      {"clear-inputs/folder-gone", [&] { ClearInputBoxes(services); }, {}, Gbk("")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    list.RemoveAllRows();
    windows.chosen_folder = "/w";
    bool ran = false;
    windows.on_pump = [&] {
      if (ran) return;
      ran = true;
      row.in_the_middle();
    };
    ChooseFolder(services, guard);
    windows.on_pump = nullptr;
    EXPECT_TRUE(ran);
    EXPECT_EQ(list.Column(0), row.rows);
    EXPECT_EQ(form.Text(Control::标签2), row.folder);
  }
}

// A large folder fills the list a piece at a time with the window's messages
// in between; a clear or another intake in between wins as it does during the
// scan, and no row of the older intake follows.
TEST_F(IntakeTest, ALargeFolderFillsTheListInPiecesAndAClearBetweenThemWins) {
  std::vector<GbkText> names;
  for (int i = 100000; i < 250000; ++i) names.push_back(GbkText("f" + std::to_string(i)));
  files.AddFiles(Gbk("/w"), names);
  files.AddFolder(Gbk("/v"));
  AddFiles(Gbk("/v"), {"v1.txt"});
  struct Row {
    const char* name;
    std::function<void()> between_pieces;
    std::vector<GbkText> rows;
  } rows[] = {
      {"nothing", nullptr, names},
      {"clear-list", [&] { ClearFileList(services, guard); }, {}},
      {"second-intake",
       [&] {
         windows.chosen_folder = "/v";
         ChooseFolder(services, guard);
       },
       {"v1.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    windows.chosen_folder = "/w";
    bool ran = false;
    windows.on_pump = [&] {
      if (ran || list.RowCount() == 0 || !row.between_pieces) return;
      ran = true;
      row.between_pieces();
    };
    ChooseFolder(services, guard);
    windows.on_pump = nullptr;
    EXPECT_EQ(ran, row.between_pieces != nullptr);
    EXPECT_EQ(list.Column(0), row.rows);
  }
}

}  // namespace
}  // namespace qm
