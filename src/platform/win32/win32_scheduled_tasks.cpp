// Win32 only: the Task Scheduler 2.0 through its COM interface, created by its class id, so that the program
// loads where there is none (before Vista) and is told so then.
#include "platform/win32/win32_scheduled_tasks.h"

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
// so an import would be looked for in the program's folder first): it is loaded once, from the system folder.
struct StringFunctions {
  BSTR(WINAPI* allocate)(const OLECHAR*) = nullptr;
  void(WINAPI* release)(BSTR) = nullptr;
};

const StringFunctions& stringFunctions() {
  static const StringFunctions functions = [] {
    const HMODULE module = LoadSystemLibrary(L"oleaut32.dll");
    StringFunctions found;
    found.allocate = SystemCall<decltype(found.allocate)>(module, "SysAllocString");
    found.release = SystemCall<decltype(found.release)>(module, "SysFreeString");
    return found;
  }();
  return functions;
}

// A BSTR, freed when it goes.
class String {
 public:
  String() = default;
  explicit String(const std::u16string& text) : text_(stringFunctions().allocate(wide(text))) {}
  ~String() {
    if (text_ != nullptr) {
      stringFunctions().release(text_);
    }
  }
  String(const String&) = delete;
  String& operator=(const String&) = delete;
  BSTR get() const { return text_; }
  BSTR* put() { return &text_; }

 private:
  BSTR text_ = nullptr;
};

// The root folder of this computer's Task Scheduler, connected as this process's user.
class RootFolder {
 public:
  RootFolder() {
    const StringFunctions& functions = stringFunctions();
    if (functions.allocate == nullptr || functions.release == nullptr) {
      result_ = REGDB_E_CLASSNOTREG;
      return;
    }
    ComPointer<ITaskService> service;
    result_ = ::CoCreateInstance(kTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskService),
                                 service.out());
    if (FAILED(result_)) {
      return;
    }
    VARIANT none{};
    none.vt = VT_EMPTY;
    result_ = service->Connect(none, none, none, none);
    if (SUCCEEDED(result_)) {
      const String root(u"\\");
      result_ = service->GetFolder(root.get(), folder_.put());
    }
  }
  // An HRESULT: whether the folder is there to use.
  HRESULT result() const { return result_; }
  ITaskFolder* operator->() const { return folder_.operator->(); }

 private:
  // Before the folder: COM stays on the thread until the interfaces are released.
  ComApartment apartment_;
  ComPointer<ITaskFolder> folder_;
  HRESULT result_ = E_FAIL;
};

}  // namespace

std::int32_t Win32ScheduledTasks::GetTask(const std::u16string& name, std::u16string& xml) {
  const RootFolder folder;
  if (FAILED(folder.result())) {
    return folder.result();
  }
  ComPointer<IRegisteredTask> task;
  const String path(name);
  HRESULT result = folder->GetTask(path.get(), task.put());
  if (FAILED(result)) {
    return result;
  }
  String text;
  result = task->get_Xml(text.put());
  if (SUCCEEDED(result) && text.get() != nullptr) {
    xml = reinterpret_cast<const char16_t*>(text.get());
  }
  return result;
}

std::int32_t Win32ScheduledTasks::RegisterTask(const std::u16string& name, const std::u16string& xml) {
  const RootFolder folder;
  if (FAILED(folder.result())) {
    return folder.result();
  }
  const String path(name);
  const String text(xml);
  VARIANT none{};
  none.vt = VT_EMPTY;
  ComPointer<IRegisteredTask> task;
  return folder->RegisterTask(path.get(), text.get(), TASK_CREATE_OR_UPDATE, none, none,
                              TASK_LOGON_INTERACTIVE_TOKEN, none, task.put());
}

std::int32_t Win32ScheduledTasks::DeleteTask(const std::u16string& name) {
  const RootFolder folder;
  if (FAILED(folder.result())) {
    return folder.result();
  }
  const String path(name);
  return folder->DeleteTask(path.get(), 0);
}

}  // namespace vantrel::platform::win32
