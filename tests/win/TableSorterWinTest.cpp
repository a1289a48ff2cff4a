// TableSorter on a real ListView with the sort style, as the main table has.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/ListViewControl.h"
#include "app/MemoryUi.h"
#include "folders/TableSorter.h"
#include "support/TestSupport.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

TEST(TableSorterWin, RowsKeepTheirTextsAndValues) {
  test::ProgramDir program;
  test::HostWindow host;
  ListViewControl list(test::CreateListView(host.hwnd(), LVS_SORTASCENDING));
  ScriptedUi ui;
  ui.onProcessEvents = [] { test::PumpMessages(); };
  for (const char* t : {"文件目录  ", "管理员"}) list.InsertColumn(-1, t, 60, kAlignCentre);
  // Texts longer than a short string's inline room, and short ones.
  const std::vector<std::string> folders = {"Z:\\a very long folder name\\共享 目录", "Z:\\b", "Z:\\a",
                                            "Z:\\c a long one as well, past 16 bytes"};
  for (size_t i = 0; i < folders.size(); ++i) {
    const int r = list.InsertRow(-1, folders[i]);
    list.SetCellText(r, 1, "词" + folders[i]);
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = r;
    item.lParam = static_cast<LPARAM>(100 + i);
    SendMessageA(list.hwnd(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  ASSERT_TRUE(TableSorter(list, 0, kKeyText, kAscending, ui));
  ASSERT_EQ(list.RowCount(), 4);
  std::vector<std::string> seen;
  for (int r = 0; r < 4; ++r) {
    const std::string f = list.CellText(r, 0);
    seen.push_back(test::Printable(f));
    EXPECT_EQ(list.CellText(r, 1), "词" + f);
    const auto at = std::find(folders.begin(), folders.end(), f);
    ASSERT_NE(at, folders.end()) << test::Printable(f);
    EXPECT_EQ(list.RowValue(r), 100 + (at - folders.begin()));
  }
  EXPECT_FALSE(os::FileExists(program.File("Sort_S.aji")));
  EXPECT_FALSE(os::FileExists(program.File("Sort_E.aji")));
}

}  // namespace
}  // namespace qv
