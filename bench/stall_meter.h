#pragma once

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace qm {

// Ticks every millisecond; the longest gap between two ticks (or between the
// last tick and Stop) is the longest stall of the event loop: what a person
// sees as a frozen window.
class StallMeter {
 public:
  using Clock = std::chrono::steady_clock;

  StallMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
  }
  void Start() {
    QApplication::processEvents();
    longest_ = {};
    last_ = Clock::now();
    timer_.start();
  }
  Clock::duration Stop() {
    Tick();
    timer_.stop();
    return longest_;
  }

 private:
  void Tick() {
    Clock::time_point now = Clock::now();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
  }
  QTimer timer_;
  Clock::time_point last_;
  Clock::duration longest_{};
};

}  // namespace qm
