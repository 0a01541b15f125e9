// TImageList: images of one size, shown by list views and the tray; its native list is made when first used.
#pragma once

#include <memory>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/native.h"

namespace vantrel {

class TImageList : public TComponent {
 public:
  using TComponent::TComponent;

  int Width = 16;
  int Height = 16;

  const std::vector<TIcon>& Images() const { return images_; }
  int Count() const { return static_cast<int>(images_.size()); }
  // Images are added while the form is built, before the list is first shown.
  void AddIcon(const TIcon& icon);
  // Image `index` as an icon; an empty icon when there is no such image.
  TIcon GetIcon(int index) const;

  THandle Handle();

 private:
  std::vector<TIcon> images_;
  std::unique_ptr<NativeImageList> native_;
};

}  // namespace vantrel
