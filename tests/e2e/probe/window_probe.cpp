// The end-to-end tests' view of a running program from outside.
//   window_probe.exe "<title>": lists the child windows of the shown windows of that title, one line each,
//     tab-separated: class, screen rectangle (left top right bottom), state, text. The state is a progress
//     bar's position, an up-down's "position/low..high", a list or combo box's "selected/count", a tab
//     control's selected tab, a list view's "selected/count/rows it shows whole/shown (1 or 0)", a check
//     box's 1 or 0, else -.
//   window_probe.exe --send "<title>" <message> <wParam>: sends a message to every top-level window of that
//     title, as the system does to all of them, and prints each answer.
//   window_probe.exe --tree "<title>": the form's client size on a first line ("form", width, height), then
//     every window inside it, tab-separated: its number, its parent's number (0 for the form), class,
//     rectangle relative to the form's client area, the extent (width height) its text needs in the window's
//     own font within the window's width ("-" for a window without text), text.
//   window_probe.exe --rows "<title>": for every list view of each shown window of that title, a line
//     "list", its column count and its row count, then one line per row: its texts, column by column, tab-separated, in UTF-8. The probe
//     must be of the program's architecture (it reads the rows through the program's memory).
//   window_probe.exe --tips: every shown tooltip window on the screen, one line each, tab-separated: its
//     screen rectangle (left top right bottom) and its text.
//   The probe is DPI-aware, so it sees the physical pixels of a DPI-aware program.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace {

std::string className(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string text(HWND window) {
  // WM_GETTEXT is marshalled across processes, unlike GetWindowText on another process's controls.
  char buffer[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  std::string result = buffer;
  for (char& c : result) {
    if (c == '\t' || c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  return result;
}

// Class names compare without regard to case, as the system's do.
bool is(const std::string& kind, const char* name) {
  return lstrcmpiA(kind.c_str(), name) == 0;
}

std::string state(HWND window, const std::string& kind) {
  if (kind == PROGRESS_CLASSA) {
    return std::to_string(SendMessageA(window, PBM_GETPOS, 0, 0));
  }
  if (kind == UPDOWN_CLASSA) {
    // The range in one answer: the 32-bit form writes to pointers, which do not cross processes.
    const LRESULT range = SendMessageA(window, UDM_GETRANGE, 0, 0);
    return std::to_string(SendMessageA(window, UDM_GETPOS32, 0, 0)) + "/" +
           std::to_string(static_cast<short>(HIWORD(range))) + ".." +
           std::to_string(static_cast<short>(LOWORD(range)));
  }
  if (is(kind, "ListBox")) {
    return std::to_string(SendMessageA(window, LB_GETCURSEL, 0, 0)) + "/" +
           std::to_string(SendMessageA(window, LB_GETCOUNT, 0, 0));
  }
  if (is(kind, "ComboBox")) {
    return std::to_string(SendMessageA(window, CB_GETCURSEL, 0, 0)) + "/" +
           std::to_string(SendMessageA(window, CB_GETCOUNT, 0, 0));
  }
  if (is(kind, WC_TABCONTROLA)) {
    return std::to_string(SendMessageA(window, TCM_GETCURSEL, 0, 0));
  }
  if (is(kind, WC_LISTVIEWA)) {
    return std::to_string(SendMessageA(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) +
           "/" + std::to_string(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0)) + "/" +
           std::to_string(SendMessageA(window, LVM_GETCOUNTPERPAGE, 0, 0)) + "/" +
           (IsWindowVisible(window) ? "1" : "0");
  }
  if (is(kind, "Button") && (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_CHECKBOX) {
    return std::to_string(SendMessageA(window, BM_GETCHECK, 0, 0));
  }
  return "-";
}

BOOL CALLBACK print(HWND window, LPARAM) {
  RECT r{};
  GetWindowRect(window, &r);
  const std::string kind = className(window);
  std::printf("%s\t%ld %ld %ld %ld\t%s\t%s\n", kind.c_str(), r.left, r.top, r.right, r.bottom,
              state(window, kind).c_str(), text(window).c_str());
  return TRUE;
}

std::vector<HWND> descendants;

BOOL CALLBACK collect(HWND window, LPARAM) {
  descendants.push_back(window);
  return TRUE;
}

// What the text needs in the window's own font ("-" for a window without text), measured inside the program
// by text_probe.dll, which the hook loads there.
std::string extent(HWND window, HOOKPROC hook, const std::string& kind, const std::string& caption) {
  if (!hook || caption.empty() || !(is(kind, "Static") || is(kind, "Button"))) {
    return "-";
  }
  const HHOOK hooked = SetWindowsHookExA(WH_CALLWNDPROC, hook, GetModuleHandleA("text_probe.dll"),
                                         GetWindowThreadProcessId(window, nullptr));
  SendMessageA(window, RegisterWindowMessageA("Vantrel.Probe.Measure"), 0, 0);
  UnhookWindowsHookEx(hooked);
  const auto measured = reinterpret_cast<ULONG_PTR>(RemovePropA(window, "Vantrel.Probe.Extent"));
  if (!measured) {
    return "unmeasured";
  }
  return std::to_string(LOWORD(measured)) + " " + std::to_string(HIWORD(measured));
}

int tree(HWND form) {
  RECT client{};
  GetClientRect(form, &client);
  std::printf("form\t%ld\t%ld\n", client.right, client.bottom);
  descendants.clear();
  EnumChildWindows(form, collect, 0);
  HMODULE measurer = LoadLibraryA("text_probe.dll");
  const auto hook =
      measurer ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(measurer, "measureHook")))
               : nullptr;
  for (std::size_t i = 0; i < descendants.size(); ++i) {
    HWND window = descendants[i];
    std::size_t parent = 0;
    for (std::size_t j = 0; j < descendants.size(); ++j) {
      if (descendants[j] == GetParent(window)) {
        parent = j + 1;
      }
    }
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    const std::string kind = className(window);
    const std::string caption = text(window);
    std::printf("%zu\t%zu\t%s\t%ld %ld %ld %ld\t%s\t%s\n", i + 1, parent, kind.c_str(), r.left, r.top,
                r.right, r.bottom, extent(window, hook, kind, caption).c_str(), caption.c_str());
  }
  return 0;
}

// The text of a list view's cell, asked for with a record in the program's memory: the list view's
// messages that carry pointers are not carried to another process.
std::string cellText(HWND list, HANDLE process, char* remote, int row, int column) {
  constexpr int kLongest = 1024;
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<LPWSTR>(remote + sizeof item);
  item.cchTextMax = kLongest;
  std::vector<wchar_t> text(kLongest, L'\0');
  if (!WriteProcessMemory(process, remote, &item, sizeof item, nullptr)) {
    return "?";
  }
  const auto length = static_cast<int>(
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote)));
  if (!ReadProcessMemory(process, remote + sizeof item, text.data(), sizeof(wchar_t) * kLongest, nullptr)) {
    return "?";
  }
  std::string utf8(static_cast<std::size_t>(length) * 4 + 1, '\0');
  const int written = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(),
                                          static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(written));
  return utf8;
}

