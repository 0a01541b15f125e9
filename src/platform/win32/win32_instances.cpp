// Win32 only: the session's named mutex, the running copy's window and WM_COPYDATA to it.
#include "platform/win32/win32_instances.h"

#include "platform/win32/windows_api.h"

namespace vantrel::platform::win32 {

namespace {

std::optional<std::intptr_t> sendWithin(HWnd window, UINT message, LPARAM lParam, std::uint32_t timeout) {
  DWORD_PTR answer = 0;
  // A copy that hangs must not hang this one too. Without SMTO_ABORTIFHUNG, which may drop the message to a
  // window that seems hung, a message whose wait times out is always left with the window.
  if (!::SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, 0, lParam, SMTO_BLOCK, timeout,
                             &answer)) {
    return std::nullopt;
  }
  return static_cast<std::intptr_t>(answer);
}

}  // namespace

KernelHandle Win32Instances::CreateMutexA(const char* name, bool& alreadyExisted) {
  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name);
  const DWORD error = GetLastError();
  alreadyExisted = error == ERROR_ALREADY_EXISTS || (!mutex && error == ERROR_ACCESS_DENIED);
  return reinterpret_cast<KernelHandle>(mutex);
}

bool Win32Instances::CloseHandle(KernelHandle handle) {
  return ::CloseHandle(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

bool Win32Instances::WaitForSingleObject(KernelHandle handle, std::uint32_t timeout) {
  const DWORD result = ::WaitForSingleObject(reinterpret_cast<HANDLE>(handle), timeout);
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

bool Win32Instances::ReleaseMutex(KernelHandle handle) {
  return ::ReleaseMutex(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

HWnd Win32Instances::FindWindowExA(HWnd after, const char* className) {
  return reinterpret_cast<HWnd>(::FindWindowExA(nullptr, reinterpret_cast<HWND>(after), className, nullptr));
}

std::string Win32Instances::GetWindowTextA(HWnd window) {
  // Longer than any title of this program's.
  char text[256] = {};
  const int length = ::GetWindowTextA(reinterpret_cast<HWND>(window), text, sizeof text);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool Win32Instances::AllowSetForegroundWindow(HWnd window) {
  DWORD process = 0;
  GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &process);
  return process != 0 && ::AllowSetForegroundWindow(process) != FALSE;
}

std::optional<std::intptr_t> Win32Instances::SendMessageTimeoutA(HWnd window, std::uintptr_t data,
                                                                 const std::string& bytes,
                                                                 std::uint32_t timeout) {
  COPYDATASTRUCT copy{};
  copy.dwData = data;
  copy.cbData = static_cast<DWORD>(bytes.size());
  copy.lpData = const_cast<char*>(bytes.data());
  return sendWithin(window, WM_COPYDATA, reinterpret_cast<LPARAM>(&copy), timeout);
}

std::optional<std::intptr_t> Win32Instances::SendMessageTimeoutA(HWnd window, std::uint32_t message,
                                                                 std::uint32_t timeout) {
  return sendWithin(window, message, 0, timeout);
}

void Win32Instances::Sleep(std::uint32_t ms) {
  ::Sleep(ms);
}

}  // namespace vantrel::platform::win32
