// "开始查询" on the real main window under Wine, with the cacls stand-in.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "app/MainWindow.h"
#include "query/QueryRun.h"
#include "support/TestSupport.h"
#include "win/CaclsStandIn.h"
#include "win/QueryWinSupport.h"

namespace qv {
namespace {

bool WorkersGone() { return QueryRun::LiveWorkers() == 0; }

class MainWindowQueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cacls_.ready());
    std::string ini = "[帐号转换成职位]\r\nAdministrators=管理员\r\n张三=财务\r\nSYSTEM=系统\r\n[默认目录]\r\n";
    for (size_t i = 0; i < kFolders.size(); ++i) ini += std::to_string(i + 1) + "=" + kFolders[i] + "\r\n";
    dir_.WriteUserIni(ini);
    for (const std::string& f : AllFolders()) {
      cacls_.SetListing(f, f + " NT AUTHORITY\\SYSTEM:(OI)(CI)F \r\n" + std::string(f.size() + 1, ' ') +
                               "CORP\\张三:(OI)(CI)R \r\n\r\n");
    }
  }
  void TearDown() override { EXPECT_TRUE(test::PumpUntil(WorkersGone)); }

  // The default folders, plus one added by hand: a "=" in a default
  // folder's value would split its key in User.ini.
  std::unique_ptr<MainWindow> Create() {
    MainWindow::Options o;
    o.ui = &ui_;
    o.updateCheck = false;
    o.quitOnDestroy = false;
    ui_.onProcessEvents = [] { test::PumpMessages(); };
    auto w = MainWindow::Create(o);
    if (w) w->table().InsertRow(-1, kByHand);
    return w;
  }
  std::vector<std::string> AllFolders() const {
    std::vector<std::string> all = kFolders;
    all.push_back(kByHand);
    return all;
  }
  static void Click(MainWindow& w, const char* name, int id) {
    HWND b = w.form().Get(name);
    SendMessageA(GetParent(b), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(b));
  }

  // Folder names that an interpreter would split or run as a second command.
  const std::vector<std::string> kFolders = {"D:\\共享\\R&D 研发", "D:\\a&calc", "D:\\x^y%PATH%(1)!;,", "D:\\運\\"};
  const std::string kByHand = "D:\\k=v, w;(x)";
  test::ProgramDir dir_;
  test::CaclsStandIn cacls_;
  ScriptedUi ui_;
};

TEST_F(MainWindowQueryTest, FillsEveryRowAndBothBarsEndWhereTheyShould) {
  auto w = Create();
  ASSERT_TRUE(w);
  Click(*w, "按钮1", kIdButton1);
  ASSERT_TRUE(test::PumpUntil(WorkersGone));
  ListViewControl& t = w->table();
  ASSERT_EQ(t.RowCount(), 5);
  for (int r = 0; r < t.RowCount(); ++r) {
    SCOPED_TRACE(test::Printable(t.CellText(r, 0)));
    EXPECT_EQ(t.CellText(r, 1), "");  // 管理员: no Administrators line
    EXPECT_EQ(t.CellText(r, 2), "读");
    EXPECT_EQ(t.CellText(r, 3), "修改");  // the first entry, with its two-word authority
  }
  EXPECT_EQ(w->context().progress1.Pos(), 5);
  EXPECT_EQ(w->context().progress1.Max(), 5);
  EXPECT_EQ(w->context().progress2.Pos(), 4);
  EXPECT_EQ(w->context().progress2.Max(), 4);
  // Each folder reached the stand-in as one argument, byte for byte, and nothing else ran.
  std::vector<std::string> seen;
  for (const auto& call : cacls_.Calls()) {
    ASSERT_EQ(call.args.size(), 1u) << call.commandLine;
    seen.push_back(call.args[0]);
  }
  std::vector<std::string> expected = AllFolders();
  std::sort(seen.begin(), seen.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(seen, expected);
}

TEST_F(MainWindowQueryTest, TwoQuickClicksRunOnceThrough) {
  auto w = Create();
  test::ScopedEnv slow("QV_CACLS_SLEEP_MS", "200");
  Click(*w, "按钮1", kIdButton1);
  Click(*w, "按钮1", kIdButton1);
  ASSERT_TRUE(test::PumpUntil(WorkersGone));
  for (int r = 0; r < w->table().RowCount(); ++r) EXPECT_EQ(w->table().CellText(r, 2), "读");
  EXPECT_EQ(w->context().progress1.Pos(), 5);
}

TEST_F(MainWindowQueryTest, CloseDuringARunEndsItAtOnce) {
  auto w = Create();
  test::ScopedEnv slow("QV_CACLS_SLEEP_MS", "3000");
  Click(*w, "按钮1", kIdButton1);
  test::PumpUntil([] { return false; }, 300);
  const DWORD start = GetTickCount();
  Click(*w, "按钮6", kIdButton6);
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_EQ(w->hwnd(), nullptr);
  w.reset();
  EXPECT_TRUE(test::PumpUntil(WorkersGone, 5000));
}

}  // namespace
}  // namespace qv
