// Start-up and shutdown of the main window against fake profile, registry, process and memory.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/product.h"
#include "app/run_key.h"
#include "fake_services.h"
#include "program_support.h"

namespace vantrel {
namespace {

const platform::HKey kHklm = platform::kHKeyLocalMachine;

// One run of the program: started on construction, ended (window destroyed) by stop().
class ProgramRun {
 public:
  explicit ProgramRun(fakes::FakeServices& fakes) {
    application_ = std::make_unique<TApplication>(fakes.services);
    application_->SetTitle(kProductLine);
    form = application_->CreateForm<TfrmVantrel>();
  }
  void stop() {
    application_.reset();
    form = nullptr;
  }

  TfrmVantrel* form;

 private:
  std::unique_ptr<TApplication> application_;
};

class Settings : public ::testing::Test {
 protected:
  Settings() {
    fakes.memory.status = {512 * kMiB, 64 * kMiB};
    fakes.process.moduleFileName = kExe;
    fakes.registry.createKey(kHklm, kRunKey);
  }
  std::optional<std::string> autoStart() const {
    return fakes.registry.stringValue(kHklm, kRunKey, "Vantrel");
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const auto& box : fakes.dialogs.boxes) {
      EXPECT_EQ(box.caption, kProductLine);
      EXPECT_EQ(box.type, platform::kMbOk | platform::kMbIconStop);
      texts.push_back(box.text);
    }
    return texts;
  }

