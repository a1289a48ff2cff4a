// The folder picker under Wine: the dialog description, the callback and the
// release of the item list with the shell calls replaced; then the real
// SHBrowseForFolderA, driven by a timer that presses OK or Cancel.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <thread>

#include "grant/FolderPicker.h"
#include "grant/FolderPickerShell.h"
#include "support/TestSupport.h"
#include "win/WinTestSupport.h"

namespace qv {
namespace {

// A window that records what the callback sends to "the dialog".
struct Recorder {
  static std::vector<std::pair<WPARAM, std::string>>& Selections() {
    static std::vector<std::pair<WPARAM, std::string>> s;
    return s;
  }
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == BFFM_SETSELECTIONA) Selections().push_back({wParam, reinterpret_cast<const char*>(lParam)});
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  Recorder() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvPickerRecorder";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "QvPickerRecorder", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    Selections().clear();
  }
  ~Recorder() { DestroyWindow(hwnd); }
  HWND hwnd;
};

struct FakeShell {
  BROWSEINFOA seen{};
  std::string title;
  int browses = 0, pathCalls = 0;
  bool bufferWasBlank = false;
  const char* answer = nullptr;  // nullptr: cancel
  const char* path = "";
  BOOL pathOk = TRUE;
  std::vector<void*> freed;
  std::function<void(BROWSEINFOA*)> whileOpen;
  char item[8] = {};  // stands for the item identifier list

  FolderDialogCalls Calls() {
    return {
        [this](BROWSEINFOA* info) -> LPITEMIDLIST {
          ++browses;
          seen = *info;
          title = info->lpszTitle ? info->lpszTitle : "";
          if (whileOpen) whileOpen(info);
          return answer ? reinterpret_cast<LPITEMIDLIST>(item) : nullptr;
        },
        [this](LPCITEMIDLIST list, char* buffer) -> BOOL {
          ++pathCalls;
          EXPECT_EQ(reinterpret_cast<const void*>(list), static_cast<void*>(item));
          bufferWasBlank = std::string(buffer, kPickerPathChars) == std::string(kPickerPathChars, ' ');
          if (pathOk) lstrcpyA(buffer, path);
          return pathOk;
        },
        [this](void* memory) { freed.push_back(memory); },
    };
  }
};

TEST(FolderPickerWine, DialogDescriptionForEachArgument) {
  const struct {
    const char* name;
    FolderPickerArgs args;
    UINT flags;
  } cases[] = {
      {"as every caller opens it", {"请选择要查看权限的目录", false, "D:\\共享", false, true, 0}, BIF_NEWDIALOGSTYLE},
      {"defaults", {}, 0x40},
      {"files", {"t", true, "", false, true, 0}, 0x4040},
      {"edit box", {"t", false, "", true, true, 0}, 0x50},
      {"old style", {"t", false, "", false, false, 0}, 0},
      {"all", {"t", true, "", true, true, 0}, 0x4050},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeShell shell;
    FolderPicker(c.args, shell.Calls());
    EXPECT_EQ(shell.seen.ulFlags, c.flags);
    EXPECT_EQ(shell.title, c.args.title);
    EXPECT_EQ(shell.seen.hwndOwner, nullptr);
    EXPECT_EQ(shell.seen.pidlRoot, nullptr);
    EXPECT_EQ(shell.seen.pszDisplayName, nullptr);
    EXPECT_EQ(shell.seen.lpfn, &BrowseCallbackProc);
    EXPECT_EQ(shell.seen.lParam, 0);
  }
  FakeShell shell;
  FolderPickerArgs withOwner;
  test::HostWindow owner;
  withOwner.owner = reinterpret_cast<std::intptr_t>(owner.hwnd());
  FolderPicker(withOwner, shell.Calls());
  EXPECT_EQ(shell.seen.hwndOwner, owner.hwnd());
  EXPECT_EQ(shell.title, "请选择一个文件夹");
}

