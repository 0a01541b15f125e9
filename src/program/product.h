// How the program names itself everywhere: window caption, application title, error boxes.
#pragma once

namespace vantrel {

// The name alone: the caption of the command line's box and the title of the tray's balloons.
constexpr char kProductName[] = "Vantrel";
constexpr char kProductLine[] = "Vantrel 1.1.0 Build 212";
constexpr char kCopyrightLine[] = "Copyright (C) 2026 The Vantrel Developers";
constexpr char kWebSite[] = "http://www.vantrel.example/";

}  // namespace vantrel
