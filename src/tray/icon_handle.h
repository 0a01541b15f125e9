// The system icon behind a TIcon, loaded at the notification area's size and given back when another one
// replaces it or its owner goes.
#pragma once

#include <memory>

#include "framework/graphics.h"
#include "platform/window_system.h"

namespace vantrel {

// The notification area's icon size: the system's small-icon size (16 at 96 DPI, 20 at 120, 24 at 144, 32 at
// 192), or 16 when the system does not say.
inline int TrayIconSize(platform::WindowSystem& windows) {
  const int size = windows.GetSystemMetrics(platform::kSmCxSmIcon);
  return size > 0 ? size : 16;
}

class IconHandle {
 public:
  explicit IconHandle(platform::WindowSystem& windows) : windows_(windows) {}
  ~IconHandle() { reset(); }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;

  // 0 for an empty icon or one the system cannot load. A resource icon is loaded at the notification area's
  // size of the moment; an icon drawn at run time is used as it is, and kept alive while it is shown.
  void load(const TIcon& icon) {
    reset();
    if (icon.Image) {
      image_ = icon.Image;
      handle_ = image_->Handle();
    } else if (!icon.Empty()) {
      const int size = TrayIconSize(windows_);
      handle_ = windows_.LoadImageA(icon.ResourceId, size, size);
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
  platform::WindowSystem& windows_;
  platform::HIcon handle_ = 0;
  std::shared_ptr<const TIconImage> image_;
};

}  // namespace vantrel
