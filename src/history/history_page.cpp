#include "history/history_page.h"

#include "framework/page_controls.h"
#include "history/history_chart.h"
#include "history/pass_texts.h"

namespace vantrel {

THistoryPage::THistoryPage(TComponent* owner, TWinControl* sheet, platform::Gdi& gdi,
                           platform::TimeOfDay& timeOfDay, std::uint32_t pageSize)
    : TComponent(owner), gdi_(gdi), timeOfDay_(timeOfDay), pageSize_(pageSize) {
  SetName("HistoryPage");
  imgHistory = new TImage(this);
  imgHistory->SetName("imgHistory");
  imgHistory->SetParent(sheet);
  lblLegend = NewLabel(this, sheet, "lblLegend", "", 12, 0, kPageWidth - 24);
  ListView3 = new TListView(this);
  ListView3->SetName("ListView3");
  ListView3->RowSelect = true;
  ListView3->ReadOnly = true;
  ListView3->SetColumns(
      {{"Time", 60}, {"Kind", 76}, {"Freed", 52}, {"Back in use", 80}, {"Read from disk", 128}});
  ListView3->SetParent(sheet);
  chkLog = NewCheckBox(this, sheet, "chkLog", "Keep a log file", 12, 0);
  lblLog = NewLabel(this, sheet, "lblLog", "Keep a log file", 32, 0, 100);
  lblLog->FocusControl = chkLog;
  lblLogFailed = NewLabel(this, sheet, "lblLogFailed", "", 140, 0, kPageWidth - 144);
  LayOut(0, 0);
}

THistoryPage::~THistoryPage() {
  const std::uintptr_t bitmap = imgHistory->Bitmap();
  if (bitmap != 0) {
    // Taken from the control first, which must never draw a bitmap that is gone.
    imgHistory->SetBitmap(0);
    gdi_.DeleteObject(bitmap);
  }
}

void THistoryPage::LayOut(int wider, int taller) {
  imgHistory->SetBounds(12, 8, kPageWidth - 24 + wider, 92);
  lblLegend->SetBounds(12, 103, kPageWidth - 24 + wider, kRowHeight);
  ListView3->SetBounds(12, 124, kPageWidth - 24 + wider, 108 + taller);
  chkLog->SetBounds(12, 240 + taller, 16, 18);
  lblLog->SetBounds(32, 241 + taller, 100, kRowHeight);
  lblLogFailed->SetBounds(140, 241 + taller, kPageWidth - 144 + wider, kRowHeight);
}

void THistoryPage::DrawChart(const MemoryHistory& history, std::uint32_t now, std::int64_t totalMegabytes) {
  const platform::GdiObject bitmap =
      DrawHistoryChart(gdi_, history, now, totalMegabytes, imgHistory->Width(), imgHistory->Height());
  if (bitmap == 0) {
    return;
  }
  lblLegend->SetCaption(ChartLegend(history, now, totalMegabytes));
  const std::uintptr_t previous = imgHistory->Bitmap();
  imgHistory->SetBitmap(bitmap);
  if (previous != 0) {
    gdi_.DeleteObject(previous);
  }
}

void THistoryPage::ShowPasses(const PassWatch& watch) {
  const TListViewUpdate update(*ListView3);
  ListView3->Clear();
  for (const PassRecord& pass : watch.Passes()) {
    std::vector<std::string> texts =
        PassRow(pass, timeOfDay_.FileTimeToLocalFileTime(pass.started), pageSize_);
    TListRow row;
    row.Caption = texts.front();
    row.SubItems.assign(texts.begin() + 1, texts.end());
    ListView3->AddRow(row);
  }
}

}  // namespace vantrel
