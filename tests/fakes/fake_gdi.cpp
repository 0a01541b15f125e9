#include "fake_gdi.h"

#include <algorithm>
#include <utility>

namespace vantrel::fakes {

using platform::ColorRef;
using platform::GdiObject;

namespace {

// What a new context holds before anything is selected into it; they are no one's to delete.
constexpr GdiObject kStockBitmap = 1;
constexpr GdiObject kStockFont = 2;

void paint(FakeGdi::Image& image, int left, int top, int right, int bottom, ColorRef color) {
  for (int y = std::max(top, 0); y < std::min(bottom, image.height); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, image.width); ++x) {
      image.pixels[static_cast<std::size_t>(y * image.width + x)] = color;
      image.opaque[static_cast<std::size_t>(y * image.width + x)] = true;
    }
  }
}

FakeGdi::Image scaled(const FakeGdi::Image& source, int width, int height) {
  FakeGdi::Image result(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int sx = x * source.width / width;
      const int sy = y * source.height / height;
      result.pixels[static_cast<std::size_t>(y * width + x)] = source.at(sx, sy);
      result.opaque[static_cast<std::size_t>(y * width + x)] = source.opaqueAt(sx, sy);
    }
  }
  return result;
}

// Draws the opaque pixels of `source` onto `target` at (left, top).
void overlay(FakeGdi::Image& target, const FakeGdi::Image& source, int left, int top) {
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      if (source.opaqueAt(x, y)) {
        paint(target, left + x, top + y, left + x + 1, top + y + 1, source.at(x, y));
      }
    }
  }
}

}  // namespace

FakeGdi::Image::Image(int width, int height, ColorRef fill)
    : width(width),
      height(height),
      pixels(static_cast<std::size_t>(width * height), fill),
      opaque(static_cast<std::size_t>(width * height), true) {}

FakeGdi::FakeGdi() = default;

ColorRef FakeGdi::GetSysColor(int index) {
  const auto color = sysColors.find(index);
  return color == sysColors.end() ? 0 : color->second;
}

GdiObject FakeGdi::make(Object object) {
  const GdiObject handle = next_++;
  objects_.emplace(handle, std::move(object));
  return handle;
}

FakeGdi::Object* FakeGdi::find(GdiObject object, Kind kind) {
  const auto found = objects_.find(object);
  return found != objects_.end() && found->second.kind == kind ? &found->second : nullptr;
}

bool FakeGdi::selected(GdiObject object) const {
  return std::any_of(objects_.begin(), objects_.end(), [object](const auto& entry) {
    return entry.second.kind == Kind::Context &&
           (entry.second.bitmap == object || entry.second.selectedFont == object);
  });
}

FakeGdi::Image* FakeGdi::surface(GdiObject dc, const char* call) {
  Object* context = find(dc, Kind::Context);
  if (faults.shouldFail(call) || !context) {
    return nullptr;
  }
  Object* bitmap = find(context->bitmap, Kind::Bitmap);
  return bitmap ? &bitmap->image : nullptr;
}

GdiObject FakeGdi::CreateCompatibleDC() {
  if (faults.shouldFail("CreateCompatibleDC")) {
    return 0;
  }
  Object context(Kind::Context);
  context.bitmap = kStockBitmap;
  context.selectedFont = kStockFont;
  return make(std::move(context));
}

bool FakeGdi::DeleteDC(GdiObject dc) {
  return !faults.shouldFail("DeleteDC") && find(dc, Kind::Context) && objects_.erase(dc) == 1;
}

GdiObject FakeGdi::CreateCompatibleBitmap(std::int32_t width, std::int32_t height) {
  if (faults.shouldFail("CreateCompatibleBitmap") || width <= 0 || height <= 0) {
    return 0;
  }
  return make(Object(Kind::Bitmap, Image(width, height, 0)));
}

GdiObject FakeGdi::CreateFontIndirectA(const platform::LogFont& font) {
  if (faults.shouldFail("CreateFontIndirectA")) {
    return 0;
  }
  Object object(Kind::Font);
  object.font = font.faceName + " " + std::to_string(font.height);
  return make(std::move(object));
}

