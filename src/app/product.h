// How the program names itself everywhere: window caption, application title, error boxes.
#pragma once

namespace vantrel {

constexpr char kProductLine[] = "Vantrel 1.1.0 Build 212";

}  // namespace vantrel