TEST(FolderPickerWine, CallbackSelectsTheInitialFolderAndIgnoresTheRest) {
  Recorder dialog;
  FakeShell shell;
  int results[3] = {};
  shell.whileOpen = [&](BROWSEINFOA* info) {
    results[0] = info->lpfn(dialog.hwnd, BFFM_INITIALIZED, 0, info->lParam);
    results[1] = info->lpfn(dialog.hwnd, BFFM_SELCHANGED, 0, info->lParam);
    results[2] = info->lpfn(dialog.hwnd, BFFM_VALIDATEFAILEDA, 0, info->lParam);
  };
  FolderPickerArgs args;
  args.initialFolder = "D:\\共享\\運";
  FolderPicker(args, shell.Calls());
  EXPECT_EQ(results[0], 1);
  EXPECT_EQ(results[1], 1);
  EXPECT_EQ(results[2], 1);
  ASSERT_EQ(Recorder::Selections().size(), 1u);
  EXPECT_EQ(Recorder::Selections()[0].first, WPARAM(TRUE));
  EXPECT_EQ(Recorder::Selections()[0].second, "D:\\共享\\運");
}

// A second picker opened while the first is open (its dialog lets the other
// windows run) selects its own folder, and the first keeps its own.
TEST(FolderPickerWine, NestedPickersKeepTheirOwnInitialFolder) {
  Recorder dialog;
  FakeShell outer, inner;
  inner.whileOpen = [&](BROWSEINFOA* info) { info->lpfn(dialog.hwnd, BFFM_INITIALIZED, 0, 0); };
  outer.whileOpen = [&](BROWSEINFOA* info) {
    FolderPickerArgs a;
    a.initialFolder = "E:\\inner";
    FolderPicker(a, inner.Calls());
    info->lpfn(dialog.hwnd, BFFM_INITIALIZED, 0, 0);
  };
  FolderPickerArgs a;
  a.initialFolder = "D:\\outer";
  FolderPicker(a, outer.Calls());
  ASSERT_EQ(Recorder::Selections().size(), 2u);
  EXPECT_EQ(Recorder::Selections()[0].second, "E:\\inner");
  EXPECT_EQ(Recorder::Selections()[1].second, "D:\\outer");
}

TEST(FolderPickerWine, ResultTrimmingAndRelease) {
  {
    FakeShell shell;  // cancelled: nothing to release
    EXPECT_EQ(FolderPicker({}, shell.Calls()), "");
    EXPECT_EQ(shell.pathCalls, 0);
    EXPECT_TRUE(shell.freed.empty());
  }
  {
    FakeShell shell;  // chosen: the path, trimmed; the list released once
    shell.answer = "x";
    shell.path = "\xA1\xA1 D:\\共享\\運 \xA1\xA1";
    EXPECT_EQ(FolderPicker({}, shell.Calls()), "D:\\共享\\運");
    EXPECT_TRUE(shell.bufferWasBlank);
    EXPECT_EQ(shell.freed, std::vector<void*>{shell.item});
  }
  {
    FakeShell shell;  // a drive root keeps its backslash
    shell.answer = "x";
    shell.path = "D:\\";
    EXPECT_EQ(FolderPicker({}, shell.Calls()), "D:\\");
  }
  {
    FakeShell shell;  // an item without a file-system path
    shell.answer = "x";
    shell.pathOk = FALSE;
    EXPECT_EQ(FolderPicker({}, shell.Calls()), "");
    EXPECT_EQ(shell.freed, std::vector<void*>{shell.item});
  }
}

// Presses a button of the folder dialog of this thread from a timer, which
// the dialog's own message loop runs. Bounded: the button is pressed within
// 10 s, a dialog still open 5 s later is ended, and after 60 s the test
// program stops rather than hang.
class DialogDriver {
 public:
  explicit DialogDriver(int button) {
    button_ = button;
    awaited_.clear();
    selected_.clear();
    titleShown_ = false;
    pressed_ = false;
    ticks_ = 0;
    timer_ = SetTimer(nullptr, 0, 100, &DialogDriver::Tick);
    watchdog_ = std::thread([this] {
      for (int i = 0; i < 600 && !done_; ++i) Sleep(100);
      if (!done_) {
        std::fprintf(stderr, "folder dialog did not close: stopping\n");
        TerminateProcess(GetCurrentProcess(), 99);
      }
    });
  }
  ~DialogDriver() {
    done_ = true;
    KillTimer(nullptr, timer_);
    watchdog_.join();
  }
  static bool pressed() { return pressed_; }
  // The tree item the dialog should show selected before the button is pressed.
  static void Await(const std::string& item) { awaited_ = item; }
  static const std::string& selected() { return selected_; }
  static bool titleShown() { return titleShown_; }

