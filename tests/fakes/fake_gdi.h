// Drawing in memory: bitmaps keep the pixels they were given, text has fixed extents and draws each
// character as a filled box, image lists and icons keep pixels and a mask, and every object is counted
// until it is given back. Misuse that leaks on Windows fails here as it does there: deleting an object that
// is selected, or adding a bitmap to an image list while it is selected.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fault_plan.h"
#include "platform/gdi.h"

namespace vantrel::fakes {

class FakeGdi final : public platform::Gdi {
 public:
  // Pixels, row by row from the top, and which of them are opaque.
  struct Image {
    int width = 0;
    int height = 0;
    std::vector<platform::ColorRef> pixels;
    std::vector<bool> opaque;

    Image() = default;
    Image(int width, int height, platform::ColorRef fill);
    platform::ColorRef at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool opaqueAt(int x, int y) const { return opaque[static_cast<std::size_t>(y * width + x)]; }
  };
  struct TextOut {
    std::int32_t x;
    std::int32_t y;
    std::string text;
    platform::ColorRef color;
    std::string font;  // face name and height, e.g. "MS Sans Serif -11"
  };

  FakeGdi();

  platform::ColorRef GetSysColor(int index) override;
  platform::GdiObject CreateCompatibleDC() override;
  bool DeleteDC(platform::GdiObject dc) override;
  platform::GdiObject CreateCompatibleBitmap(std::int32_t width, std::int32_t height) override;
  platform::GdiObject CreateFontIndirectA(const platform::LogFont& font) override;
  platform::GdiObject SelectObject(platform::GdiObject dc, platform::GdiObject object) override;
  bool DeleteObject(platform::GdiObject object) override;
  bool FillRect(platform::GdiObject dc, const platform::Rect& rect, platform::ColorRef color) override;
  bool FrameRect(platform::GdiObject dc, const platform::Rect& rect, platform::ColorRef color) override;
  platform::ColorRef SetTextColor(platform::GdiObject dc, platform::ColorRef color) override;
  platform::ColorRef SetBkColor(platform::GdiObject dc, platform::ColorRef color) override;
  int SetBkMode(platform::GdiObject dc, int mode) override;
  bool GetTextExtentPoint32A(platform::GdiObject dc, const std::string& text, platform::Size& size) override;
  bool ExtTextOutA(platform::GdiObject dc, std::int32_t x, std::int32_t y, const std::string& text) override;
  // Only kSrcCopy is drawn here.
  bool BitBlt(platform::GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height, platform::GdiObject source, std::int32_t sourceX, std::int32_t sourceY,
              std::uint32_t rop) override;
  bool GdiTransparentBlt(platform::GdiObject destination, std::int32_t x, std::int32_t y, std::int32_t width,
                         std::int32_t height, platform::GdiObject source, std::int32_t sourceX,
                         std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                         platform::ColorRef key) override;
  platform::GdiObject ImageList_Create(std::int32_t width, std::int32_t height, std::uint32_t flags,
                                       std::int32_t initial, std::int32_t grow) override;
  bool ImageList_Destroy(platform::GdiObject list) override;
  int ImageList_ReplaceIcon(platform::GdiObject list, int index, platform::GdiObject icon) override;
  int ImageList_AddMasked(platform::GdiObject list, platform::GdiObject bitmap,
                          platform::ColorRef mask) override;
  bool ImageList_Draw(platform::GdiObject list, int index, platform::GdiObject dc, std::int32_t x,
                      std::int32_t y, std::uint32_t style) override;
  platform::GdiObject ImageList_GetIcon(platform::GdiObject list, int index, std::uint32_t flags) override;
  platform::GdiObject LoadImageA(int resourceId, std::int32_t width, std::int32_t height) override;
  bool DestroyIcon(platform::GdiObject icon) override;

  // The pixels of a bitmap or an icon, or of the bitmap selected into a context; nullptr for anything else.
  const Image* image(platform::GdiObject object) const;
  // Objects made and not yet given back.
  int liveObjects() const { return static_cast<int>(objects_.size()); }

  FaultPlan faults;  // calls by their names: "CreateCompatibleBitmap", "ImageList_Create", ...
  // The extent of a text: from this table when it is there, else `charWidth` per character by `lineHeight`.
  std::map<std::string, platform::Size> extents;
  std::int32_t charWidth = 6;
  std::int32_t lineHeight = 13;
  std::map<int, platform::ColorRef> sysColors;
  // Icon resources by number, at whatever size; LoadImageA scales them.
  std::map<int, Image> resources;
  std::vector<TextOut> texts;

 private:
  enum class Kind { Context, Bitmap, Font, ImageList, Icon };
  struct Object {
    explicit Object(Kind kind) : kind(kind) {}
    Object(Kind kind, Image image) : kind(kind), image(std::move(image)) {}
    Kind kind;
    Image image;                // bitmaps and icons
    std::vector<Image> images;  // image lists
    std::string font;
    // Contexts.
    platform::GdiObject bitmap = 0;
    platform::GdiObject selectedFont = 0;
    platform::ColorRef textColor = 0;
    platform::ColorRef bkColor = 0xFFFFFF;
    int bkMode = platform::kOpaque;
  };

  platform::GdiObject make(Object object);
  Object* find(platform::GdiObject object, Kind kind);
  bool selected(platform::GdiObject object) const;
  // The bitmap a context draws into, or nullptr when it has none of its own or the call fails.
  Image* surface(platform::GdiObject dc, const char* call);
  // Copies between the bitmaps of two contexts, leaving out the key colour when there is one.
  bool copy(const char* call, platform::GdiObject destination, std::int32_t x, std::int32_t y,
            std::int32_t width, std::int32_t height, platform::GdiObject source, std::int32_t sourceX,
            std::int32_t sourceY, std::optional<platform::ColorRef> key);

  std::map<platform::GdiObject, Object> objects_;
  platform::GdiObject next_ = 0x10;
};

}  // namespace vantrel::fakes
