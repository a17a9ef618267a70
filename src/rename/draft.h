#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_info.h"
#include "platform/file_system.h"
#include "platform/form.h"
#include "rename/operations.h"

namespace qm {

// A draft: what an operation's button would write in the preview column if
// it were clicked now, made while the user types. It runs the very run the
// button runs, over a copy of the window's state, and asks, shows, writes and
// renames nothing, so it can be made away from the window's thread.

// The window's state as the run reads it, copied at one moment.
class FormSnapshot : public Form {
 public:
  explicit FormSnapshot(const Form& form);

  GbkText Text(Control control) const override { return Of(control).text; }
  bool IsChecked(Control control) const override { return Of(control).checked; }
  int ComboIndex(Control combo) const override { return Of(combo).combo_index; }
  int ComboCount(Control combo) const override { return static_cast<int>(Of(combo).items.size()); }
  GbkText ComboItem(Control combo, int index) const override;
  bool IsVisible(Control control) const override { return Of(control).visible; }
  Geometry GeometryOf(Control control) const override { return Of(control).geometry; }
  int WindowWidth() const override { return window_width_; }

  // A draft changes nothing in the window.
  void SetText(Control, const GbkText&) override {}
  void SetChecked(Control, bool) override {}
  void SetComboIndex(Control, int) override {}
  void ClearComboItems(Control) override {}
  void AddComboItem(Control, const GbkText&) override {}
  void SetVisible(Control, bool) override {}
  void SetTextColor(Control, int) override {}
  void SetGeometry(Control, const Geometry&) override {}
  void SetProgressRange(Control, int, int) override {}
  void SetProgressValue(Control, int) override {}
  void SetWindowWidth(int) override {}
  void SetAlwaysOnTop(bool) override {}
  void ShowTabPage(int) override {}
  void SetFocus(Control) override {}

 private:
  struct State {
    GbkText text;
    bool checked = false;
    int combo_index = -1;
    std::vector<GbkText> items;
    bool visible = true;
    Geometry geometry;
  };
  const State& Of(Control control) const { return states_[static_cast<size_t>(control)]; }

  std::vector<State> states_;
  int window_width_ = 0;
};

// Everything a draft reads, taken on the window's thread.
struct DraftRequest {
  OperationId operation;
  std::unique_ptr<FormSnapshot> form;
  std::vector<GbkText> names;     // the list's column 0
  std::vector<GbkText> previews;  // its column 1: names written by earlier previews
  std::vector<GbkText> marks;     // the marks of column 1, or empty when none
  GbkText preview_folder;         // as MainServices keeps it
};

struct Draft {
  OperationId operation;
  // Per row: the name the button would write there, or nothing where the row
  // keeps what it shows.
  std::vector<std::optional<GbkText>> cells;
  // Per row: why that row's rename would fail, as the preview marks it.
  std::vector<GbkText> marks;
  int changes = 0;   // rows a commit would rename, or try to
  int failures = 0;  // of them, those expected to fail
};

// Whether the operation can have a draft: one that offers a preview, with
// the preview open.
bool CanDraft(OperationId operation, const Form& form);

// The draft of the request's operation; nothing when the button would stop
// before writing a preview (an empty field, a check it fails) or when
// `cancelled` turned true meanwhile. Reads the disk through `files` only.
std::optional<Draft> MakeDraft(DraftRequest request, FileSystem& files, FileInfoReader* file_info,
                               const std::atomic<bool>& cancelled);

}  // namespace qm