int rows(HWND form) {
  DWORD id = 0;
  GetWindowThreadProcessId(form, &id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
  if (!process) {
    return 1;
  }
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
  descendants.clear();
  EnumChildWindows(form, collect, 0);
  for (HWND list : descendants) {
    if (!is(className(list), WC_LISTVIEWA)) {
      continue;
    }
    const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::printf("list\t%d\t%d\n", columns, count);
    for (int row = 0; row < count; ++row) {
      for (int column = 0; column < columns; ++column) {
        std::printf("%s%s", column ? "\t" : "", cellText(list, process, remote, row, column).c_str());
      }
      std::printf("\n");
    }
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

// Sees the physical pixels of every window, as a DPI-aware program does; the call is missing before Vista.
void becomeDpiAware() {
  using SetProcessDpiAware = BOOL(WINAPI*)();
  if (const auto call = reinterpret_cast<SetProcessDpiAware>(
          reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware")))) {
    call();
  }
}

}  // namespace

int tips() {
  for (HWND tip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tip;
       tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) {
    RECT rect;
    if (IsWindowVisible(tip) && GetWindowRect(tip, &rect)) {
      std::printf("%ld %ld %ld %ld\t%s\n", rect.left, rect.top, rect.right, rect.bottom, text(tip).c_str());
    }
  }
  return 0;
}

int send(const char* title, UINT message, WPARAM wParam) {
  int sent = 0;
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title); window;
       window = FindWindowExA(nullptr, window, nullptr, title)) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, message, wParam, 0, SMTO_BLOCK, 10000, &answer);
    std::printf("%lu\n", static_cast<unsigned long>(answer));
    ++sent;
  }
  return sent > 0 ? 0 : 1;
}

int main(int argc, char** argv) {
  becomeDpiAware();
  if (argc == 5 && std::string(argv[1]) == "--send") {
    return send(argv[2], static_cast<UINT>(std::stoul(argv[3], nullptr, 0)),
                static_cast<WPARAM>(std::stoul(argv[4], nullptr, 0)));
  }
  if (argc == 2 && std::string(argv[1]) == "--tips") {
    return tips();
  }
  const bool treeOnly = argc == 3 && std::string(argv[1]) == "--tree";
  const bool rowsOnly = argc == 3 && std::string(argv[1]) == "--rows";
  if (argc != 2 && !treeOnly && !rowsOnly) {
    std::fprintf(stderr,
                 "usage: window_probe <window title> | --tips | --tree <window title> | --rows <window "
                 "title> | --send <window "
                 "title> <message> <wParam>\n");
    return 2;
  }
  const char* title = argv[argc - 1];
  // The visible windows of that title that have children: the program's form and any message box of the
  // program, not its taskbar window.
  bool found = false;
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title); window;
       window = FindWindowExA(nullptr, window, nullptr, title)) {
    if (IsWindowVisible(window) && GetWindow(window, GW_CHILD)) {
      if (treeOnly) {
        return tree(window);
      }
      if (rowsOnly) {
        // A modal dialog of the program has its title too: the rows of every shown window.
        if (rows(window) != 0) {
          return 1;
        }
        found = true;
        continue;
      }
      EnumChildWindows(window, print, 0);
      found = true;
    }
  }
  if (!found) {
    return 1;
  }
  return 0;
}
