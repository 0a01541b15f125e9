// The text tray icon on the fake shell and drawing service: when it draws anew, what it shows, and that its
// images never pile up.
#include "tray/text_tray_icon.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_native_application.h"
#include "fake_services.h"
#include "tray/free_memory_tray_icon.h"

namespace vantrel {
namespace {

constexpr platform::ColorRef kChip = 0xC896FF;
constexpr int kBackground = 2;

class TextTray : public ::testing::Test {
 protected:
  TextTray() {
    fakes.gdi.resources[kBackground] = fakes::FakeGdi::Image(16, 16, kChip);
    fakes.gdi.sysColors = {{platform::kColorWindowText, 0x101010}, {platform::kColorBtnFace, 0xC8D0D4}};
    StartupTrayIcon(fakes.services);
    auto native = std::make_unique<fakes::FakeNativeApplication>(fakes.clock);
    application = std::make_unique<TApplication>(fakes.services, std::move(native));
    form = application->CreateForm<TForm>();
    list = new TImageList(form);
    list->AddIcon(TIcon{5});
    list->AddIcon(TIcon{6});
    icon = new TFreeMemoryTrayIcon(form);
    icon->SetIconVisible(true);
    icon->SetBackgroundIcon(TIcon{kBackground});
    icon->Options().SetOffsetX(-1);
    icon->Options().SetOffsetY(-2);
  }
  ~TextTray() override {
    application.reset();
    ShutdownTrayIcon();
  }
  // Drawings that reached the notification area.
  int updates() const {
    int count = 0;
    for (const std::uint32_t message : fakes.shell.messages()) {
      count += message == platform::kNimModify;
    }
    return count;
  }
  const fakes::FakeGdi::Image& shown() const {
    return *fakes.gdi.image(fakes.shell.icons.begin()->second.hIcon);
  }

  fakes::FakeServices fakes;
  std::unique_ptr<TApplication> application;
  TForm* form = nullptr;
  TImageList* list = nullptr;
  TTextTrayIcon* icon = nullptr;
};

TEST_F(TextTray, EveryChangeDrawsAnewButTheSameOptionValueDoesNot) {
  const int before = updates();
  icon->Options().SetOffsetX(-1);
  EXPECT_EQ(updates(), before);
  icon->Options().SetOffsetX(0);
  EXPECT_EQ(updates(), before + 1);
  icon->SetText("42");
  icon->SetColor(clNone);
  icon->SetBorder(true);
  EXPECT_EQ(updates(), before + 4);
  EXPECT_EQ(fakes.gdi.texts.back().text, "42");
}

TEST_F(TextTray, TheNextTextReplacesAListImageAndStopsCycling) {
  icon->SetIconList(list);
  icon->SetCycleInterval(500);
  icon->SetCycleIcons(true);
  icon->SetIconIndex(1);
  EXPECT_EQ(fakes.windowSystem.resourceOf(fakes.shell.icons.begin()->second.hIcon), 6);
  icon->SetText("7");
  EXPECT_FALSE(icon->CycleIcons());
  EXPECT_EQ(shown().at(8, 14), kChip);
}

TEST_F(TextTray, FiguresThatWouldBeCutShowInTheirCompactForm) {
  struct Case {
    std::string text;
    bool drawnAsText;
  };
  for (const Case& c : {Case{"57", true}, Case{"512", false}, Case{"23483", false}, Case{"1a2b3", true}}) {
    SCOPED_TRACE(c.text);
    fakes.gdi.texts.clear();
    icon->SetText(c.text);
    EXPECT_EQ(!fakes.gdi.texts.empty(), c.drawnAsText);
    // The compact form's number starts in row 2; the text's boxes would start in row 0.
    EXPECT_EQ(shown().at(8, 1) == kChip, !c.drawnAsText);
  }
}

TEST_F(TextTray, ADrawingLikeTheOneInTheTrayIsNotHandedOverAgain) {
  icon->SetText("23483");
  int expected = updates();
  icon->SetText("23490");  // 22.9 GB, as before
  EXPECT_EQ(updates(), expected);
  icon->SetText("24000");
  EXPECT_EQ(updates(), ++expected);
  icon->SetText("57");
  icon->SetText("57");
  EXPECT_EQ(updates(), ++expected);
  // What changes the pixels without a property changing: a system colour, and another image shown meanwhile.
  fakes.gdi.sysColors[platform::kColorWindowText] = 0x202020;
  icon->SetText("57");
  EXPECT_EQ(updates(), ++expected);
  icon->SetIconList(list);
  icon->SetText("57");
  EXPECT_NE(fakes.gdi.image(fakes.shell.icons.begin()->second.hIcon), nullptr) << "the list's image stayed";
}

TEST_F(TextTray, TenThousandDrawingsLeaveNothingBehind) {
  icon->SetText("0");
  const int before = fakes.gdi.liveObjects();
  for (int i = 0; i < 10000; ++i) {
    icon->SetText(std::to_string(i));
  }
  EXPECT_EQ(fakes.gdi.liveObjects(), before);
}

TEST_F(TextTray, TheImageHasTheSystemsSmallIconSizeAndItsFontScales) {
  // A chip with a mark in its last pixel, which shows only when it is loaded at 32 pixels.
  constexpr platform::ColorRef kMark = 0x00FF00;
  fakes::FakeGdi::Image chip(32, 32, kChip);
  chip.pixels.back() = kMark;
  fakes.gdi.resources[kBackground] = chip;
  icon->SetBackgroundIcon(TIcon{kBackground});
  struct Case {
    int size;
    std::string font;
  };
  for (const Case& c : {Case{20, "MS Sans Serif -14"}, Case{24, "MS Sans Serif -16"},
                        Case{32, "MS Sans Serif -22"}, Case{16, "MS Sans Serif -11"}}) {
    SCOPED_TRACE(c.size);
    fakes.windowSystem.metrics[platform::kSmCxSmIcon] = c.size;
    icon->SetText("42");
    EXPECT_EQ(shown().width, c.size);
    EXPECT_EQ(fakes.gdi.texts.back().font, c.font);
    // The chip is loaded anew at each size, not the one of the size before scaled.
    EXPECT_EQ(shown().at(c.size - 1, c.size - 1) == kMark, c.size == 32);
  }
}

TEST_F(TextTray, ASizeChangeLeavesNothingBehind) {
  icon->SetText("512");
  const int before = fakes.gdi.liveObjects();
  for (int i = 0; i < 100; ++i) {
    fakes.windowSystem.metrics[platform::kSmCxSmIcon] = i % 2 ? 32 : 16;
    icon->SetText(std::to_string(i * 100));
  }
  EXPECT_EQ(fakes.gdi.liveObjects(), before);
}

TEST_F(TextTray, ListImagesAreLoadedAtTheSmallIconSize) {
  fakes.windowSystem.metrics[platform::kSmCxSmIcon] = 24;
  icon->SetIconList(list);
  icon->SetIconIndex(1);
  EXPECT_EQ(fakes.windowSystem.sizeOf(fakes.shell.icons.begin()->second.hIcon), 24);
}

}  // namespace
}  // namespace vantrel
