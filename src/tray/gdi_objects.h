// Owners of the drawing service's objects: each gives its object back when it goes, so that an image rebuilt
// every second cannot leak, whatever fails on the way.
#pragma once

#include <utility>

#include "platform/gdi.h"

namespace vantrel {

class GdiOwned {
 public:
  enum class Kind { Object, Context, ImageList, Icon };

  GdiOwned(platform::Gdi& gdi, Kind kind, platform::GdiObject object)
      : gdi_(&gdi), kind_(kind), object_(object) {}
  ~GdiOwned() { reset(); }
  GdiOwned(const GdiOwned&) = delete;
  GdiOwned& operator=(const GdiOwned&) = delete;
  GdiOwned(GdiOwned&& other) noexcept
      : gdi_(other.gdi_), kind_(other.kind_), object_(std::exchange(other.object_, 0)) {}
  GdiOwned& operator=(GdiOwned&& other) noexcept;

  platform::GdiObject get() const { return object_; }
  platform::GdiObject release() { return std::exchange(object_, 0); }
  void reset();

 private:
  platform::Gdi* gdi_;
  Kind kind_;
  platform::GdiObject object_;
};

// Raises the drawing layer's error when an object could not be made.
GdiOwned Made(platform::Gdi& gdi, GdiOwned::Kind kind, platform::GdiObject object);
// Raises the drawing layer's error when a call failed.
void Check(bool succeeded);

// A memory context with a bitmap (and optionally a font) selected into it; they are taken out again before
// the context goes, so that both can be given back.
class DrawingContext {
 public:
  DrawingContext(platform::Gdi& gdi, platform::GdiObject bitmap);
  ~DrawingContext();
  DrawingContext(const DrawingContext&) = delete;
  DrawingContext& operator=(const DrawingContext&) = delete;

  platform::GdiObject get() const { return dc_.get(); }
  void SelectFont(platform::GdiObject font);

 private:
  platform::Gdi& gdi_;
  GdiOwned dc_;
  platform::GdiObject oldBitmap_ = 0;
  platform::GdiObject oldFont_ = 0;
};

}  // namespace vantrel
