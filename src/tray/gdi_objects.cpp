#include "tray/gdi_objects.h"

#include "framework/exception.h"

namespace vantrel {

namespace {
constexpr char kOutOfResources[] = "Out of system resources";
}

GdiOwned& GdiOwned::operator=(GdiOwned&& other) noexcept {
  if (this != &other) {
    reset();
    gdi_ = other.gdi_;
    kind_ = other.kind_;
    object_ = std::exchange(other.object_, 0);
  }
  return *this;
}

void GdiOwned::reset() {
  const platform::GdiObject object = std::exchange(object_, 0);
  if (!object) {
    return;
  }
  switch (kind_) {
    case Kind::Object:
      gdi_->DeleteObject(object);
      break;
    case Kind::Context:
      gdi_->DeleteDC(object);
      break;
    case Kind::ImageList:
      gdi_->ImageList_Destroy(object);
      break;
    case Kind::Icon:
      gdi_->DestroyIcon(object);
      break;
  }
}

GdiOwned Made(platform::Gdi& gdi, GdiOwned::Kind kind, platform::GdiObject object) {
  Check(object != 0);
  return GdiOwned(gdi, kind, object);
}

void Check(bool succeeded) {
  if (!succeeded) {
    throw Exception(kOutOfResources);
  }
}

DrawingContext::DrawingContext(platform::Gdi& gdi, platform::GdiObject bitmap)
    : gdi_(gdi), dc_(Made(gdi, GdiOwned::Kind::Context, gdi.CreateCompatibleDC())) {
  oldBitmap_ = gdi_.SelectObject(dc_.get(), bitmap);
  Check(oldBitmap_ != 0);
}

DrawingContext::~DrawingContext() {
  if (oldFont_) {
    gdi_.SelectObject(dc_.get(), oldFont_);
  }
  gdi_.SelectObject(dc_.get(), oldBitmap_);
}

void DrawingContext::SelectFont(platform::GdiObject font) {
  const platform::GdiObject old = gdi_.SelectObject(dc_.get(), font);
  Check(old != 0);
  if (!oldFont_) {
    oldFont_ = old;
  }
}

}  // namespace vantrel
