// "目录管理": FolderCheck on real folders, the section clean-up of Save, and
// the handlers on in-memory controls over a real User.ini in a temporary
// program directory (natively, and under Wine through the system's profile
// functions).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

#include "admin/DefaultFolderWindow.h"
#include "app/MemoryList.h"
#include "app/MemoryUi.h"
#include "common/TextTools.h"
#include "common/UserFile.h"
#include "folders/TableSorter.h"
#include "support/TestSupport.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace qv {
namespace {

using test::Printable;

// "%" in a text stands for the test's root folder (it never occurs in GBK as
// a second byte).
std::string Expand(std::string_view text, const std::string& root) {
  std::string out;
  for (char c : text) {
    if (c == '%') out += root;
    else out.push_back(c);
  }
  return out;
}

TEST(FolderCheck, ExistingListableFoldersOnly) {
  test::TempDir dir;
  const std::string r = dir.path();
  for (const char* sub : {"\\共享", "\\共享\\Finance", "\\運", "\\a=b"}) ASSERT_TRUE(os::MakeDirectory(r + sub)) << sub;
  ASSERT_TRUE(dir.Write("file.txt", "x"));
  const struct {
    std::string folder;
    bool expected;
  } cases[] = {
      {"%\\共享", true},
      {"%\\共享\\", true},               // looked up without its "\"
      {"%\\共享\\Finance", true},
      {"%\\共享\\finance", false},       // the name must match byte for byte
      {"%\\共享\\FINANCE\\", false},
      {"%\\運", true},                   // ends in 0x5C, the second byte of 運
      {"%\\運\\", true},
      {"%\\a=b", true},
      {"%\\missing", false},
      {"%\\missing\\below", false},      // parent cannot be listed
      {"%\\file.txt", false},            // not a folder
      {"%\\共\\", false},
      {"C:\\", false},                   // a drive root: looks for a folder "C:" in the current folder
      {"D:\\", false},
      {"", false},
      {"\\", false},
  };
  for (const auto& c : cases) {
    const std::string folder = Expand(c.folder, r);
    EXPECT_EQ(FolderCheck(folder), c.expected) << Printable(folder);
  }
}

// A share root's parent (\\server\) cannot be listed.
TEST(FolderCheck, ShareRootIsRefused) {
  EXPECT_FALSE(FolderCheck("\\\\server\\share"));
  EXPECT_FALSE(FolderCheck("\\\\server\\share\\"));
}

#ifndef _WIN32
TEST(FolderCheck, ParentThatMayNotBeListed) {
  if (!test::PermissionsApply()) GTEST_SKIP() << "permissions do not apply to this user";
  test::TempDir dir;
  ASSERT_TRUE(os::MakeDirectory(dir.path() + "\\locked"));
  ASSERT_TRUE(os::MakeDirectory(dir.path() + "\\locked\\inner"));
  EXPECT_TRUE(FolderCheck(dir.path() + "\\locked\\inner"));
  ::chmod((dir.path() + "/locked").c_str(), 0);
  EXPECT_FALSE(FolderCheck(dir.path() + "\\locked\\inner"));
  ::chmod((dir.path() + "/locked").c_str(), 0755);
}
#endif

TEST(DropLeftoverEntries, KeepsExactlyTheKeysOneToN) {
  const std::string s = kDefaultFolderSection;
  const struct {
    const char* name;
    std::string text;
    int count;
    std::string expected;
  } cases[] = {
      {"nothing to drop", "[默认目录]\r\n1=a\r\n2=b\r\n", 2, "[默认目录]\r\n1=a\r\n2=b\r\n"},
      {"a key above n goes", "[默认目录]\r\n1=a\r\n2=b\r\n3=c\r\n", 2, "[默认目录]\r\n1=a\r\n2=b\r\n"},
      {"n = 0 drops every entry", "[默认目录]\r\n1=a\r\n2=b\r\n", 0, "[默认目录]\r\n"},
      {"keys in any order", "[默认目录]\r\n3=c\r\n2=b\r\n1=a\r\n", 2, "[默认目录]\r\n2=b\r\n1=a\r\n"},
      {"a repeated key keeps its first line", "[默认目录]\r\n1=a\r\n1=b\r\n2=c\r\n", 2, "[默认目录]\r\n1=a\r\n2=c\r\n"},
      {"keys the program never writes go: 01, -1, x, empty", "[默认目录]\r\n01=a\r\n-1=b\r\nx=c\r\n=d\r\n1=e\r\n", 1,
       "[默认目录]\r\n1=e\r\n"},
      {"blanks around a key are the profile's", "[默认目录]\r\n 1 =a\r\n2 = b\r\n", 1, "[默认目录]\r\n 1 =a\r\n"},
      {"lines without = and blank lines stay", "[默认目录]\r\n;note\r\n\r\n5=x\r\n1=a\r\n", 1,
       "[默认目录]\r\n;note\r\n\r\n1=a\r\n"},
      {"the section ends at the next header; other sections untouched",
       "[帐号转换成职位]\r\n5=财务\r\n[默认目录]\r\n1=a\r\n5=b\r\n [x]\r\n5=c\r\n", 1,
       "[帐号转换成职位]\r\n5=财务\r\n[默认目录]\r\n1=a\r\n [x]\r\n5=c\r\n"},
      {"the header must stand on a line of its own", "[帐号转换成职位]\r\nx=[默认目录]\r\n5=a\r\n", 1,
       "[帐号转换成职位]\r\nx=[默认目录]\r\n5=a\r\n"},
      {"a header with blanks around it", "  [默认目录] \r\n1=a\r\n2=b", 1, "  [默认目录] \r\n1=a"},
      {"the last line without CR LF goes with the CR LF before it", "[默认目录]\r\n1=a\r\n2=b", 1, "[默认目录]\r\n1=a"},
      {"no section: unchanged", "[帐号转换成职位]\r\n5=a\r\n", 1, "[帐号转换成职位]\r\n5=a\r\n"},
      {"empty text", "", 3, ""},
      {"folders with 0x5C bytes and = stay byte for byte", "[默认目录]\r\n1=D:\\運\r\n2=D:\\a=b\r\n3=x\r\n", 2,
       "[默认目录]\r\n1=D:\\運\r\n2=D:\\a=b\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Printable(DropLeftoverEntries(c.text, s, c.count)), Printable(c.expected));
  }
}

// TableSorter is built by the folder-table work; until it is in, the list
// keeps its loaded order and the checks of the sorted order are skipped.
bool SorterWorks() {
  static const bool works = [] {
    test::ProgramDir dir;
    MemoryList list(false, false);
    list.InsertColumn(-1, "c", 10, kAlignLeft);
    list.InsertRow(-1, "b");
    list.InsertRow(-1, "a");
    ScriptedUi ui;
    TableSorter(list, 0, kKeyText, kAscending, ui);
    return list.CellText(0, 0) == "a";
  }();
  return works;
}

using Rows = std::vector<std::pair<std::string, std::string>>;  // key, folder

std::string Show(const Rows& rows) {
  std::string s;
  for (const auto& r : rows) s += "[" + r.first + "|" + Printable(r.second) + "] ";
  return s;
}

// One opening of the window: controls, handlers wired as the window wires
// them (Show on a new current row, Gate on a change of 编辑框1), Load.
struct Opened {
  MemoryList list{false, false};
  MemoryControl changeBox, addBox, changeButton{"修改", false};
  ScriptedUi ui;
  DefaultFolderWindow window{list, changeBox, addBox, changeButton, ui};

  Opened() {
    list.InsertColumn(-1, "标记", 40, kAlignLeft);
    list.InsertColumn(-1, "目录", 567, kAlignLeft);
    list.onCurrentChanged = [this] { window.Show(); };
    changeBox.onTextChanged = [this] { window.Gate(); };
    window.Load();
  }
  Rows rows() const {
    Rows out;
    for (int i = 0; i < list.RowCount(); ++i) out.emplace_back(list.CellText(i, 0), list.CellText(i, 1));
    return out;
  }
  void Click(int row) { list.SetSelection({row}); }
};

// The section "默认目录" as key -> folder, read the way start-up reads it.
std::map<std::string, std::string> Section() {
  std::map<std::string, std::string> out;
  for (const std::string& k : SplitKeyList(SectionKeys(kDefaultFolderSection))) {
    EXPECT_EQ(out.count(k), 0u) << "key listed twice: " << k;
    out[k] = ReadValue(kDefaultFolderSection, k);
  }
  return out;
}

struct Fixture {
  test::ProgramDir dir;
  std::string root;  // holds the folders 共享, 共享\财务, 共享\人事, 運
  Fixture() : root(dir.path() + "\\d") {
    for (const char* sub : {"", "\\共享", "\\共享\\财务", "\\共享\\人事", "\\運"}) os::MakeDirectory(root + sub);
  }
  void Write(std::string_view file) const { dir.WriteUserIni(Expand(file, root)); }
  std::string Read() const { return dir.UserIni(); }
  std::string X(std::string_view s) const { return Expand(s, root); }
};

TEST(DefaultFolderWindow, LoadShowsEntriesWithKeyAndFolder) {
  Fixture f;
  f.Write("[帐号转换成职位]\r\nzhang=财务部\r\n[默认目录]\r\n1=%\\共享\r\nnoequals\r\n=%\\x\r\n2=\r\n"
          "3=%\\a=b\r\n\r\n4=%\\運\\\r\n[其他]\r\n5=%\\y\r\n");
  Opened w;
  EXPECT_EQ(Show(w.rows()), Show({{"1", f.X("%\\共享")}, {"3", f.X("%\\a=b")}, {"4", f.X("%\\運\\")}}));
  EXPECT_EQ(w.changeBox.Text(), "");
  EXPECT_EQ(w.addBox.Text(), "");
  EXPECT_FALSE(w.changeButton.Enabled());
  EXPECT_TRUE(w.ui.messages.empty());

  test::ProgramDir none;
  Opened empty;
  EXPECT_EQ(empty.list.RowCount(), 0);
}

TEST(DefaultFolderWindow, TwelveEntriesSortAsTextAndAreRenumberedOnClose) {
  Fixture f;
  std::string file = "[默认目录]\r\n";
  for (int i = 1; i <= 12; ++i) file += std::to_string(i) + "=D:\\f" + std::to_string(i) + "\r\n";
  f.Write(file);
  Rows loaded;
  {
    Opened w;
    loaded = w.rows();
    ASSERT_EQ(loaded.size(), 12u);
    w.window.Save();  // closing without any change
  }
  // Whatever order the list has, the file now holds it under 1 ... 12.
  std::map<std::string, std::string> expected;
  for (size_t i = 0; i < loaded.size(); ++i) expected[std::to_string(i + 1)] = loaded[i].second;
  EXPECT_EQ(Section(), expected);

  if (!SorterWorks()) GTEST_SKIP() << "TableSorter not available yet: sorted order not checked";
  Rows sorted;
  for (int k : {1, 10, 11, 12, 2, 3, 4, 5, 6, 7, 8, 9}) sorted.emplace_back(std::to_string(k), "D:\\f" + std::to_string(k));
  EXPECT_EQ(Show(loaded), Show(sorted));
  // The folder that had key 10 now has key 2, each in the line of its new key.
  std::string renumbered = "[默认目录]\r\n";
  for (int i = 1; i <= 12; ++i) renumbered += std::to_string(i) + "=" + sorted[i - 1].second + "\r\n";
  EXPECT_EQ(Printable(f.Read()), Printable(renumbered));
}

TEST(DefaultFolderWindow, Add) {
  Fixture f;
  f.Write("[帐号转换成职位]\r\nzhang=财务部\r\n[默认目录]\r\n1=%\\共享\r\n");
  const std::string before = f.Read();
  Opened w;
  const struct {
    const char* folder;
  } refused[] = {{""}, {"%\\共享\\审计"}, {"%\\共享\\财务\\x\\y"}, {"C:\\"}, {"%\\共享\\財務"}};
  for (const auto& c : refused) {
    w.addBox.SetText(f.X(c.folder));
    w.window.Add();
    ASSERT_EQ(w.ui.messages.size(), 1u) << c.folder;
    EXPECT_EQ(w.ui.messages[0].text, "目录不存在或您没权限查看该目录");
    EXPECT_EQ(w.ui.messages[0].title, "提示");
    EXPECT_EQ(w.ui.messages[0].flags, kMbOk | kMbTaskModal);
    w.ui.messages.clear();
    EXPECT_EQ(w.list.RowCount(), 1);
    EXPECT_EQ(w.addBox.Text(), f.X(c.folder));
  }
  EXPECT_EQ(Printable(f.Read()), Printable(before));

  // Accepted: appended with the row count as key; a trailing "\" is kept as
  // typed; the same folder twice makes two rows.
  for (const char* folder : {"%\\共享\\财务", "%\\運\\", "%\\共享\\财务"}) {
    w.addBox.SetText(f.X(folder));
    w.window.Add();
    EXPECT_EQ(w.addBox.Text(), f.X(folder));
  }
  EXPECT_TRUE(w.ui.messages.empty());
  EXPECT_EQ(Show(w.rows()), Show({{"1", f.X("%\\共享")},
                                  {"2", f.X("%\\共享\\财务")},
                                  {"3", f.X("%\\運\\")},
                                  {"4", f.X("%\\共享\\财务")}}));
  EXPECT_EQ(Printable(f.Read()), Printable(f.X("[帐号转换成职位]\r\nzhang=财务部\r\n[默认目录]\r\n1=%\\共享\r\n"
                                               "2=%\\共享\\财务\r\n3=%\\運\\\r\n4=%\\共享\\财务\r\n")));
}

TEST(DefaultFolderWindow, FirstAddCreatesTheFile) {
  Fixture f;
  Opened w;
  w.addBox.SetText(f.root + "\\運");
  w.window.Add();
  EXPECT_EQ(Printable(f.Read()), Printable(f.X("[默认目录]\r\n1=%\\運\r\n")));
}

TEST(DefaultFolderWindow, ShowAndGate) {
  Fixture f;
  f.Write("[默认目录]\r\n1=%\\共享\r\n2=%\\運\r\n");
  Opened w;
  EXPECT_FALSE(w.changeButton.Enabled());
  w.Click(1);
  EXPECT_EQ(w.changeBox.Text(), f.X("%\\運"));
  EXPECT_TRUE(w.changeButton.Enabled());
  w.changeBox.SetText("");
  EXPECT_FALSE(w.changeButton.Enabled());
  w.changeBox.SetText("x");
  EXPECT_TRUE(w.changeButton.Enabled());
  w.list.SetSelection({});
  w.window.Show();  // no row selected: the box keeps its text
  EXPECT_EQ(w.changeBox.Text(), "x");
}

TEST(DefaultFolderWindow, BrowseAndChangeUseThePicker) {
  Fixture f;
  f.Write("[默认目录]\r\n1=%\\共享\r\n2=%\\運\r\n3=%\\共享\\人事\r\n");
  Opened w;

  // 浏览: the picker opens on 编辑框2's text; a cancel empties the box.
  w.addBox.SetText("D:\\a");
  w.ui.folderAnswers = {"E:\\b", ""};
  w.window.Browse();
  EXPECT_EQ(w.addBox.Text(), "E:\\b");
  w.window.Browse();
  EXPECT_EQ(w.addBox.Text(), "");
  ASSERT_EQ(w.ui.folderPicks.size(), 2u);
  EXPECT_EQ(w.ui.folderPicks[0].title, "请选择要查看权限的目录");
  EXPECT_EQ(w.ui.folderPicks[0].initialFolder, "D:\\a");
  EXPECT_EQ(w.ui.folderPicks[1].initialFolder, "E:\\b");
  w.ui.folderPicks.clear();

  const std::string before = f.Read();
  // 修改 with no row selected still opens the picker; it only fills 编辑框1.
  w.ui.folderAnswers = {"D:\\新"};
  w.window.Change();
  EXPECT_EQ(w.changeBox.Text(), "D:\\新");
  EXPECT_EQ(w.list.RowCount(), 3);
  EXPECT_EQ(Printable(f.Read()), Printable(before));

  // A cancelled picker changes nothing.
  w.Click(0);
  w.window.Change();
  EXPECT_EQ(w.changeBox.Text(), f.X("%\\共享"));
  EXPECT_EQ(Printable(f.Read()), Printable(before));

  // A picked folder: the row keeps its key, moves to the end, and the entry
  // gets the folder in its own line. No check that the folder exists.
  w.ui.folderAnswers = {"D:\\運\\不存在"};
  w.window.Change();
  EXPECT_EQ(Show(w.rows()), Show({{"2", f.X("%\\運")}, {"3", f.X("%\\共享\\人事")}, {"1", "D:\\運\\不存在"}}));
  EXPECT_EQ(w.changeBox.Text(), "D:\\運\\不存在");
  EXPECT_EQ(Printable(f.Read()),
            Printable(f.X("[默认目录]\r\n1=D:\\運\\不存在\r\n2=%\\運\r\n3=%\\共享\\人事\r\n")));
  ASSERT_EQ(w.ui.folderPicks.size(), 3u);
  EXPECT_EQ(w.ui.folderPicks[0].initialFolder, "");  // 编辑框1 was empty
  EXPECT_EQ(w.ui.folderPicks[1].initialFolder, f.X("%\\共享"));
  EXPECT_EQ(w.ui.folderPicks[2].initialFolder, f.X("%\\共享"));
  for (const FolderPickerArgs& a : w.ui.folderPicks) EXPECT_EQ(a.title, "请选择要查看权限的目录");
}

TEST(DefaultFolderWindow, Delete) {
  Fixture f;
  f.Write("[默认目录]\r\n1=%\\共享\r\n2=%\\運\r\n[帐号转换成职位]\r\nzhang=财务部\r\n");
  Opened w;
  w.window.Delete();  // no row selected
  EXPECT_EQ(w.list.RowCount(), 2);

  w.Click(1);
  w.window.Delete();
  EXPECT_EQ(Show(w.rows()), Show({{"1", f.X("%\\共享")}}));
  EXPECT_EQ(w.list.SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(w.changeBox.Text(), f.X("%\\共享"));  // row 0 shown
  EXPECT_EQ(Printable(f.Read()), Printable(f.X("[默认目录]\r\n1=%\\共享\r\n[帐号转换成职位]\r\nzhang=财务部\r\n")));

  // The only row: the list empties, 编辑框1 keeps the folder and "修改" stays enabled.
  w.window.Delete();
  EXPECT_EQ(w.list.RowCount(), 0);
  EXPECT_EQ(w.changeBox.Text(), f.X("%\\共享"));
  EXPECT_TRUE(w.changeButton.Enabled());
  EXPECT_EQ(Printable(f.Read()), Printable("[默认目录]\r\n[帐号转换成职位]\r\nzhang=财务部\r\n"));
  w.window.Save();
  EXPECT_EQ(Printable(f.Read()), Printable("[默认目录]\r\n[帐号转换成职位]\r\nzhang=财务部\r\n"));
}

// Closing leaves exactly the window's rows under 1 ... n in the section, so
// that no folder shows twice at the next start; the rest of the file stays.
TEST(DefaultFolderWindow, SaveLeavesExactlyTheRows) {
  const struct {
    const char* name;
    const char* file;
    std::function<void(Opened&, const Fixture&)> act;
    std::map<std::string, std::string> section;  // after Save, "%" expanded
  } cases[] = {
      {"a lower key deleted: the highest key does not stay behind", "[默认目录]\r\n1=%\\共享\r\n2=%\\運\r\n3=%\\共享\\人事\r\n",
       [](Opened& w, const Fixture&) {
         w.Click(0);
         w.window.Delete();
       },
       {{"1", "%\\運"}, {"2", "%\\共享\\人事"}}},
      {"a deletion with 编辑框1 edited leaves the line; Save still drops it",
       "[默认目录]\r\n1=%\\共享\r\n2=%\\運\r\n3=%\\共享\\人事\r\n",
       [](Opened& w, const Fixture&) {
         w.Click(2);
         w.changeBox.SetText("typed");
         w.window.Delete();
       },
       {{"1", "%\\共享"}, {"2", "%\\運"}}},
      {"an add into a gap takes an existing key; Save sorts it out",
       "[默认目录]\r\n1=%\\共享\r\n2=%\\運\r\n3=%\\共享\\人事\r\n",
       [](Opened& w, const Fixture& f) {
         w.Click(0);
         w.window.Delete();
         w.addBox.SetText(f.X("%\\共享\\财务"));
         w.window.Add();
       },
       {{"1", "%\\運"}, {"2", "%\\共享\\人事"}, {"3", "%\\共享\\财务"}}},
      {"entries the window does not show go: empty folder, empty key, another key",
       "[默认目录]\r\n1=%\\共享\r\n2=\r\n=%\\運\r\nx=%\\共享\r\n9=\r\n", [](Opened&, const Fixture&) {},
       {{"1", "%\\共享"}, {"2", "%\\共享"}}},
      {"every row deleted: no entry stays", "[默认目录]\r\n1=%\\共享\r\n2=%\\運\r\n",
       [](Opened& w, const Fixture&) {
         w.Click(0);
         w.window.Delete();
         w.window.Delete();
       },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.Write(std::string("[帐号转换成职位]\r\nzhang=财务部\r\n") + c.file + "[其他]\r\n1=x\r\n");
    {
      Opened w;
      c.act(w, f);
      w.window.Save();
    }
    std::map<std::string, std::string> expected;
    for (const auto& [k, v] : c.section) expected[k] = f.X(v);
    EXPECT_EQ(Section(), expected);
    const std::string text = f.Read();
    EXPECT_EQ(text.rfind("[帐号转换成职位]\r\nzhang=财务部\r\n[默认目录]\r\n", 0), 0u) << Printable(text);
    EXPECT_NE(text.find("\r\n[其他]\r\n1=x\r\n"), std::string::npos) << Printable(text);
    // The next opening shows the same rows.
    Opened again;
    std::map<std::string, std::string> shown;
    for (const auto& [k, v] : again.rows()) shown[k] = v;
    EXPECT_EQ(shown, expected);
  }
}

}  // namespace
}  // namespace qv
