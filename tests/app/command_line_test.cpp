#include "app/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/app_identity.h"
#include "app/main_window.h"
#include "platform/main_services.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

TEST(ParseCommandLine, EveryForm) {
  using A = CommandLine::Action;
  struct Row {
    const char* name;
    std::vector<std::string_view> arguments;
    A action;
    const char* folder;  // nullptr: none
  } rows[] = {
      {"nothing", {}, A::Open, nullptr},
      {"folder", {"/srv/课程"}, A::Open, "/srv/课程"},
      {"relative-folder", {"videos/"}, A::Open, "videos/"},
      {"help", {"--help"}, A::Help, nullptr},
      {"help/short", {"-h"}, A::Help, nullptr},
      {"help/beside-a-folder", {"a", "--help"}, A::Help, nullptr},
      {"version", {"--version"}, A::Version, nullptr},
      {"version/short", {"-v"}, A::Version, nullptr},
      {"too-many-folders", {"a", "b"}, A::Misuse, nullptr},
      {"unknown-option", {"--recursive"}, A::Misuse, nullptr},
      {"unknown-option/beside-help", {"--help", "-x"}, A::Misuse, nullptr},
      {"qt-option", {"-platform", "xcb"}, A::Misuse, nullptr},
      {"dash-folder/after-double-dash", {"--", "-x"}, A::Open, "-x"},
      {"help-named-folder/after-double-dash", {"--", "--help"}, A::Open, "--help"},
      {"single-dash/is-a-folder-name", {"-"}, A::Open, "-"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CommandLine line = ParseCommandLine(row.arguments);
    EXPECT_EQ(line.action, row.action);
    EXPECT_EQ(line.has_folder, row.folder != nullptr);
    EXPECT_EQ(line.folder, row.folder != nullptr ? row.folder : "");
    EXPECT_EQ(line.problem.empty(), row.action != A::Misuse);
  }
  EXPECT_EQ(VersionText(), "quillmere 16.3\n");
  EXPECT_EQ(HelpText().rfind(UsageText(), 0), 0u);
}

TEST(ApplicationIcon, HasTheSizesOfMenusAndTitleBars) {
  const QList<QSize> sizes = ApplicationIcon().availableSizes();
  for (int size : {16, 48, 256}) EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

// Answers every message box that opens with OK, as a person would, and keeps
// what each one said.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible()) continue;
        seen.push_back({box->windowTitle(), box->text()});
        box->button(QMessageBox::Ok)->click();
      }
    });
    timer_.start();
  }
  struct Seen {
    QString title;
    QString text;
  };
  std::vector<Seen> seen;

 private:
  QTimer timer_;
};

class Folder {
 public:
  std::filesystem::path path() const { return folder_.path().toStdString(); }
  void AddFile(const std::filesystem::path& name) {
    std::filesystem::create_directories((path() / name).parent_path());
    std::ofstream(path() / name) << "x";
  }

 private:
  QTemporaryDir folder_;
};

std::vector<GbkText> Column0(MainWindow& window) {
  std::vector<GbkText> names;
  for (int row = 0; row < window.list().RowCount(); ++row)
    names.push_back(window.list().Cell(row, 0));
  return names;
}

// The real window with its real message boxes and file system.
class StartFolderTest : public ::testing::Test {
 protected:
  UndoHistory undo_;
  MainWindow window_{undo_};
  MessageBoxAnswerer boxes_;
};

TEST_F(StartFolderTest, AFolderIsReadAsTheFolderButtonReadsIt) {
  Folder folder;
  for (const char* name : {"第10课.mp4", "第2课.mp4", "a.txt"})
    folder.AddFile(std::filesystem::u8path(name));
  // A relative path with a trailing separator, as a shell completes it.
  QString previous = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(folder.path().parent_path().string()));
  OpenStartFolder(window_, folder.path().filename().string() + "/");
  QDir::setCurrent(previous);

  EXPECT_EQ(window_.form().Text(Control::标签2), Gbk(folder.path().string() + "/"));
  EXPECT_EQ(Column0(window_),
            (std::vector<GbkText>{Gbk("a.txt"), Gbk("第2课.mp4"), Gbk("第10课.mp4")}));
  EXPECT_TRUE(boxes_.seen.empty());
}