  fakes::FakeServices fakes;
};

TEST_F(Settings, AStartWithoutAFileTakesTheDefaults) {
  ProgramRun run(fakes);
  TfrmVantrel& f = *run.form;
  EXPECT_EQ(f.listMax->ItemIndex(), 4);
  EXPECT_EQ(f.lblTARGET->Caption(), "16");
  EXPECT_EQ(f.ComboBox1->ItemIndex(), 4);
  EXPECT_EQ(f.ComboBox1->Caption(), "Free 64 MB");
  EXPECT_EQ(f.edtCMI->Text(), "1");
  EXPECT_EQ(f.edtMin->Text(), "6");
  EXPECT_EQ(f.edtCPU->Text(), "80");
  EXPECT_EQ(f.edtWAIT->Text(), "1");
  EXPECT_EQ(f.edtTRYT->Text(), "1");
  EXPECT_TRUE(f.CheckBox1->Checked());
  EXPECT_TRUE(f.SEnable->Checked);
  EXPECT_TRUE(f.Timer1->Enabled());
  EXPECT_EQ(f.Timer1->Interval(), 1000u);
  EXPECT_EQ(f.Timer2->Interval(), 1000u);
  EXPECT_EQ(f.Timer3->Interval(), 1000u);
  EXPECT_TRUE(f.CheckBox2->Checked());
  EXPECT_EQ(autoStart(), kExe);
  EXPECT_TRUE(fakes.profile.files.empty());  // nothing is written at start-up
  EXPECT_EQ(f.Label15->Caption(), "1");
  EXPECT_FALSE(f.Visible());
  EXPECT_EQ(f.PageControl1->ActivePage(), f.TabSheet3);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Settings, MemoryFiguresAndThresholdBounds) {
  struct Case {
    std::uint64_t total;
    std::uint64_t free;
    std::string label3;
    std::string label1;
    int gauge;
    std::int32_t lower;
    std::int32_t upper;
  };
  const std::vector<Case> cases = {
      {128 * kMiB, 1234567, "128MB", "1.18", 1, 4, 21},
      {256 * kMiB, 64 * kMiB, "256MB", "64", 25, 8, 43},
      {512 * kMiB, 64 * kMiB, "512MB", "64", 12, 16, 85},  // 12.5 % goes to the even neighbour
      {1024 * kMiB, 512 * kMiB, "1024MB", "512", 50, 32, 171},
      {24576 * kMiB, 3072 * kMiB, "24576MB", "3072", 12, 768, 4096},
      {65536 * kMiB, 100 * kMiB + kMiB / 8, "65536MB", "100.12", 0, 2048, 10923},
      {1048576 * kMiB, 1048576 * kMiB / 4, "1048576MB", "262144", 25, 32768, 174763},
      {5 * kMiB / 2, 0, "2MB", "0", 0, 0, 0},  // 2.5 MB: the tie goes to the even neighbour
      {0, 0, "0MB", "0", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label3);
    fakes::FakeServices machine;
    machine.memory.status = {c.total, c.free};
    ProgramRun run(machine);
    EXPECT_EQ(run.form->Label3->Caption(), c.label3);
    EXPECT_EQ(run.form->Label1->Caption(), c.label1);
    EXPECT_EQ(run.form->Gauge1->Position(), c.gauge);
    EXPECT_EQ(run.form->edtMin->MinValue(), c.lower);
    EXPECT_EQ(run.form->edtMin->MaxValue(), c.upper);
  }
}

TEST_F(Settings, TheFirstExitWritesTheTwelveKeysInOrder) {
  ProgramRun run(fakes);
  run.stop();
  EXPECT_EQ(fakes.profile.files[kIni],
            settingsText({"AutoRun=1", "AutoFree=1", "Target=16", "GRFSH=1", "TRFSH=1", "TRYT=1", "LCLK=4",
                          "WAIT=1", "CPU=80", "IDX=4", "MIN=6", "CMI=1"}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(Settings, ExistingLinesAreUpdatedInPlaceAndNewKeysFollow) {
  fakes.profile.files[kIni] = "[Other]\r\nx=1\r\n[Vantrel]\r\nCMI=3\r\nIDX=2\r\n[Tail]\r\ny=2\r\n";
  ProgramRun run(fakes);
  run.stop();
  EXPECT_EQ(
      fakes.profile.files[kIni],
      "[Other]\r\nx=1\r\n[Vantrel]\r\nCMI=3\r\nIDX=2\r\nAutoRun=1\r\nAutoFree=1\r\nTarget=16\r\nGRFSH=1\r\n"
      "TRFSH=1\r\nTRYT=1\r\nLCLK=4\r\nWAIT=1\r\nCPU=80\r\nMIN=6\r\n[Tail]\r\ny=2\r\n");
}

TEST_F(Settings, ValuesFromTheFileAndWhatIsWrittenBack) {
  struct Case {
    std::string line;
    std::string shown;  // what the window shows
    std::function<std::string(TfrmVantrel&)> read;
    std::string written;  // the key's line after the exit
  };
  const auto text = [](TSpinEdit* TfrmVantrel::*edit) {
    return [edit](TfrmVantrel& f) { return (f.*edit)->Text(); };
  };
  const std::vector<Case> cases = {
      {"CMI=9", "6", text(&TfrmVantrel::edtCMI), "CMI=6"},
      {"CMI=0", "1", text(&TfrmVantrel::edtCMI), "CMI=1"},
      {"MIN=1000", "1000", text(&TfrmVantrel::edtMin), "MIN=1000"},
      {"CPU=0x50", "80", text(&TfrmVantrel::edtCPU), "CPU=80"},
      {"CPU=abc", "80", text(&TfrmVantrel::edtCPU), "CPU=80"},
      {"CPU=$1E", "30", text(&TfrmVantrel::edtCPU), "CPU=30"},
      {"TRYT=0", "0", text(&TfrmVantrel::edtTRYT), "TRYT=0"},
      {"GRFSH=-4", "-4", text(&TfrmVantrel::edtGRFSH), "GRFSH=-4"},
      {"LCLK=12", "-1", [](TfrmVantrel& f) { return std::to_string(f.ComboBox1->ItemIndex()); }, "LCLK=-1"},
      {"LCLK=9", "Show /Hide", [](TfrmVantrel& f) { return f.ComboBox1->Caption(); }, "LCLK=9"},
      {"IDX=40", "4", [](TfrmVantrel& f) { return std::to_string(f.listMax->ItemIndex()); }, "IDX=4"},
      {"IDX=0", "0", [](TfrmVantrel& f) { return std::to_string(f.listMax->ItemIndex()); }, "IDX=0"},
      {"IDX=28", "28", [](TfrmVantrel& f) { return std::to_string(f.listMax->ItemIndex()); }, "IDX=28"},
      {"Target=100", "100", [](TfrmVantrel& f) { return f.lblTARGET->Caption(); }, "Target=100"},
      {"AutoFree=0", "1", [](TfrmVantrel& f) { return std::to_string(f.CheckBox1->Checked()); },
       "AutoFree=1"},
      {"AutoFree=-1", "0", [](TfrmVantrel& f) { return std::to_string(f.CheckBox1->Checked()); },
       "AutoFree=-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    fakes::FakeServices machine;
    machine.memory.status = {512 * kMiB, 64 * kMiB};
    machine.process.moduleFileName = kExe;
    machine.profile.files[kIni] = settingsText({c.line});
    ProgramRun run(machine);
    EXPECT_EQ(c.read(*run.form), c.shown);
    run.stop();
    EXPECT_NE(machine.profile.files[kIni].find("\r\n" + c.written + "\r\n"), std::string::npos)
        << machine.profile.files[kIni];
  }
}

TEST_F(Settings, IntervalsComeFromTheEditsAsTheyAre) {
  fakes.profile.files[kIni] = settingsText({"GRFSH=0", "CPU=abc", "TRFSH=3", "CMI=4"});
  ProgramRun run(fakes);
  EXPECT_EQ(run.form->Timer3->Interval(), 0u);
  EXPECT_EQ(run.form->Timer2->Interval(), 3000u);
  EXPECT_EQ(run.form->Timer1->Interval(), 4000u);
}

TEST_F(Settings, AutomaticReclaimOffStopsTheCheckTimer) {
  fakes.profile.files[kIni] = settingsText({"AutoFree=-1"});
  ProgramRun run(fakes);
  EXPECT_FALSE(run.form->Timer1->Enabled());
  EXPECT_FALSE(run.form->SEnable->Checked);
}

TEST_F(Settings, AutoRunOtherThanOneLeavesTheBoxAndTheRegistryAlone) {
  for (const char* value : {"0", "-1", "7"}) {
    SCOPED_TRACE(value);
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    machine.registry.setString(kHklm, kRunKey, "Vantrel", "D:\\old\\Vantrel.exe");
    machine.profile.files[kIni] = settingsText({std::string("AutoRun=") + value});
    ProgramRun run(machine);
    EXPECT_FALSE(run.form->CheckBox2->Checked());
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), "D:\\old\\Vantrel.exe");
    run.stop();
    EXPECT_NE(machine.profile.files[kIni].find("AutoRun=-1"), std::string::npos);
  }
}

TEST_F(Settings, TheAutoStartValueNamesTheRunningExecutable) {
  struct Case {
    std::string exe;
    std::string value;
    std::string ini;
  };
  const std::vector<Case> cases = {
      {"C:\\Apps\\Vantrel\\Vantrel.exe", "C:\\Apps\\Vantrel\\Vantrel.exe", "C:\\Apps\\Vantrel\\Vantrel.ini"},
      {"C:\\Program Files\\Vantrel\\Vantrel.exe", "\"C:\\Program Files\\Vantrel\\Vantrel.exe\"",
       "C:\\Program Files\\Vantrel\\Vantrel.ini"},
      {"D:\\Tools\\vt2.exe", "D:\\Tools\\vt2.exe", "D:\\Tools\\Vantrel.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exe);
    fakes::FakeServices machine;
    machine.process.moduleFileName = c.exe;
    ProgramRun run(machine);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), c.value);
    EXPECT_EQ(run.form->SettingsPath(), c.ini);
    // Unchecking deletes the value; checking writes it anew.
    run.form->CheckBox2->SetChecked(false);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), std::nullopt);
    run.form->CheckBox2->SetChecked(true);
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), c.value);
    run.stop();
    EXPECT_EQ(machine.registry.stringValue(kHklm, kRunKey, "Vantrel"), c.value);
    EXPECT_EQ(machine.profile.files.count(c.ini), 1u);
    EXPECT_EQ(machine.registry.openHandles(), 0);
  }
}

