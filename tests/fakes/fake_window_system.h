#pragma once

#include <functional>

#include "platform/dialogs.h"

namespace qm {

class FakeWindowSystem : public WindowSystem {
 public:
  GbkText ChooseFolderDialog(const GbkText& title) override {
    dialog_titles.push_back(title);
    return chosen_folder;
  }
  void PumpMessages() override {
    ++pumps;
    if (on_pump) on_pump();
  }

  GbkText chosen_folder;  // "" answers as a cancelled dialog
  std::vector<GbkText> dialog_titles;
  int pumps = 0;
  std::function<void()> on_pump;  // runs a handler "in the middle" of a scan
};

}  // namespace qm