 private:
  static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM out) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd)) {
      *reinterpret_cast<HWND*>(out) = hwnd;
      return FALSE;
    }
    return TRUE;
  }
  static BOOL CALLBACK FindTree(HWND hwnd, LPARAM out) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, WC_TREEVIEWA) != 0) return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  // The text of the tree's selected item.
  static std::string SelectedItem(HWND dialog) {
    HWND tree = nullptr;
    EnumChildWindows(dialog, &DialogDriver::FindTree, reinterpret_cast<LPARAM>(&tree));
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!tree || !item) return {};
    char text[MAX_PATH] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
  }
  static BOOL CALLBACK FindTitle(HWND hwnd, LPARAM) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (text == title_) titleShown_ = true;
    return TRUE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &DialogDriver::FindDialog, reinterpret_cast<LPARAM>(&dialog));
    ++ticks_;
    if (!dialog) return;
    if (!pressed_) {
      // Wine fills the tree in steps: wait (10 s at most) for the expected
      // selection before pressing, so the test sees what the dialog settled on.
      selected_ = SelectedItem(dialog);
      if (!awaited_.empty() && selected_ != awaited_ && ticks_ < 100) return;
      EnumChildWindows(dialog, &DialogDriver::FindTitle, 0);
      pressed_ = true;
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
    } else if (ticks_ > 150) {
      EndDialog(dialog, IDCANCEL);
    }
  }
  static inline int button_ = IDOK;
  static inline bool pressed_ = false;
  static inline int ticks_ = 0;
  static inline std::string awaited_, selected_, title_ = "请选择要查看权限的目录";
  static inline bool titleShown_ = false;
  UINT_PTR timer_ = 0;
  std::atomic<bool> done_{false};
  std::thread watchdog_;
};

TEST(FolderPickerWine, RealDialogOpensOnTheInitialFolder) {
  // Under C:\ itself: the dialog's tree leaves out hidden folders, and the
  // temporary folder lies below one in Wine's profile.
  const std::string base = "C:\\qvpicker" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(os::MakeDirectory(base));
  struct Remove {
    std::string path;
    ~Remove() { os::RemoveTree(path); }
  } remove{base};
  const std::string folder = base + "\\共享運";
  ASSERT_TRUE(os::MakeDirectory(folder));
  ASSERT_TRUE(os::MakeDirectory(folder + "\\财务"));
  FolderPickerArgs args;
  args.title = "请选择要查看权限的目录";
  args.initialFolder = folder;
  std::string chosen;
  // Wine's shell now and then leaves its tree on the desktop although the
  // selection was asked for (seen about once in three full test runs, never
  // alone): a dialog that settles elsewhere is opened once more, up to three times.
  for (int attempt = 1; attempt <= 3; ++attempt) {
    DialogDriver ok(IDOK);
    DialogDriver::Await("共享運");
    chosen = FolderPicker(args);
    EXPECT_TRUE(DialogDriver::pressed());
    EXPECT_TRUE(DialogDriver::titleShown());
    if (DialogDriver::selected() == "共享運") break;
    std::fprintf(stderr, "folder dialog attempt %d settled on %s\n", attempt,
                 test::Printable(DialogDriver::selected()).c_str());
    EXPECT_LT(attempt, 3) << "the dialog never showed the initial folder";
  }
  // OK on the dialog as it opened: the initial folder was selected.
  EXPECT_EQ(CharUpperA(chosen.data()), std::string(CharUpperA(std::string(folder).data())))
      << test::Printable(chosen);
  {
    DialogDriver cancel(IDCANCEL);
    EXPECT_EQ(FolderPicker(args), "");
    EXPECT_TRUE(DialogDriver::pressed());
  }
}

}  // namespace
}  // namespace qv
