// The query run on in-memory controls, with a real worker thread, a capture
// that the test scripts, and the test's thread as the UI thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "app/MainContext.h"
#include "app/MemoryList.h"
#include "app/MemoryUi.h"
#include "query/QueryRun.h"
#include "query/QueueUiThread.h"
#include "support/TestSupport.h"

namespace qv {
namespace {

using test::PumpUntil;

class RecordingList : public MemoryList {
 public:
  RecordingList() : MemoryList(false) {}  // no sort style: the run's sort shows
  void SetCellText(int row, int column, const std::string& text) override {
    ++writes;
    MemoryList::SetCellText(row, column, text);
  }
  int writes = 0;
};

class RecordingProgress : public MemoryProgress {
 public:
  void SetMax(int max) override {
    log.push_back("max " + std::to_string(max));
    MemoryProgress::SetMax(max);
  }
  void SetPos(int pos) override {
    log.push_back("pos " + std::to_string(pos));
    MemoryProgress::SetPos(pos);
  }
  std::vector<std::string> log;
};

struct Main {
  Main() {
    ui.onProcessEvents = [this] { uiThread.Pump(); };
    for (const char* t : {"文件目录  ", "管理员", "财务"}) table.InsertColumn(-1, t, 60, kAlignCentre);
  }
  RecordingList table;
  MemoryControl edit1, edit2, status;
  RecordingProgress progress1, progress2;
  FileDialog dialog1, dialog2;
  ScriptedUi ui;
  test::QueueUiThread uiThread;
  MainContext context{table, edit1, edit2, progress1, progress2, status, dialog1, dialog2, ui, uiThread};
};

// Listings by folder; the capture of one folder can be held until released
// or until the run is stopped.
class FakeCapture {
 public:
  std::map<std::string, std::string> listings;
  std::map<std::string, std::string> firstListings;  // given on the first call only
  std::optional<std::string> holdOn;

  QueryRun::Capture Function() {
    return [this](const std::string& folder, const std::function<bool()>& cancelled) {
      std::unique_lock<std::mutex> lock(mutex_);
      asked_.push_back(folder);
      const bool first = std::count(asked_.begin(), asked_.end(), folder) == 1;
      std::string listing = first && firstListings.count(folder) ? firstListings[folder] : listings[folder];
      if (folder == holdOn && first) {
        held_ = true;
        while (!released_) {
          if (cancelled()) {
            sawCancel_ = true;
            break;
          }
          lock.unlock();
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
          lock.lock();
        }
      }
      return listing;
    };
  }
  bool Held() {
    std::lock_guard<std::mutex> lock(mutex_);
    return held_;
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
  }
  bool SawCancel() {
    std::lock_guard<std::mutex> lock(mutex_);
    return sawCancel_;
  }
  std::vector<std::string> Asked() {
    std::lock_guard<std::mutex> lock(mutex_);
    return asked_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> asked_;
  bool held_ = false, released_ = false, sawCancel_ = false;
};

bool WorkersGone() { return QueryRun::LiveWorkers() == 0; }

class QueryRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.WriteUserIni("[帐号转换成职位]\r\nAdministrators=管理员\r\n张三=财务\r\n");
  }
  void TearDown() override {
    capture.Release();
    EXPECT_TRUE(PumpUntil(main.uiThread, WorkersGone));
  }
  void AddRows(const std::vector<std::string>& folders, const std::string& old = "旧") {
    for (const std::string& f : folders) {
      const int r = main.table.InsertRow(-1, f);
      main.table.SetCellText(r, 1, old);
      main.table.SetCellText(r, 2, old);
    }
    main.table.writes = 0;
  }
  std::vector<std::string> Cells(int row) const {
    return {main.table.CellText(row, 0), main.table.CellText(row, 1), main.table.CellText(row, 2)};
  }
  bool Finish(QueryRun& run) {
    return PumpUntil(main.uiThread, [&] { return !run.Running() && WorkersGone(); });
  }