GdiObject FakeGdi::SelectObject(GdiObject dc, GdiObject object) {
  Object* context = find(dc, Kind::Context);
  if (faults.shouldFail("SelectObject") || !context) {
    return 0;
  }
  if (object == kStockBitmap || find(object, Kind::Bitmap)) {
    // A bitmap lives in one context at a time.
    if (object != kStockBitmap && object != context->bitmap && selected(object)) {
      return 0;
    }
    return std::exchange(context->bitmap, object);
  }
  if (object == kStockFont || find(object, Kind::Font)) {
    return std::exchange(context->selectedFont, object);
  }
  return 0;
}

bool FakeGdi::DeleteObject(GdiObject object) {
  if (faults.shouldFail("DeleteObject") || selected(object)) {
    return false;
  }
  if (!find(object, Kind::Bitmap) && !find(object, Kind::Font)) {
    return false;
  }
  return objects_.erase(object) == 1;
}

bool FakeGdi::FillRect(GdiObject dc, const platform::Rect& rect, ColorRef color) {
  Image* target = surface(dc, "FillRect");
  if (target) {
    paint(*target, rect.left, rect.top, rect.right, rect.bottom, color);
  }
  return target != nullptr;
}

bool FakeGdi::FrameRect(GdiObject dc, const platform::Rect& rect, ColorRef color) {
  Image* target = surface(dc, "FrameRect");
  if (target) {
    paint(*target, rect.left, rect.top, rect.right, rect.top + 1, color);
    paint(*target, rect.left, rect.bottom - 1, rect.right, rect.bottom, color);
    paint(*target, rect.left, rect.top, rect.left + 1, rect.bottom, color);
    paint(*target, rect.right - 1, rect.top, rect.right, rect.bottom, color);
  }
  return target != nullptr;
}

ColorRef FakeGdi::SetTextColor(GdiObject dc, ColorRef color) {
  Object* context = find(dc, Kind::Context);
  return context ? std::exchange(context->textColor, color) : platform::kClrNone;
}

ColorRef FakeGdi::SetBkColor(GdiObject dc, ColorRef color) {
  Object* context = find(dc, Kind::Context);
  return context ? std::exchange(context->bkColor, color) : platform::kClrNone;
}

int FakeGdi::SetBkMode(GdiObject dc, int mode) {
  Object* context = find(dc, Kind::Context);
  return context ? std::exchange(context->bkMode, mode) : 0;
}

bool FakeGdi::GetTextExtentPoint32A(GdiObject dc, const std::string& text, platform::Size& size) {
  if (faults.shouldFail("GetTextExtentPoint32A") || !find(dc, Kind::Context)) {
    return false;
  }
  const auto known = extents.find(text);
  size = known != extents.end()
             ? known->second
             : platform::Size{static_cast<std::int32_t>(text.size()) * charWidth, lineHeight};
  return true;
}

bool FakeGdi::ExtTextOutA(GdiObject dc, std::int32_t x, std::int32_t y, const std::string& text) {
  Image* target = surface(dc, "ExtTextOutA");
  if (!target) {
    return false;
  }
  const Object& context = *find(dc, Kind::Context);
  const Object* font = find(context.selectedFont, Kind::Font);
  texts.push_back({x, y, text, context.textColor, font ? font->font : std::string()});
  platform::Size size;
  GetTextExtentPoint32A(dc, text, size);
  if (context.bkMode == platform::kOpaque) {
    paint(*target, x, y, x + size.cx, y + size.cy, context.bkColor);
  }
  // Each character is a box inside its cell.
  const std::int32_t cell = text.empty() ? 0 : size.cx / static_cast<std::int32_t>(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::int32_t left = x + static_cast<std::int32_t>(i) * cell;
    paint(*target, left + 1, y + 1, left + cell - 1, y + size.cy - 1, context.textColor);
  }
  return true;
}

bool FakeGdi::BitBlt(GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, GdiObject source, std::int32_t sourceX, std::int32_t sourceY,
                     std::uint32_t rop) {
  return rop == platform::kSrcCopy &&
         copy("BitBlt", destination, x, y, width, height, source, sourceX, sourceY, std::nullopt);
}

bool FakeGdi::GdiTransparentBlt(GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height, GdiObject source, std::int32_t sourceX,
                                std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                                ColorRef key) {
  // Only copies at the same size are drawn here.
  return width == sourceWidth && height == sourceHeight &&
         copy("GdiTransparentBlt", destination, x, y, width, height, source, sourceX, sourceY, key);
}