TEST_F(Settings, AnExistingAutoStartValueIsKeptAndTheExitRecreatesAMissingOne) {
  fakes.registry.setString(kHklm, kRunKey, "Vantrel", "E:\\elsewhere.exe");
  ProgramRun run(fakes);
  EXPECT_EQ(autoStart(), "E:\\elsewhere.exe");
  run.stop();
  EXPECT_EQ(autoStart(), "E:\\elsewhere.exe");

  // Deleted by someone else while the program ran with the box checked: the exit writes it again.
  ProgramRun again(fakes);
  fakes.registry.deleteValue(kHklm, kRunKey, "Vantrel");
  again.stop();
  EXPECT_EQ(autoStart(), kExe);
}

TEST_F(Settings, AReadOnlyFileKeepsTheKeysWrittenBeforeTheFailure) {
  fakes.profile.faults.failOn("WritePrivateProfileStringA", 3, true);
  ProgramRun run(fakes);
  run.form->CheckBox2->SetChecked(false);  // the exit must not recreate the value either way
  run.form->CheckBox2->SetChecked(true);
  fakes.registry.log.clear();
  const auto before = autoStart();
  run.stop();
  EXPECT_EQ(fakes.profile.files[kIni], settingsText({"AutoRun=1", "AutoFree=1"}));
  EXPECT_EQ(messages(), (std::vector<std::string>{"Unable to write to C:\\Apps\\Vantrel\\Vantrel.ini."}));
  EXPECT_TRUE(fakes.registry.log.empty());  // the auto-start step is skipped
  EXPECT_EQ(autoStart(), before);
}

