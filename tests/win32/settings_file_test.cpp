// The settings file through the system's own profile functions (Wine in CI).
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/main_window.h"
#include "fake_services.h"
#include "framework/ini_file.h"
#include "platform/unicode.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/windows_api.h"
#include "program/product.h"

namespace vantrel {
namespace {

// A folder of its own under the temporary folder, removed with its files afterwards.
class Folder {
 public:
  Folder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "vantrel-settings-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++count_) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~Folder() {
    DeleteFileA((path_ + "Vantrel.ini").c_str());
    RemoveDirectoryA(path_.c_str());
  }
  const std::string& path() const { return path_; }
  std::string read(const std::string& name) const {
    std::ifstream in(path_ + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  static inline int count_ = 0;
  std::string path_;
};

TEST(Win32Profile, KeysGoInTheOrderWrittenAndChangeInPlace) {
  Folder folder;
  platform::win32::Win32Profile profile;
  TIniFile ini(profile, folder.path() + "Vantrel.ini");
  EXPECT_EQ(ini.ReadInteger("Vantrel", "CPU", 80), 80);
  ini.WriteInteger("Vantrel", "AutoRun", 1);
  ini.WriteInteger("Vantrel", "CPU", 75);
  ini.WriteInteger("Vantrel", "AutoRun", -1);
  EXPECT_EQ(folder.read("Vantrel.ini"), "[Vantrel]\r\nAutoRun=-1\r\nCPU=75\r\n");
  EXPECT_EQ(ini.ReadInteger("Vantrel", "CPU", 80), 75);
  ini.WriteString("Vantrel", "CPU", "0x50");
  EXPECT_EQ(ini.ReadInteger("Vantrel", "CPU", 1), 80);
  ini.WriteString("Vantrel", "CPU", "abc");
  EXPECT_EQ(ini.ReadInteger("Vantrel", "cpu", 80), 80);
}

TEST(Win32Profile, AFolderNamedInAnyScriptKeepsItsFile) {
  Folder folder;
  const std::string named = folder.path() + "Πρόγραμμα 内存";
  ASSERT_TRUE(CreateDirectoryW(platform::win32::wide(Utf8ToUtf16(named)), nullptr));
  platform::win32::Win32Profile profile;
  TIniFile ini(profile, named + "\\Vantrel.ini");
  ini.WriteInteger("Vantrel", "CPU", 75);
  EXPECT_EQ(ini.ReadInteger("Vantrel", "CPU", 80), 75);
  EXPECT_TRUE(DeleteFileW(platform::win32::wide(Utf8ToUtf16(named + "\\Vantrel.ini"))));
  EXPECT_TRUE(RemoveDirectoryW(platform::win32::wide(Utf8ToUtf16(named))));
}

TEST(Win32Profile, AFolderThatIsNotThereCannotBeWritten) {
  platform::win32::Win32Profile profile;
  TIniFile ini(profile, "Z:\\no\\such\\folder\\Vantrel.ini");
  try {
    ini.WriteInteger("Vantrel", "CMI", 1);
    ADD_FAILURE() << "no error";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to Z:\\no\\such\\folder\\Vantrel.ini");
  }
}

TEST(SettingsFile, AFileWrittenByTheProgramReadsBackToTheSameState) {
  Folder folder;
  platform::win32::Win32Profile profile;
  fakes::FakeServices fakes;
  fakes.services.profile = &profile;
  fakes.memory.status = {512ull << 20, 100ull << 20};
  fakes.process.moduleFileName = folder.path() + "renamed.exe";

  auto application = std::make_unique<TApplication>(fakes.services);
  application->SetTitle(kProductLine);
  TfrmVantrel* form = application->CreateForm<TfrmVantrel>();
  form->edtCMI->SetText("3");
  form->edtMin->SetText("50");
  form->edtTRYT->SetText("2");
  form->edtGRFSH->SetText("4");
  form->edtCPU->SetText("60");
  form->edtWAIT->SetText("7");
  form->edtTRFSH->SetText("5");
  form->lblTARGET->SetCaption("36");
  form->listMax->SetItemIndex(10);
  form->ComboBox1->SetItemIndex(8);
  form->CheckBox1->SetChecked(false);
  form->CheckBox2->SetChecked(false);
  form->Resized(600, 400);
  application.reset();
  const std::string written = folder.read("Vantrel.ini");
  EXPECT_EQ(
      written,
      "[Vantrel]\r\nAutoRun=-1\r\nAutoFree=-1\r\nTarget=36\r\nGRFSH=4\r\nTRFSH=5\r\nTRYT=2\r\nLCLK=8\r\n"
      "WAIT=7\r\nCPU=60\r\nIDX=10\r\nMIN=50\r\nCMI=3\r\n[FreeMemory]\r\nWorkingSets=1\r\nFileCache=1\r\n"
      "StandbyLowPriority=1\r\nStandby=0\r\nModifiedList=0\r\nCombinedPages=0\r\nRegistryCache="
      "0\r\nBelowPercent=0\r\nCooldownMinutes=5\r\n"
      "Hotkey=0\r\nHotkeyOn=0\r\n[Window]\r\nWidth=600\r\nHeight=400\r\nHideWindowsEntries=1\r\n[History]"
      "\r\nLog=0\r\n[Tray]\r\nLowPercent=20\r\nCriticalPercent=10\r\nLowColor=B04A00\r\nCriticalColor="
      "C00000\r\n");

  application = std::make_unique<TApplication>(fakes.services);
  form = application->CreateForm<TfrmVantrel>();
  EXPECT_EQ(form->edtCMI->Text(), "3");
  EXPECT_EQ(form->edtMin->Text(), "50");
  EXPECT_EQ(form->edtTRYT->Text(), "2");
  EXPECT_EQ(form->edtGRFSH->Text(), "4");
  EXPECT_EQ(form->edtCPU->Text(), "60");
  EXPECT_EQ(form->edtWAIT->Text(), "7");
  EXPECT_EQ(form->edtTRFSH->Text(), "5");
  EXPECT_EQ(form->lblTARGET->Caption(), "36");
  EXPECT_EQ(form->listMax->ItemIndex(), 10);
  EXPECT_EQ(form->ComboBox1->ItemIndex(), 8);
  EXPECT_FALSE(form->CheckBox1->Checked());
  EXPECT_FALSE(form->CheckBox2->Checked());
  EXPECT_EQ(form->Timer3->Interval(), 4000u);
  EXPECT_EQ(form->Width(), 600);
  EXPECT_EQ(form->Height(), 400);
  application.reset();
  EXPECT_EQ(folder.read("Vantrel.ini"), written);
  EXPECT_TRUE(fakes.dialogs.boxes.empty());
}

}  // namespace
}  // namespace vantrel
