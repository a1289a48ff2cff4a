#include "query/QueryRun.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "folders/TableSorter.h"
#include "query/ConsoleCapture.h"
#include "query/InterpretListing.h"
#include "query/QueryRunPlatform.h"

namespace qv {
namespace {

std::atomic<int> g_liveWorkers{0};

// What a worker shares with its QueryRun. Every worker keeps it alive, so a
// worker never reaches into a QueryRun that is gone.
struct RunShared {
  std::atomic<std::uint64_t> generation{0};  // bumped by every stop
  std::mutex mutex;                          // guards ui and inRun
  UiThread* ui = nullptr;                    // null once the QueryRun is gone
  int inRun = 0;                             // workers inside ui->Run
};

// The UI thread as one run's worker sees it: once the run is stopped, every
// operation is dropped, checked on the worker before it is sent and again on
// the UI thread before it runs (the stop may come while it waits there).
class RunUiThread : public UiThread {
 public:
  RunUiThread(std::shared_ptr<RunShared> shared, std::uint64_t generation)
      : shared_(std::move(shared)), generation_(generation) {}
  bool Current() const { return shared_->generation.load() == generation_; }

  void Run(const std::function<void()>& op) override {
    UiThread* ui = nullptr;
    {
      std::lock_guard<std::mutex> lock(shared_->mutex);
      if (!Current() || !shared_->ui) return;
      ui = shared_->ui;
      ++shared_->inRun;
    }
    ui->Run([&] {
      if (Current()) op();
    });
    std::lock_guard<std::mutex> lock(shared_->mutex);
    --shared_->inRun;
  }

 private:
  std::shared_ptr<RunShared> shared_;
  std::uint64_t generation_;
};

// The controls a run works on. The worker only dereferences them inside
// RunUiThread operations, that is on the UI thread while its run is current.
struct RunControls {
  ListControl* table;
  ProgressBar* progress1;
  ProgressBar* progress2;
};

void QueryWorker(RunUiThread& ui, const RunControls& c, const QueryRun::Capture& capture) {
  const std::function<bool()> stopped = [&ui] { return !ui.Current(); };
  int rows = 0;
  ui.Run([&] {
    c.progress1->SetPos(0);
    c.progress2->SetPos(0);
    rows = c.table->RowCount();
  });
  for (int i = 1; i <= rows; ++i) {
    if (stopped()) return;
    std::string folder;
    ui.Run([&] {
      ListControl& table = *c.table;
      c.progress1->SetMax(table.RowCount());
      c.progress1->SetPos(c.progress1->Pos() + 1);
      folder = table.CellText(i - 1, 0);
      // The row shows what this run finds: words of an earlier run go.
      const int columns = table.ColumnCount();
      for (int k = 1; k < columns; ++k) table.SetCellText(i - 1, k, std::string());
    });
    if (stopped()) return;
    const std::string listing = capture(folder, stopped);
    InterpretListing(*c.table, *c.progress2, ui, i - 1, folder, listing, stopped);
  }
}

struct WorkerArgs {
  std::shared_ptr<RunShared> shared;
  std::uint64_t generation;
  RunControls controls;
  QueryRun::Capture capture;
  std::shared_ptr<std::atomic<bool>> done;
};

std::string CaptureCacls(const std::string& folder, const std::function<bool()>& cancelled) {
  return CaptureProgramOutput(CaclsCommandLine(folder), cancelled);
}

}  // namespace

struct QueryRun::State {
  State(MainContext& m, Capture c) : main(m), capture(std::move(c)) { shared->ui = &main.uiThread; }
  MainContext& main;
  Capture capture;
  std::shared_ptr<RunShared> shared = std::make_shared<RunShared>();
  std::thread worker;                          // the worker handle
  std::shared_ptr<std::atomic<bool>> done;     // of the last run started
};

QueryRun::QueryRun(MainContext& main) : QueryRun(main, &CaptureCacls) {}
QueryRun::QueryRun(MainContext& main, Capture capture)
    : state_(std::make_unique<State>(main, std::move(capture))) {}

QueryRun::~QueryRun() {
  Stop();
  // No worker may call into the UiThread after this returns. One that is
  // inside such a call right now is let through (its operation is dropped);
  // that takes as long as one sent message, never a whole command.
  RunShared& shared = *state_->shared;
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(shared.mutex);
      shared.ui = nullptr;
      if (shared.inRun == 0) break;
    }
    LetWorkerCallsThrough(state_->main);
  }
}

void QueryRun::Start() {
  Stop();
  MainContext& main = state_->main;
  TableSorter(main.table, 0, kKeyText, kAscending, main.ui);
  // The sort let events through: a click may have started a run meanwhile.
  Stop();

  auto args = std::make_unique<WorkerArgs>();
  args->shared = state_->shared;
  args->generation = state_->shared->generation.load();
  args->controls = {&main.table, &main.progress1, &main.progress2};
  args->capture = state_->capture;
  args->done = std::make_shared<std::atomic<bool>>(false);
  state_->done = args->done;
  ++g_liveWorkers;
  state_->worker = std::thread([args = std::move(args)]() mutable {
    const std::shared_ptr<std::atomic<bool>> done = args->done;
    {
      const std::unique_ptr<WorkerArgs> mine = std::move(args);
      RunUiThread ui(mine->shared, mine->generation);
      QueryWorker(ui, mine->controls, mine->capture);
    }
    done->store(true);
    --g_liveWorkers;  // the last thing the worker does
  });
}

void QueryRun::Stop() {
  ++state_->shared->generation;
  // Releases the handle; the old worker ends by itself at its next check.
  if (state_->worker.joinable()) state_->worker.detach();
}

bool QueryRun::Running() const { return state_->done && !state_->done->load(); }

int QueryRun::LiveWorkers() { return g_liveWorkers.load(); }

}  // namespace qv