TEST_F(Settings, AnEditThatIsNotANumberAtExitWritesNothing) {
  struct Case {
    TSpinEdit* TfrmVantrel::*edit;
    std::string text;
  };
  const std::vector<Case> cases = {{&TfrmVantrel::edtCMI, ""},
                                   {&TfrmVantrel::edtTRFSH, "1.5"},
                                   {&TfrmVantrel::edtMin, "-"},
                                   {&TfrmVantrel::edtCPU, "99999999999"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    fakes::FakeServices machine;
    machine.process.moduleFileName = kExe;
    ProgramRun run(machine);
    (run.form->*c.edit)->SetText(c.text);
    machine.registry.log.clear();
    run.stop();
    EXPECT_TRUE(machine.profile.files.empty());
    ASSERT_EQ(machine.dialogs.boxes.size(), 1u);
    EXPECT_EQ(machine.dialogs.boxes[0].text, "'" + c.text + "' is not a valid integer value.");
    EXPECT_TRUE(machine.registry.log.empty());
  }
}

TEST_F(Settings, NoRightsOnTheRunKeyStopsTheReadingQuietlyAndFailsTheExitLoudly) {
  fakes.registry.denyWriting(kHklm, kRunKey);
  fakes.profile.files[kIni] = settingsText({"LCLK=2", "AutoFree=1"});
  ProgramRun run(fakes);
  TfrmVantrel& f = *run.form;
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(f.CheckBox2->Checked());
  EXPECT_EQ(f.ComboBox1->ItemIndex(), 2);  // applied before the auto-start box
  EXPECT_FALSE(f.CheckBox1->Checked());    // not reached
  EXPECT_FALSE(f.Timer1->Enabled());
  EXPECT_FALSE(f.SEnable->Checked);
  EXPECT_EQ(f.listMax->ItemIndex(), 4);
  EXPECT_EQ(f.Timer2->Interval(), 1000u);
  run.stop();
  EXPECT_EQ(messages(), (std::vector<std::string>{"Failed to set data for 'Vantrel'"}));
  EXPECT_NE(fakes.profile.files[kIni].find("AutoFree=-1"), std::string::npos);
  EXPECT_EQ(fakes.registry.openHandles(), 0);
}

TEST_F(Settings, ShowingTheWindowMarksItShownAndStartsTheDisplayTimer) {
  ProgramRun run(fakes);
  TfrmVantrel& f = *run.form;
  f.Timer3->SetEnabled(false);
  f.Application()->Restore();
  EXPECT_TRUE(f.Visible());
  EXPECT_EQ(f.Label15->Caption(), "0");
  EXPECT_TRUE(f.Timer3->Enabled());
}

}  // namespace
}  // namespace vantrel