  test::ProgramDir dir;
  Main main;
  FakeCapture capture;
};

TEST_F(QueryRunTest, SortsThenFillsEveryRowWithWhatItsListingGives) {
  AddRows({"D:\\b", "D:\\A", "D:\\a"});
  for (int r = 0; r < 3; ++r) main.table.SetRowValue(r, 10 + r);
  capture.listings["D:\\A"] = "D:\\A CORP\\张三:(OI)(CI)R \r\n\r\n";
  capture.listings["D:\\a"] = "D:\\a BUILTIN\\Administrators:F \r\n     CORP\\张三:N \r\n";
  capture.listings["D:\\b"] = "";  // nothing found: the old words still go
  QueryRun run(main.context, capture.Function());
  run.Start();
  ASSERT_TRUE(Finish(run));

  EXPECT_EQ(capture.Asked(), (std::vector<std::string>{"D:\\A", "D:\\a", "D:\\b"}));
  EXPECT_EQ(Cells(0), (std::vector<std::string>{"D:\\A", "", "读"}));
  EXPECT_EQ(Cells(1), (std::vector<std::string>{"D:\\a", "修改", "拒绝"}));
  EXPECT_EQ(Cells(2), (std::vector<std::string>{"D:\\b", "", ""}));
  EXPECT_EQ(main.table.RowValue(0), 11);
  EXPECT_EQ(main.table.RowValue(2), 10);
  EXPECT_EQ(main.progress1.log, (std::vector<std::string>{"pos 0", "max 3", "pos 1", "max 3", "pos 2", "max 3",
                                                           "pos 3"}));
  // Bar 2: back to 0 for the run, then 0..3 of 3 for each line of a listing
  // (two lines each for D:\A and D:\a, none for D:\b).
  const std::vector<std::string> line = {"pos 0", "max 3", "pos 1", "max 3", "pos 2", "max 3", "pos 3"};
  std::vector<std::string> expected = {"pos 0"};
  for (int n = 0; n < 4; ++n) expected.insert(expected.end(), line.begin(), line.end());
  EXPECT_EQ(main.progress2.log, expected);
}

TEST_F(QueryRunTest, EmptyTableOnlyResetsTheBars) {
  main.progress1.SetPos(5);
  main.progress2.SetPos(5);
  QueryRun run(main.context, capture.Function());
  run.Start();
  ASSERT_TRUE(Finish(run));
  EXPECT_EQ(main.progress1.Pos(), 0);
  EXPECT_EQ(main.progress2.Pos(), 0);
  EXPECT_TRUE(capture.Asked().empty());
  EXPECT_EQ(main.table.writes, 0);
}

TEST_F(QueryRunTest, OneFolderWithAnEmptyListingAndAnEmptyFolder) {
  AddRows({""});
  QueryRun run(main.context, capture.Function());
  run.Start();
  ASSERT_TRUE(Finish(run));
  EXPECT_EQ(capture.Asked(), std::vector<std::string>{""});
  EXPECT_EQ(main.progress1.Max(), 1);
  EXPECT_EQ(main.progress1.Pos(), 1);
  EXPECT_EQ(main.progress2.Pos(), 0);
}

TEST_F(QueryRunTest, StopInTheMiddleDropsEveryLaterOperation) {
  AddRows({"D:\\1", "D:\\2", "D:\\3", "D:\\4"});
  for (const char* f : {"D:\\1", "D:\\2", "D:\\3", "D:\\4"}) capture.listings[f] = std::string(f) + " CORP\\张三:R \r\n";
  capture.holdOn = "D:\\2";
  QueryRun run(main.context, capture.Function());
  run.Start();
  ASSERT_TRUE(PumpUntil(main.uiThread, [&] { return capture.Held(); }));
  run.Stop();
  const int writes = main.table.writes;
  const auto bar1 = main.progress1.log, bar2 = main.progress2.log;

  // The stopped capture is told so and returns; nothing of the run arrives.
  ASSERT_TRUE(PumpUntil(main.uiThread, WorkersGone));
  EXPECT_TRUE(capture.SawCancel());
  EXPECT_FALSE(run.Running());
  EXPECT_EQ(main.table.writes, writes);
  EXPECT_EQ(main.progress1.log, bar1);
  EXPECT_EQ(main.progress2.log, bar2);
  EXPECT_EQ(capture.Asked(), (std::vector<std::string>{"D:\\1", "D:\\2"}));
  EXPECT_EQ(Cells(0), (std::vector<std::string>{"D:\\1", "", "读"}));
  EXPECT_EQ(Cells(1), (std::vector<std::string>{"D:\\2", "", ""}));  // reached: cleared
  EXPECT_EQ(Cells(2), (std::vector<std::string>{"D:\\3", "旧", "旧"}));
  EXPECT_EQ(Cells(3), (std::vector<std::string>{"D:\\4", "旧", "旧"}));
  EXPECT_EQ(main.progress1.Pos(), 2);
  EXPECT_EQ(main.progress1.Max(), 4);
}

TEST_F(QueryRunTest, StopWhileAnOperationWaitsOnTheUiThreadDropsIt) {
  AddRows({"D:\\1"});
  main.progress1.SetPos(7);
  main.progress1.log.clear();
  QueryRun run(main.context, capture.Function());
  run.Start();
  ASSERT_TRUE(main.uiThread.WaitQueued());  // the worker waits in its first operation
  run.Stop();
  ASSERT_TRUE(PumpUntil(main.uiThread, WorkersGone));
  EXPECT_TRUE(main.progress1.log.empty());
  EXPECT_EQ(main.progress1.Pos(), 7);
  EXPECT_TRUE(capture.Asked().empty());
  EXPECT_EQ(main.table.writes, 0);
}

TEST_F(QueryRunTest, SecondStartEndsTheFirstRunAndStartsFromTheFirstRow) {
  AddRows({"D:\\1", "D:\\2", "D:\\3"});
  for (const char* f : {"D:\\1", "D:\\2", "D:\\3"}) capture.listings[f] = std::string(f) + " CORP\\张三:R \r\n";
  capture.firstListings["D:\\1"] = "D:\\1 CORP\\张三:N \r\n";  // what the first run would write, late
  capture.holdOn = "D:\\1";
  QueryRun run(main.context, capture.Function());
  run.Start();
  ASSERT_TRUE(PumpUntil(main.uiThread, [&] { return capture.Held(); }));
  run.Start();
  ASSERT_TRUE(Finish(run));
  EXPECT_TRUE(capture.SawCancel());
  EXPECT_EQ(capture.Asked(), (std::vector<std::string>{"D:\\1", "D:\\1", "D:\\2", "D:\\3"}));
  for (int r = 0; r < 3; ++r) EXPECT_EQ(main.table.CellText(r, 2), "读") << r;
  EXPECT_EQ(main.progress1.Pos(), 3);
}

TEST_F(QueryRunTest, RunsAgainAfterARunEndedAndStopsWithoutARun) {
  AddRows({"D:\\1"});
  capture.listings["D:\\1"] = "D:\\1 CORP\\张三:R \r\n";
  QueryRun run(main.context, capture.Function());
  run.Stop();
  run.Start();
  ASSERT_TRUE(Finish(run));
  main.table.SetCellText(0, 2, "旧");
  run.Start();
  ASSERT_TRUE(Finish(run));
  run.Stop();
  run.Stop();
  EXPECT_EQ(capture.Asked().size(), 2u);
  EXPECT_EQ(main.table.CellText(0, 2), "读");
}

// The QueryRun and every control are gone while the worker waits for its
// command: the worker must end without touching any of them.
TEST(QueryRunLifetime, DestroyedDuringARun) {
  test::ProgramDir dir;
  FakeCapture capture;
  capture.holdOn = "D:\\1";
  auto main = std::make_unique<Main>();
  main->table.InsertRow(-1, "D:\\1");
  main->table.InsertRow(-1, "D:\\2");
  auto run = std::make_unique<QueryRun>(main->context, capture.Function());
  run->Start();
  ASSERT_TRUE(PumpUntil(main->uiThread, [&] { return capture.Held(); }));
  run.reset();
  main.reset();
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!WorkersGone() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(WorkersGone());
  EXPECT_TRUE(capture.SawCancel());
  EXPECT_EQ(capture.Asked().size(), 1u);
}

}  // namespace
}  // namespace qv
