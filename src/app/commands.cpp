// The commands a person gives: reclaim passes and what shows them, the tray menu, the CD tray, the web link.
#include "app/main_window.h"

namespace vantrel {

void TfrmVantrel::btnFreeAllClick(TObject*) {}

void TfrmVantrel::SShow_oldClick(TObject*) {}

void TfrmVantrel::SEnable_oldClick(TObject*) {}

void TfrmVantrel::CustomItem3Click(TObject*) {}

void TfrmVantrel::ByeClick(TObject*) {}

void TfrmVantrel::CustomItem4Click(TObject*) {}

void TfrmVantrel::MaxMem1BeforeDefrag(TObject*) {}

void TfrmVantrel::MaxMem1Progress(TObject*, std::int32_t) {}

void TfrmVantrel::MaxMem1AfterDefrag(TObject*) {}

void TfrmVantrel::Label23Click(TObject*) {}

}  // namespace vantrel
