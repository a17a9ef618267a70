#pragma once

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class QLineEdit;

namespace qm {

// Only declared here: the Qt meta-object compiler reads this header and does
// not follow the control names.
enum class Control;
class DesignedLayout;
class DraftPreview;
class AboutWindow;
class BackgroundCheck;
class ExplanationWindow;
class FailureList;
class FileInfoReader;
class FileListView;
class FileSystem;
class JournalStore;
class Form;
class MainHandlers;
class MainListWindows;
class QtDropTarget;
class Messages;
class QtForm;
class QtJobProgress;
class Shell;
class WindowSystem;
struct AboutLinks;
struct MainServices;
struct RenameContext;
class UndoHistory;

// A font with Chinese glyphs for the windows and their dialogs.
QFont FormFont();

// Services a test puts in place of the real ones; nullptr keeps the real one
// (message boxes and the folder dialog of this window, the POSIX file system).
struct MainWindowOverrides {
  Messages* messages = nullptr;
  WindowSystem* windows = nullptr;
  FileSystem* files = nullptr;
  Shell* shell = nullptr;  // the browser and the clipboard of the about window
  // The version page both checks fetch. Unlike the services above, nullptr
  // means no check at all, so a test never reaches beyond the machine; the
  // program passes its own page.
  const char* version_page = nullptr;
  JournalStore* journal = nullptr;  // the real one keeps journals under $XDG_STATE_HOME
  FailureList* failures = nullptr;
  FileInfoReader* file_info = nullptr;  // the real one reads with Exiv2 and TagLib
};

// The start window: the workspace controls, the five operation pages and the
// file list. Every control's objectName is its own name. Building the window
// runs the window-created handler; the caller shows it.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(UndoHistory& undo, const MainWindowOverrides& overrides = {},
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  Form& form();
  FileListView& list() { return *list_; }
  MainServices& services() { return *services_; }
  MainHandlers& handlers() { return *handlers_; }
  QTimer& timer() { return *timer_; }
  MainListWindows& list_windows() { return *list_windows_; }
  DraftPreview& draft() { return *draft_; }
  QtJobProgress& progress() { return *progress_; }
  // The open about and help windows, or nullptr.
  AboutWindow* about_window() const;
  ExplanationWindow* explanation_window() const;

  // The size the window was designed at (the width grows with the preview).
  static constexpr int kDesignedWidth = 769;
  static constexpr int kDesignedHeight = 680;

  // Shrinks the window to fit available (a screen's free area, frame
  // included) and moves it inside; done on the first show for its screen.
  void FitInto(const QRect& available);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // In main_window_pages.cpp: the controls and the layout that moves them.
  void BuildLayout();
  void BuildTopControls(QWidget* area);
  void BuildDeletePage(QWidget* page);
  void BuildReplacePage(QWidget* page);
  void BuildInsertPage(QWidget* page);
  void BuildSpecialPage(QWidget* page);
  void BuildAdvancedPage(QWidget* page);
  void ConnectHandlers();
  void ConnectDraftInputs();
  void ConnectWindowButtons();
  void StartMainCheck();
  void OpenAboutWindow();
  void ShowExplanation(Control help_button);

  FileListView* list_ = nullptr;
  DesignedLayout* layout_ = nullptr;
  bool fitted_ = false;
  QTimer* timer_ = nullptr;
  std::unique_ptr<QtForm> form_;
  std::unique_ptr<Messages> own_messages_;
  std::unique_ptr<WindowSystem> own_windows_;
  std::unique_ptr<FileSystem> own_files_;
  std::unique_ptr<QtJobProgress> progress_;
  std::unique_ptr<JournalStore> own_journal_;
  std::unique_ptr<FailureList> own_failures_;
  std::unique_ptr<FileInfoReader> own_file_info_;
  std::unique_ptr<RenameContext> renames_;
  std::unique_ptr<MainServices> services_;
  std::unique_ptr<QtDropTarget> drop_target_;
  // Destroyed before the services: an open MappedRenameWindow writes back into them.
  std::unique_ptr<MainListWindows> list_windows_;
  std::unique_ptr<MainHandlers> handlers_;
  // After the services it reads, so it ends (and waits for its draft) first.
  std::unique_ptr<DraftPreview> draft_;
  std::unordered_map<const QObject*, Control> focus_reporting_edits_;

  std::optional<std::string> version_page_;
  std::unique_ptr<Shell> own_shell_;
  Shell* shell_ = nullptr;
  std::unique_ptr<AboutLinks> about_links_;
  std::unique_ptr<BackgroundCheck> main_check_;
  QPointer<AboutWindow> about_;
  QPointer<ExplanationWindow> explanation_;
};

}  // namespace qm
