#include "platform/free_aside.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace qm {
namespace {

// A child forked while the thread beside is busy, its queue changing hands
// all the while, still has what it hands over done, and ends: it does them
// on its own thread. (Forked into a queue held by a thread the child lacks,
// it used to wait for good.)
TEST(FreeAside, AForkedChildDoesItsOwnTasksWhateverTheParentsThreadWasDoing) {
  WaitUntilAsideDone();  // set up before the feeder, so no fork lands inside the set-up
  std::atomic<bool> stop = false;
  std::thread feeder([&stop] {
    while (!stop) {
      RunAside([] {});
      std::this_thread::yield();
    }
  });
  for (int child = 0; child < 50; ++child) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      bool done = false;
      RunAside([&done] { done = true; });
      WaitUntilAsideDone();
      _exit(done ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child " << child;
  }
  stop = true;
  feeder.join();
  WaitUntilAsideDone();
}

}  // namespace
}  // namespace qm
