#pragma once

#include <functional>

#include "platform/dialogs.h"

namespace qm {

class FakeWindowSystem : public WindowSystem {
 public:
  GbkText ChooseFolderDialog(const GbkText& title, const GbkText& start_folder) override {
    dialog_titles.push_back(title);
    dialog_starts.push_back(start_folder);
    return chosen_folder;
  }
  void PumpMessages() override {
    ++pumps;
    if (on_pump) on_pump();
  }

  GbkText chosen_folder;  // "" answers as a cancelled dialog
  std::vector<GbkText> dialog_titles;
  std::vector<GbkText> dialog_starts;
  int pumps = 0;
  std::function<void()> on_pump;  // runs a handler "in the middle" of a scan
};

}  // namespace qm
