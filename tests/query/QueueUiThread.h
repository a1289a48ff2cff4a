// A UiThread for tests with a real worker thread: Run from another thread
// queues the operation and waits, like SendMessageA; the test's thread plays
// the UI thread and runs what is queued when it pumps.
#pragma once
// (<chrono> itself cannot be compiled to GBK: <thread> brings its clocks.)
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "app/Ui.h"

namespace qv::test {

class QueueUiThread : public UiThread {
 public:
  void Run(const std::function<void()>& op) override {
    if (std::this_thread::get_id() == owner_) {
      op();
      return;
    }
    Item item{&op};
    std::unique_lock<std::mutex> lock(mutex_);
    queue_.push_back(&item);
    changed_.notify_all();
    changed_.wait(lock, [&] { return item.done; });
  }

  // On the UI thread: runs every queued operation.
  void Pump() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!queue_.empty()) {
      Item* item = queue_.front();
      queue_.pop_front();
      lock.unlock();
      (*item->op)();
      lock.lock();
      item->done = true;
      changed_.notify_all();
    }
  }

  // Waits, without running anything, until an operation is queued.
  bool WaitQueued(std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return !queue_.empty(); });
  }

 private:
  struct Item {
    const std::function<void()>* op;
    bool done = false;
  };
  std::thread::id owner_ = std::this_thread::get_id();
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item*> queue_;
};

// Pumps until done() holds; false after the time limit.
inline bool PumpUntil(QueueUiThread& ui, const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    ui.Pump();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

}  // namespace qv::test