bool FakeGdi::copy(const char* call, GdiObject destination, std::int32_t x, std::int32_t y,
                   std::int32_t width, std::int32_t height, GdiObject source, std::int32_t sourceX,
                   std::int32_t sourceY, std::optional<ColorRef> key) {
  Image* target = surface(destination, call);
  Object* sourceContext = find(source, Kind::Context);
  Object* sourceBitmap = sourceContext ? find(sourceContext->bitmap, Kind::Bitmap) : nullptr;
  if (!target || !sourceBitmap) {
    return false;
  }
  const Image& from = sourceBitmap->image;
  for (int dy = 0; dy < height; ++dy) {
    for (int dx = 0; dx < width; ++dx) {
      const int sx = sourceX + dx;
      const int sy = sourceY + dy;
      if (sx >= 0 && sy >= 0 && sx < from.width && sy < from.height && from.at(sx, sy) != key) {
        paint(*target, x + dx, y + dy, x + dx + 1, y + dy + 1, from.at(sx, sy));
      }
    }
  }
  return true;
}

GdiObject FakeGdi::ImageList_Create(std::int32_t width, std::int32_t height, std::uint32_t, std::int32_t,
                                    std::int32_t) {
  if (faults.shouldFail("ImageList_Create") || width <= 0 || height <= 0) {
    return 0;
  }
  Object list(Kind::ImageList, Image(width, height, 0));  // the size of its images
  return make(std::move(list));
}

bool FakeGdi::ImageList_Destroy(GdiObject list) {
  return !faults.shouldFail("ImageList_Destroy") && find(list, Kind::ImageList) && objects_.erase(list) == 1;
}

int FakeGdi::ImageList_ReplaceIcon(GdiObject list, int index, GdiObject icon) {
  Object* images = find(list, Kind::ImageList);
  const Object* source = find(icon, Kind::Icon);
  if (faults.shouldFail("ImageList_ReplaceIcon") || !images || !source || index != -1) {
    return -1;
  }
  images->images.push_back(scaled(source->image, images->image.width, images->image.height));
  return static_cast<int>(images->images.size()) - 1;
}

int FakeGdi::ImageList_AddMasked(GdiObject list, GdiObject bitmap, ColorRef mask) {
  Object* images = find(list, Kind::ImageList);
  const Object* source = find(bitmap, Kind::Bitmap);
  if (faults.shouldFail("ImageList_AddMasked") || !images || !source || selected(bitmap)) {
    return -1;
  }
  Image image = scaled(source->image, images->image.width, images->image.height);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    image.opaque[i] = mask == platform::kClrNone || image.pixels[i] != mask;
  }
  images->images.push_back(std::move(image));
  return static_cast<int>(images->images.size()) - 1;
}

bool FakeGdi::ImageList_Draw(GdiObject list, int index, GdiObject dc, std::int32_t x, std::int32_t y,
                             std::uint32_t) {
  Object* images = find(list, Kind::ImageList);
  Image* target = surface(dc, "ImageList_Draw");
  if (!images || !target || index < 0 || index >= static_cast<int>(images->images.size())) {
    return false;
  }
  overlay(*target, images->images[static_cast<std::size_t>(index)], x, y);
  return true;
}

GdiObject FakeGdi::ImageList_GetIcon(GdiObject list, int index, std::uint32_t) {
  const Object* images = find(list, Kind::ImageList);
  if (faults.shouldFail("ImageList_GetIcon") || !images || index < 0 ||
      index >= static_cast<int>(images->images.size())) {
    return 0;
  }
  return make(Object(Kind::Icon, images->images[static_cast<std::size_t>(index)]));
}

GdiObject FakeGdi::LoadImageA(int resourceId, std::int32_t width, std::int32_t height) {
  const auto resource = resources.find(resourceId);
  if (faults.shouldFail("LoadImageA") || resource == resources.end()) {
    return 0;
  }
  return make(Object(Kind::Icon, scaled(resource->second, width, height)));
}

bool FakeGdi::DestroyIcon(GdiObject icon) {
  return !faults.shouldFail("DestroyIcon") && find(icon, Kind::Icon) && objects_.erase(icon) == 1;
}

const FakeGdi::Image* FakeGdi::image(GdiObject object) const {
  const auto found = objects_.find(object);
  if (found == objects_.end()) {
    return nullptr;
  }
  if (found->second.kind == Kind::Context) {
    return image(found->second.bitmap);
  }
  const bool pictured = found->second.kind == Kind::Bitmap || found->second.kind == Kind::Icon;
  return pictured ? &found->second.image : nullptr;
}

}  // namespace vantrel::fakes
