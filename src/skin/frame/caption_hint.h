// The tool-tip of the caption buttons: a tracking tool-tip placed by the form.
#pragma once

#include <windows.h>

#include <string>

namespace velotune::skin {

class CaptionHint {
 public:
  explicit CaptionHint(HWND owner);
  ~CaptionHint();
  CaptionHint(const CaptionHint&) = delete;
  CaptionHint& operator=(const CaptionHint&) = delete;

  // Shows text at a screen point, at most 500 pixels wide.
  void Show(const std::string& text, int x, int y);
  void Hide();
  bool Visible() const { return visible_; }
  const std::string& Text() const { return text_; }
  HWND Window() const { return tip_; }

 private:
  HWND owner_;
  HWND tip_ = nullptr;
  bool visible_ = false;
  std::string text_;
};

}  // namespace velotune::skin
