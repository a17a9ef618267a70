#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/about_form.h"
#include "platform/shell.h"

namespace qm {

// AboutWindow's controls as plain state; an untouched control reads as
// empty and visible.
class FakeAboutForm : public AboutForm {
 public:
  GbkText Text(AboutControl control) const override {
    auto found = texts.find(control);
    return found == texts.end() ? GbkText() : found->second;
  }
  void SetText(AboutControl control, const GbkText& text) override { texts[control] = text; }
  bool IsVisible(AboutControl control) const override { return !hidden.count(control); }
  void SetVisible(AboutControl control, bool visible) override {
    if (visible) {
      hidden.erase(control);
    } else {
      hidden[control] = true;
    }
  }
  void ShowPage(int index) override { page = index; }
  void Focus(AboutControl control) override { focused = control; }
  void Highlight(AboutControl side_button) override { highlighted = side_button; }
  void Close() override { closed = true; }

  std::map<AboutControl, GbkText> texts;
  std::map<AboutControl, bool> hidden;
  int page = -1;
  AboutControl focused{};
  AboutControl highlighted{};
  bool closed = false;
};

// Records what the program asked of the browser and the clipboard.
class FakeShell : public Shell {
 public:
  void OpenUrl(const GbkText& url) override { opened.push_back(url); }
  void SetClipboardText(const GbkText& text) override { clipboard = text; }

  std::vector<GbkText> opened;
  GbkText clipboard = "before";
};

}  // namespace qm
