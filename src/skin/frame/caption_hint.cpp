#include "skin/frame/caption_hint.h"

#include <commctrl.h>

#include "skin/paint/window_scale.h"

namespace velotune::skin {

namespace {
// The widest a hint grows before it wraps.
constexpr int kMaxHintWidth = 500;

TOOLINFOA ToolOf(HWND owner, const char* text) {
  TOOLINFOA info = {};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  info.hwnd = owner;
  info.uId = 1;
  info.lpszText = const_cast<char*>(text);
  return info;
}
}  // namespace

CaptionHint::CaptionHint(HWND owner) : owner_(owner) {
  tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0,
                         0, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!tip_) return;
  SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, ScaleOfWindow(owner).Px(kMaxHintWidth));
  TOOLINFOA info = ToolOf(owner_, "");
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

CaptionHint::~CaptionHint() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void CaptionHint::Show(const std::string& text, int x, int y) {
  if (!tip_ || text.empty()) return;
  if (!visible_ || text != text_) {
    text_ = text;
    TOOLINFOA info = ToolOf(owner_, text_.c_str());
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  }
  SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
  if (!visible_) {
    TOOLINFOA info = ToolOf(owner_, text_.c_str());
    SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
  }
  visible_ = true;
}

void CaptionHint::Hide() {
  if (!tip_ || !visible_) return;
  TOOLINFOA info = ToolOf(owner_, text_.c_str());
  SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
  visible_ = false;
}

}  // namespace velotune::skin
