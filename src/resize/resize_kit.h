// TResizeKit: the non-visual component dropped on a form that sizes and
// places the form when it is first shown and keeps every control's bounds and
// font proportional to the form's client size. This part holds the published
// properties, the stored design values and the layout state; the window side
// (kit_window.h) intercepts the form window's messages and drives it.
#pragma once

#include <functional>
#include <string>

#include "framework/component.h"
#include "framework/form_loader.h"
#include "resize/layout.h"
#include "resize/placement.h"
#include "resize/size_validation.h"

namespace velotune {

class TResizeKit;
using TExitResizeEvent = std::function<void(TResizeKit& sender, double xScale, double yScale)>;

class TResizeKit : public TComponent {
 public:
  explicit TResizeKit(TComponent* owner);
  ~TResizeKit() override;

  const char* ClassName() const override { return "TResizeKit"; }

  TResizeFormPos FormPos() const { return formPos_; }
  void SetFormPos(TResizeFormPos pos);
  int FormWidth() const { return size_.formWidth; }
  int FormHeight() const { return size_.formHeight; }
  const SizeLimits& Limits() const { return size_.limits; }
  // Each raises EInvalidOperation for a value that contradicts the others.
  void SetSize(SizeProperty property, int value);
  bool ResizeFont() const { return layoutSettings_.resizeFont; }
  void SetResizeFont(bool on) { layoutSettings_.resizeFont = on; }
  const std::string& NoResizeFntCtl() const { return noResizeFntCtl_; }
  void SetNoResizeFntCtl(const std::string& names);
  const std::string& NoResizeCtl() const { return noResizeCtl_; }
  void SetNoResizeCtl(const std::string& names);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool ValidTaskbar() const { return validTaskbar_; }
  void SetValidTaskbar(bool on) { validTaskbar_ = on; }
  void SetOnExitResize(TExitResizeEvent handler) { onExitResize_ = std::move(handler); }

  // The stored design client size and pixel density.
  const LayoutSettings& Settings() const { return layoutSettings_; }
  void SetDesign(int frmW, int frmH, int dpiW, int dpiH);

  KitLayout& Layout() { return layout_; }
  const KitLayout& Layout() const { return layout_; }
  double XScale() const { return layout_.xScale; }
  double YScale() const { return layout_.yScale; }
  double FontScale() const { return layout_.fontScale; }
  bool Sized() const { return layout_.sized; }
  // A height of the design (pixels at the design DPI) at the screen's DPI,
  // as loading took the controls' heights there.
  int HeightAtScreenDpi(int designHeight) const;

  // Whether the user's language is Japanese (for the refusal messages).
  static bool IsJapaneseLocale();
  // UTF-8 text in the code page the program's message boxes show.
  static std::string InUserCodePage(const std::string& utf8);

  bool HasEvent(const std::string& name) const override;
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;
  // The kit lays its form out for the DPI of the form's window.
  bool LaysOutFormForDpi() const override { return !Designing(); }

  // Runs after each rescale: the typed handler, then one bound by name.
  void ExitResize();

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;

 private:
  bool Designing() const { return (ComponentState() & csDesigning) != 0; }

  TResizeFormPos formPos_ = rpDefault;
  SizeSettings size_;
  std::string noResizeFntCtl_;
  std::string noResizeCtl_;
  bool enabled_ = true;
  bool validTaskbar_ = true;
  LayoutSettings layoutSettings_;
  KitLayout layout_;
  TExitResizeEvent onExitResize_;
};

// Makes TResizeKit known to a form description reader.
void RegisterResizeKitClass(ComponentClasses& classes);

}  // namespace velotune
