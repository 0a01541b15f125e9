#include "framework/image_list.h"

#include "framework/application.h"

namespace vantrel {

void TImageList::AddIcon(const TIcon& icon) {
  images_.push_back(icon);
}

TIcon TImageList::GetIcon(int index) const {
  return index >= 0 && index < Count() ? images_[index] : TIcon{};
}

THandle TImageList::Handle() {
  if (!native_) {
    TApplication* application = Application();
    if (!application || !application->Native()) {
      return 0;
    }
    native_ = application->Native()->CreateImageList(*this);
  }
  return native_->Handle();
}

}  // namespace vantrel
