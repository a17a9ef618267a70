#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/messages.h"

namespace qm {

// Records every message box and answers from a script (OK when the script is empty).
class ScriptedMessages : public Messages {
 public:
  struct Shown {
    GbkText text;
    GbkText title;
    Icon icon;
    Buttons buttons;
  };

  Answer Show(const GbkText& text, const GbkText& title, Icon icon, Buttons buttons) override {
    shown.push_back({text, title, icon, buttons});
    if (while_shown) while_shown(shown.back());
    if (answers.empty()) return Answer::Ok;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<GbkText> Texts() const {
    std::vector<GbkText> texts;
    for (const Shown& one : shown) texts.push_back(one.text);
    return texts;
  }

  std::vector<Shown> shown;
  std::deque<Answer> answers;
  // Runs while a box is open, before it is answered: what the user, or
  // another program, does meanwhile.
  std::function<void(const Shown&)> while_shown;
};

}  // namespace qm
