#include "framework/ext_controls.h"

namespace vantrel {

void TImage::SetBitmap(std::uintptr_t bitmap) {
  bitmap_ = bitmap;
  if (Native()) {
    Native()->SetBitmap(bitmap_);
  }
}

void TImage::SyncNative() {
  TControl::SyncNative();
  if (bitmap_ != 0) {
    Native()->SetBitmap(bitmap_);
  }
}

}  // namespace vantrel
