// Controls: components with a place on a window. Each keeps its state here and mirrors it into its native
// window once it has one; a container (TWinControl) holds child controls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/native.h"

namespace vantrel {

class TWinControl;
class TPopupMenu;

enum class TControlKind {
  Form,
  Label,
  CheckBox,
  SpeedButton,
  SpinEdit,
  ListBox,
  ComboBox,
  ListView,
  ProgressBar,
  HotKey,
  Panel,
  PageControl,
  TabSheet,
  Image
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  virtual TControlKind Kind() const = 0;

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  // With ParentFont (the default) a control takes its parent's font when it is placed on it.
  bool ParentFont = true;
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint = false;
  TCursor Cursor = TCursor::crDefault;
  // The menu of a right click on the control; a control without one uses its parent's.
  TPopupMenu* PopupMenu = nullptr;
  TPopupMenu* ContextMenu() const;

  TNotifyEvent OnClick;
  // Raises OnClick; the native side calls it for a click by the user.
  virtual void Click();

  // Visible here and in every parent up to a visible form.
  bool Showing() const;

  NativeControl* Native() const { return native_.get(); }
  THandle Handle() const { return native_ ? native_->Handle() : 0; }
  // Creates the native window of this control (and of its children) under its parent's.
  void CreateHandle();
  void Repaint();

 protected:
  // Pushes the whole state into a newly made native window.
  virtual void SyncNative();
  virtual std::unique_ptr<NativeControl> CreateNative(NativeApplication& app);
  // Called when Showing changes.
  virtual void ShowingChanged() {}
  void UpdateShowing();
  // Stores a caption that the native window already shows (typed by the user).
  void SetCaptionQuietly(const std::string& caption) { caption_ = caption; }
  // Stores a size that the native window already has (given by the user).
  void SetSizeQuietly(int width, int height) {
    width_ = width;
    height_ = height;
  }
  NativeApplication* App() const;

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  std::unique_ptr<NativeControl> native_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  bool showing_ = false;
  TFont font_;
  std::string hint_;
};

class TWinControl : public TControl {
 public:
  using TControl::TControl;
  ~TWinControl() override;

  const std::vector<TControl*>& Controls() const { return controls_; }
  void SetFocus();

 protected:
  void ShowingChanged() override;

 private:
  friend class TControl;
  std::vector<TControl*> controls_;
};

}  // namespace vantrel
