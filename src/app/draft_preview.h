#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>

namespace qm {

enum class Control;
enum class OperationId;
struct Draft;
struct MainServices;
class TextTableModel;

// The live preview: with the preview open, a change to an operation's input
// shows, once typing pauses, what that operation's button would write in the
// preview column, as a draft, with a count under the list. The draft is made
// away from the window's thread; a newer change cancels an older draft.
class DraftPreview : public QObject {
  Q_OBJECT

 public:
  DraftPreview(MainServices& services, TextTableModel& model, QObject* parent = nullptr);
  ~DraftPreview() override;

  // The user changed a control: if an operation reads it, its draft follows.
  void InputChanged(Control control);
  // Drops the draft and any draft under way.
  void Drop();

  // Quiet time after the last change before a draft is made.
  static constexpr int kQuietMs = 150;

 private:
  void Start();
  void Show(int generation, std::optional<Draft> draft);
  void ShowRegexError();

  MainServices& services_;
  TextTableModel& model_;
  QTimer quiet_;
  QThreadPool pool_;
  std::optional<OperationId> operation_;
  std::shared_ptr<std::atomic<bool>> cancelled_;
  int generation_ = 0;
  bool shown_ = false;  // the count under the list is showing
};

}  // namespace qm
