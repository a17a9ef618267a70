#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "base/gbk_text_type.h"

namespace qm {

class BackgroundCheck;
class QtAboutForm;
class Shell;
struct AboutLinks;

// "Quillmere-关于": side buttons on the left switch the pages of its tab
// control (tutorial links, update information, user group, tipping). Each
// opening runs AboutCheck once, 100 ms after the window is built. Deletes
// itself when closed.
class AboutWindow : public QWidget {
  Q_OBJECT

 public:
  // `version_page`: the page AboutCheck fetches; none runs without one.
  AboutWindow(QWidget* owner, AboutLinks& links, Shell& shell, GbkText current_version,
              std::optional<std::string> version_page);
  ~AboutWindow() override;

  QtAboutForm& form() { return *form_; }
  QTimer& timer() { return *timer_; }

 private:
  void BuildPages();
  void StartCheck();

  AboutLinks& links_;
  Shell& shell_;
  GbkText current_version_;
  std::optional<std::string> version_page_;
  QTimer* timer_ = nullptr;
  std::unique_ptr<QtAboutForm> form_;
  std::unique_ptr<BackgroundCheck> check_;
};

}  // namespace qm
