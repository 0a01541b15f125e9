// Program entry: the application with its title, the main window, the message loop.
#include "app/main_window.h"
#include "app/product.h"
#include "framework/win32/win32_application.h"
#include "platform/win32/win32_services.h"

int main() {
  vantrel::TApplication application(vantrel::platform::win32::services(),
                                    vantrel::win32::createApplication());
  application.Initialize();
  application.SetTitle(vantrel::kProductLine);
  application.CreateForm<vantrel::TfrmVantrel>();
  application.Run();
  return 0;
}
