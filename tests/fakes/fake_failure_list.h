#pragma once

#include <vector>

#include "platform/failure_list.h"

namespace qm {

// Records every failure window instead of showing it.
class FakeFailureList : public FailureList {
 public:
  struct Shown {
    GbkText title;
    GbkText summary;
    std::vector<FailedRename> rows;
  };
  void Show(const GbkText& title, const GbkText& summary,
            const std::vector<FailedRename>& rows) override {
    shown.push_back({title, summary, rows});
  }
  std::vector<Shown> shown;
};

}  // namespace qm
