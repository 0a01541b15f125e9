// Win32 only: the Task Scheduler 2.0 through its COM interface, created by its class id, so that the program
// loads where there is none (before Vista) and is told so then.
#include "platform/win32/win32_scheduled_tasks.h"

#include <string>
#include <vector>

#include "platform/win32/com.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"
// After <windows.h>, which it needs.
#include <taskschd.h>

namespace vantrel::platform::win32 {

namespace {

// CLSID_TaskScheduler, spelt out: the import library that holds it would load taskschd.dll at start.
constexpr CLSID kTaskScheduler = {
    0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};

// The interface's strings come from OLE Automation, which the program does not import (it is no known DLL,
// so an import would be looked for in the program's folder first): it is loaded from the system folder for as
// long as the Task Scheduler is used.
struct StringFunctions {
  explicit StringFunctions(HMODULE module)
      : allocate(SystemCall<decltype(allocate)>(module, "SysAllocString")),
        release(SystemCall<decltype(release)>(module, "SysFreeString")) {}
  BSTR(WINAPI* allocate)(const OLECHAR*);
  void(WINAPI* release)(BSTR);
};

// A BSTR, freed when it goes.
class String {
 public:
  explicit String(const StringFunctions& functions) : functions_(functions) {}
  String(const StringFunctions& functions, const std::u16string& text)
      : functions_(functions), text_(functions.allocate(wide(text))) {}
  ~String() {
    if (text_ != nullptr) {
      functions_.release(text_);
    }
  }
  String(const String&) = delete;
  String& operator=(const String&) = delete;
  BSTR get() const { return text_; }
  BSTR* put() { return &text_; }

 private:
  const StringFunctions& functions_;
  BSTR text_ = nullptr;
};

// A folder of this computer's Task Scheduler (the root folder unless told), connected as this process's user.
class Folder {
 public:
  explicit Folder(const std::u16string& path = u"\\") {
    if (strings_.allocate == nullptr || strings_.release == nullptr) {
      result_ = REGDB_E_CLASSNOTREG;
      return;
    }
    result_ = apartment_.CreateInstance(kTaskScheduler, __uuidof(ITaskService), service_.out());
    if (FAILED(result_)) {
      return;
    }
    VARIANT none{};
    none.vt = VT_EMPTY;
    result_ = service_->Connect(none, none, none, none);
    if (SUCCEEDED(result_)) {
      const String folder(strings_, path);
      result_ = service_->GetFolder(folder.get(), folder_.put());
    }
  }
  // An HRESULT: whether the folder is there to use.
  HRESULT result() const { return result_; }
  ITaskFolder* operator->() const { return folder_.operator->(); }
  const StringFunctions& strings() const { return strings_; }

 private:
  // In this order, let go of in the reverse: the strings' library outlives COM, COM the interfaces.
  HeldLibrary automation_{L"oleaut32.dll"};
  StringFunctions strings_{automation_.get()};
  ComApartment apartment_;
  ComPointer<ITaskService> service_;
  ComPointer<ITaskFolder> folder_;
  HRESULT result_ = E_FAIL;
};

// The number of a collection's item, as its get_Item takes it (from 1).
VARIANT itemNumber(LONG number) {
  VARIANT item{};
  item.vt = VT_I4;
  item.lVal = number;
  return item;
}

std::u16string textOf(const String& text) {
  return text.get() != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text.get())) : u"";
}

// The tasks of `folder` and of every folder below it. A folder or a task that cannot be read is left out:
// another user's folder refuses a standard user, and a task may go while it is listed.
void listFolder(ITaskFolder* folder, const StringFunctions& strings, std::vector<RegisteredTask>& tasks,
                int depth) {
  ComPointer<IRegisteredTaskCollection> registered;
  LONG count = 0;
  if (SUCCEEDED(folder->GetTasks(TASK_ENUM_HIDDEN, registered.put())) &&
      SUCCEEDED(registered->get_Count(&count))) {
    for (LONG i = 1; i <= count; ++i) {
      ComPointer<IRegisteredTask> task;
      String path(strings);
      String xml(strings);
      VARIANT_BOOL enabled = VARIANT_TRUE;
      if (SUCCEEDED(registered->get_Item(itemNumber(i), task.put())) &&
          SUCCEEDED(task->get_Path(path.put())) && SUCCEEDED(task->get_Enabled(&enabled)) &&
          SUCCEEDED(task->get_Xml(xml.put()))) {
        tasks.push_back({textOf(path), enabled != VARIANT_FALSE, textOf(xml)});
      }
    }
  }
  // Folders nest only a few deep; the bound keeps a loop in a broken store from running away.
  constexpr int kDeepest = 64;
  ComPointer<ITaskFolderCollection> folders;
  count = 0;
  if (depth >= kDeepest || FAILED(folder->GetFolders(0, folders.put())) ||
      FAILED(folders->get_Count(&count))) {
    return;
  }
  for (LONG i = 1; i <= count; ++i) {
    ComPointer<ITaskFolder> inner;
    if (SUCCEEDED(folders->get_Item(itemNumber(i), inner.put()))) {
      listFolder(inner.operator->(), strings, tasks, depth + 1);
    }
  }
}

}  // namespace

