#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace qm {

// The clean-up after a long job, done on a thread beside the window's:
// freeing a million names, or giving back the blocks of a journal of a
// hundred megabytes, takes longer than a window may go unpainted. Tasks run
// one at a time in the order they were handed over; those still waiting when
// the program exits are done before it ends.
void RunAside(std::function<void()> task);

// Frees `held` (a plan, its outcomes, a record of a million names) aside.
// What is handed over must own everything it points to.
template <class T>
void FreeAside(T&& held) {
  static_assert(!std::is_lvalue_reference_v<T>, "hand the value over with std::move");
  RunAside([held = std::make_shared<std::decay_t<T>>(std::forward<T>(held))]() mutable {
    held.reset();
  });
}

// Returns once every task handed over so far is done.
void WaitUntilAsideDone();

}  // namespace qm