TEST_F(StartFolderTest, NotAFolderOrADesktopFolderOnlyGetsAMessage) {
  Folder folder;
  folder.AddFile("a.txt");
  folder.AddFile("Desktop/lessons/b.txt");
  const std::string file = (folder.path() / "a.txt").string();
  const std::string missing = (folder.path() / "missing").string();
  const std::string desktop = (folder.path() / "Desktop" / "lessons").string();
  // A folder name no UTF-8 text can hold.
  const std::string not_utf8 = (folder.path() / "\xff").string();
  std::filesystem::create_directory(not_utf8);
  struct Row {
    const char* name;
    std::string argument;
    QString message_start;
  } rows[] = {
      {"file", file, QString::fromUtf8("不是文件夹，无法读取：\n") + QString::fromStdString(file)},
      {"missing", missing,
       QString::fromUtf8("不是文件夹，无法读取：\n") + QString::fromStdString(missing)},
      {"desktop", desktop, QString::fromUtf8("为了督促大家养成良好的习惯")},
      {"not-utf8", not_utf8, QString::fromUtf8("文件夹的路径不是有效的 UTF-8 编码，无法读取：\n")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    boxes_.seen.clear();
    OpenStartFolder(window_, row.argument);
    ASSERT_EQ(boxes_.seen.size(), 1u);
    EXPECT_TRUE(boxes_.seen[0].text.startsWith(row.message_start))
        << boxes_.seen[0].text.toStdString();
    EXPECT_EQ(window_.form().Text(Control::标签2), "");
    EXPECT_TRUE(Column0(window_).empty());
  }
}

// The real file system, as a copy of the program in program_folder sees it.
// Root writes into a read-only folder anyway, so there the refusal the
// permissions would give everyone else is made here.
class ProgramCopy : public PosixFileSystem {
 public:
  ProgramCopy(std::filesystem::path program_folder, std::filesystem::path documents)
      : PosixFileSystem(Gbk(documents.string())), program_folder_(std::move(program_folder)) {}
  GbkText ProgramFolder() override { return Gbk(program_folder_.string()); }
  Result<void> WriteFileAtomically(const GbkText& path, std::string_view bytes) override {
    struct stat status {};
    if (geteuid() == 0 && path.rfind(ProgramFolder() + "/", 0) == 0 &&
        ::stat(program_folder_.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0) {
      return Error{"Permission denied"};
    }
    return PosixFileSystem::WriteFileAtomically(path, bytes);
  }

 private:
  std::filesystem::path program_folder_;
};

TEST(ExportFromTheWindow, BesideAWritableProgramElseInTheDocumentsFolder) {
  for (bool read_only : {false, true}) {
    SCOPED_TRACE(read_only ? "read-only program folder" : "writable program folder");
    Folder home;
    home.AddFile("lessons/a.txt");
    home.AddFile("lessons/b.txt");
    const std::filesystem::path program = home.path() / "program";
    const std::filesystem::path documents = home.path() / "Documents";  // not there yet
    std::filesystem::create_directory(program);
    if (read_only)
      std::filesystem::permissions(program, std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::remove);
    ProgramCopy files(program, documents);
    UndoHistory undo;
    MainWindow window(undo, {nullptr, nullptr, &files});
    MessageBoxAnswerer boxes;
    OpenStartFolder(window, (home.path() / "lessons").string());
    ASSERT_EQ(window.list().RowCount(), 2);

    window.findChild<QAbstractButton*>(QString::fromUtf8(ControlName(Control::按钮_保存到txt)))
        ->click();
    const std::filesystem::path written =
        (read_only ? documents : program) / std::filesystem::u8path("原文件名保存.txt");
    std::ifstream in(written, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a.txt\r\nb.txt\r\n");
    EXPECT_EQ(std::filesystem::exists(program / std::filesystem::u8path("原文件名保存.txt")),
              !read_only);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].title, QString::fromUtf8("提醒："));
    EXPECT_EQ(boxes.seen[0].text.endsWith(QString::fromStdString(written.string())), read_only)
        << boxes.seen[0].text.toStdString();
    std::filesystem::permissions(program, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
  }
}

}  // namespace
}  // namespace qm