std::int32_t Win32ScheduledTasks::GetTask(const std::u16string& name, RegisteredTask& found) {
  const Folder folder;
  if (FAILED(folder.result())) {
    return folder.result();
  }
  ComPointer<IRegisteredTask> task;
  const String path(folder.strings(), name);
  HRESULT result = folder->GetTask(path.get(), task.put());
  if (FAILED(result)) {
    return result;
  }
  String text(folder.strings());
  VARIANT_BOOL enabled = VARIANT_TRUE;
  result = task->get_Enabled(&enabled);
  if (SUCCEEDED(result)) {
    result = task->get_Xml(text.put());
  }
  found.Path.assign(1, u'\\').append(name);
  found.Enabled = enabled != VARIANT_FALSE;
  found.Xml = textOf(text);
  return result;
}

std::int32_t Win32ScheduledTasks::RegisterTask(const std::u16string& name, const std::u16string& xml) {
  const Folder folder;
  if (FAILED(folder.result())) {
    return folder.result();
  }
  const String path(folder.strings(), name);
  const String text(folder.strings(), xml);
  VARIANT none{};
  none.vt = VT_EMPTY;
  ComPointer<IRegisteredTask> task;
  return folder->RegisterTask(path.get(), text.get(), TASK_CREATE_OR_UPDATE, none, none,
                              TASK_LOGON_INTERACTIVE_TOKEN, none, task.put());
}

std::int32_t Win32ScheduledTasks::DeleteTask(const std::u16string& name) {
  const Folder folder;
  if (FAILED(folder.result())) {
    return folder.result();
  }
  const String path(folder.strings(), name);
  return folder->DeleteTask(path.get(), 0);
}

std::int32_t Win32ScheduledTasks::GetTasks(std::vector<RegisteredTask>& tasks) {
  const Folder root;
  if (FAILED(root.result())) {
    return root.result();
  }
  listFolder(root.operator->(), root.strings(), tasks, 0);
  return S_OK;
}

std::int32_t Win32ScheduledTasks::SetTaskEnabled(const std::u16string& path, bool enabled) {
  const std::size_t slash = path.rfind(u'\\');
  if (slash == std::u16string::npos) {
    return kTaskNotFound;
  }
  // The task is asked of its own folder: the root folder takes only its own tasks' names everywhere.
  const Folder folder(slash == 0 ? u"\\" : path.substr(0, slash));
  if (FAILED(folder.result())) {
    return folder.result() == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND) ? kTaskNotFound : folder.result();
  }
  ComPointer<IRegisteredTask> task;
  const String name(folder.strings(), path.substr(slash + 1));
  HRESULT result = folder->GetTask(name.get(), task.put());
  if (FAILED(result)) {
    return result;
  }
  result = task->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE);
  if (FAILED(result)) {
    return result;
  }
  // Read back from the service, not from this copy of the task: "done" only where the service kept it.
  ComPointer<IRegisteredTask> again;
  VARIANT_BOOL now = enabled ? VARIANT_FALSE : VARIANT_TRUE;
  result = folder->GetTask(name.get(), again.put());
  if (SUCCEEDED(result)) {
    result = again->get_Enabled(&now);
  }
  if (FAILED(result)) {
    return result;
  }
  return (now != VARIANT_FALSE) == enabled ? S_OK : kTaskNotSwitched;
}

// The Task Scheduler keeps each task as a file of its name in the system's Tasks folder. Where Windows
// answers that no such file is there, no such task is. Any other answer (no rights to look, a folder that is
// not there) leaves the question to the Task Scheduler itself.
bool Win32ScheduledTasks::TaskFileMissing(const std::u16string& name) {
  wchar_t system[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  std::wstring folder(system, length < MAX_PATH ? length : 0);
  // A 32-bit process on 64-bit Windows would be shown the 32-bit system folder; Sysnative, beside it, is the
  // real one.
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto isWow64 = SystemCall<IsWow64ProcessFn>(::GetModuleHandleW(L"kernel32.dll"), "IsWow64Process");
  BOOL wow64 = FALSE;
  const std::size_t slash = folder.rfind(L'\\');
  if (isWow64 != nullptr && isWow64(::GetCurrentProcess(), &wow64) && wow64 && slash != std::wstring::npos) {
    folder = folder.substr(0, slash) + L"\\Sysnative";
  }
  if (folder.empty()) {
    return false;
  }
  const std::wstring file = folder + L"\\Tasks\\" + std::wstring(name.begin(), name.end());
  return ::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES &&
         ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace vantrel::platform::win32
