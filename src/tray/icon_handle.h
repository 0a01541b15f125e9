// The system icon behind a TIcon, loaded at the notification area's size and given back when another one
// replaces it or its owner goes.
#pragma once

#include <memory>

#include "framework/graphics.h"
#include "platform/window_system.h"

namespace vantrel {

class IconHandle {
 public:
  explicit IconHandle(platform::WindowSystem& windows) : windows_(windows) {}
  ~IconHandle() { reset(); }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;

  // 0 for an empty icon or one the system cannot load. An icon drawn at run time is used as it is, and kept
  // alive while it is shown.
  void load(const TIcon& icon) {
    reset();
    if (icon.Image) {
      image_ = icon.Image;
      handle_ = image_->Handle();
    } else if (!icon.Empty()) {
      handle_ = windows_.LoadImageA(icon.ResourceId, kSize, kSize);
    }
  }
  void reset() {
    if (image_) {
      image_.reset();
    } else if (handle_) {
      windows_.DestroyIcon(handle_);
    }
    handle_ = 0;
  }
  platform::HIcon get() const { return handle_; }

 private:
  static constexpr int kSize = 16;
  platform::WindowSystem& windows_;
  platform::HIcon handle_ = 0;
  std::shared_ptr<const TIconImage> image_;
};

}  // namespace vantrel
