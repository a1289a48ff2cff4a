// The in-memory list must place rows of a sorted list where the real ListView
// places them: the same inserts go to both and the orders are compared.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/ListViewControl.h"
#include "app/MemoryList.h"
#include "support/TestSupport.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

using test::Column0;

struct Insert {
  std::string text;
  bool textAfterwards;  // inserted empty, then given its text
};

void Compare(const std::vector<Insert>& inserts) {
  test::HostWindow host;
  ListViewControl real(test::CreateListView(host.hwnd(), LVS_SORTASCENDING));
  real.InsertColumn(-1, "c", 100, kAlignCentre);
  MemoryList model(true);
  model.InsertColumn(-1, "c", 100, kAlignCentre);
  for (const Insert& in : inserts) {
    const int a = real.InsertRow(-1, in.textAfterwards ? std::string() : in.text);
    const int b = model.InsertRow(-1, in.textAfterwards ? std::string() : in.text);
    EXPECT_EQ(a, b) << test::Printable(in.text);
    if (in.textAfterwards) {
      real.SetCellText(a, 0, in.text);
      model.SetCellText(b, 0, in.text);
    }
  }
  EXPECT_EQ(test::Show(Column0(real)), test::Show(Column0(model)));
}

TEST(ListViewOrder, MixedCaseAscii) {
  Compare({{"b", false}, {"B", false}, {"a", false}, {"A", false}, {"ab", false}, {"Ab", false}, {"aB", false},
           {"_x", false}, {"-x", false}, {"x-y", false}, {"xy", false}, {"1", false}, {"10", false}, {"2", false}});
}

TEST(ListViewOrder, Paths) {
  Compare({{"D:\\b", false}, {"D:\\A", false}, {"D:\\a", false}, {"D:\\a b", false}, {"D:\\a\\b", false},
           {"D:\\a.b", false}, {"C:\\", false}, {"d:\\c", false}, {"\\\\srv\\x", false}, {"D:\\a(1)", false},
           {"D:\\a&b", false}, {"", false}, {"D:\\Z", false}});
}

TEST(ListViewOrder, EmptyTextsAndLateText) {
  Compare({{"m", false}, {"c", true}, {"x", false}, {"a", true}, {"", false}, {"b", false}, {"z", true}});
}

// Simplified characters of GB2312 stand in pinyin order, which is how Wine's
// Chinese collation orders them too. Characters outside GB2312 (traditional
// ones such as 運 and 誠) are placed by the locale's pinyin collation in the
// ListView but by their codes in the model: that case is not compared.
TEST(ListViewOrder, SimplifiedChinese) {
  Compare({{"D:\\共享\\财务", false}, {"D:\\共享\\人事", false}, {"D:\\阿", false}, {"D:\\张三", false},
           {"D:\\a", false}, {"D:\\甲", false}, {"D:\\乙", false}, {"D:\\Z", false}, {"D:\\z", true}});
}

}  // namespace
}  // namespace qv
