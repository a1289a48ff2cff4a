#include "app/Form.h"

#include <commctrl.h>
#include <string.h>

namespace qv {
namespace {

// Group boxes contain controls: their commands and notifications belong to
// the window that owns the group box.
LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CONTEXTMENU:
      return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // Labels and buttons inside a group box: the dialog face, not black.
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ERASEBKGND: {
      // A group box paints only its frame and caption; the strip above the
      // frame would keep whatever was on screen.
      RECT r{};
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ContainerProc, 1);
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

struct ClassStyle {
  const char* cls;
  DWORD style;
  DWORD exStyle;
};

ClassStyle StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::List: return {WC_LISTVIEWA, WS_TABSTOP | WS_BORDER | LVS_REPORT, 0};
    case ControlKind::GroupBox: return {"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ControlKind::Edit: return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Button: return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Label: return {"STATIC", SS_LEFT, 0};
    case ControlKind::Progress: return {PROGRESS_CLASSA, 0, 0};
    case ControlKind::StatusBar: return {STATUSCLASSNAMEA, CCS_BOTTOM, 0};
    case ControlKind::Radio: return {"BUTTON", WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case ControlKind::Splitter: return {"STATIC", SS_ETCHEDHORZ, 0};
  }
  return {"STATIC", 0, 0};
}

class FontOwner {
 public:
  FontOwner() {
    font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
  }
  ~FontOwner() {
    if (font_) DeleteObject(font_);
  }
  HFONT get() const { return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

 private:
  HFONT font_;
};

}  // namespace

void InitControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

HFONT UiFont() {
  static FontOwner font;
  return font.get();
}

const char* RegisterFormClass(const char* className, WNDPROC proc, HICON icon) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) return className;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = icon;
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
  return className;
}

void CenterOnScreen(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form::Create(HWND top, const LayoutItem* items, size_t count) {
  InitControls();
  const HFONT font = UiFont();
  for (size_t i = 0; i < count; ++i) {
    const LayoutItem& s = items[i];
    HWND parent = s.container ? Get(s.container) : top;
    if (!parent) return false;
    const ClassStyle cs = StyleOf(s.kind);
    HWND hwnd = CreateWindowExA(cs.exStyle, cs.cls, s.caption ? s.caption : "",
                                WS_CHILD | WS_VISIBLE | cs.style | s.style, s.x, s.y, s.w, s.h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.id)), GetModuleHandleA(nullptr),
                                nullptr);
    if (!hwnd) return false;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (s.kind == ControlKind::GroupBox) SetWindowSubclass(hwnd, ContainerProc, 1, 0);
    entries_.push_back({&s, hwnd});
  }
  return true;
}

HWND Form::Get(const char* name) const {
  for (const Entry& e : entries_) {
    if (strcmp(e.item->name, name) == 0) return e.hwnd;
  }
  return nullptr;
}

HWND Form::GetById(int id) const {
  for (const Entry& e : entries_) {
    if (e.item->id == id) return e.hwnd;
  }
  return nullptr;
}

const LayoutItem* Form::Item(const char* name) const {
  for (const Entry& e : entries_) {
    if (strcmp(e.item->name, name) == 0) return e.item;
  }
  return nullptr;
}

}  // namespace qv
