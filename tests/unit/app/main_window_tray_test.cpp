// The main window's tray icon: the program starts in the notification area, minimises into it, opens its
// menu from it and leaves nothing there at exit.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/resources.h"
#include "fake_native_application.h"
#include "fake_services.h"
#include "program/product.h"
#include "program_support.h"
#include "startup/run_key.h"

namespace vantrel {
namespace {

TEST(MainWindowTray, StartsInTheTrayMinimisesIntoItAndLeavesNothingAtExit) {
  fakes::FakeServices fakes;
  fakes.memory.status = {512 * kMiB, 64 * kMiB};
  fakes.process.moduleFileName = kExe;
  fakes.registry.createKey(platform::kHKeyLocalMachine, kRunKey);
  constexpr platform::ColorRef kChip = 0xC896FF;
  fakes.gdi.resources[kIconTrayBackground] = fakes::FakeGdi::Image(16, 16, kChip);
  StartupTrayIcon(fakes.services);
  {
    auto native = std::make_unique<fakes::FakeNativeApplication>(fakes.clock);
    fakes::FakeNativeApplication& app = *native;
    TApplication application(fakes.services, std::move(native));
    application.SetTitle(kProductLine);
    auto* form = application.CreateForm<TfrmVantrel>();
    application.Run();
    EXPECT_FALSE(form->Visible());
    // Not even for a moment: the taskbar button would flash.
    EXPECT_EQ(app.appWindowShows, 0);
    ASSERT_EQ(fakes.shell.icons.size(), 1u);
    // The background, drawn with the text that is still empty.
    const fakes::FakeGdi::Image* shown = fakes.gdi.image(fakes.shell.icons.begin()->second.hIcon);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->at(8, 8), kChip);

    fakes.windowSystem.cursor = {900, 10};
    fakes.windowSystem.SendMessageA(TrayIconWindow(), TrayCallbackMessage, form->TextTrayIcon1->IconId(),
                                    platform::kWmRButtonDown);
    ASSERT_EQ(app.menus.size(), 1u);
    EXPECT_EQ(app.menus[0].front(), "&Show/Hide");
    EXPECT_EQ(app.menuPositions[0], (std::pair<int, int>{900, 10}));

    form->TextTrayIcon1->ShowMainWindow();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(app.appWindowVisible);
    application.Minimize();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(app.appWindowVisible);
    EXPECT_EQ(fakes.shell.icons.size(), 1u);
  }
  EXPECT_TRUE(fakes.shell.icons.empty());
  EXPECT_EQ(fakes.windowSystem.liveHandles(), 0);
  EXPECT_EQ(fakes.gdi.liveObjects(), 0);
  ShutdownTrayIcon();
}

}  // namespace
}  // namespace vantrel
