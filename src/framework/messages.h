// The framework's own notifications, sent to a control's WindowProc alongside
// the system's messages, and the reflected forms of the notifications a
// parent window receives from its children.
#pragma once

namespace velotune {

constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0x00;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 0x01;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 0x05;     // wParam: virtual key
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 0x06;    // wParam: character (Alt held)
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 0x07;  // lParam: the control given focus
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 0x08;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 0x09;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 0x0B;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 0x0F;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 0x13;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 0x14;
// Sent to a form after its main menu changed: items came, went, were shown,
// hidden or altered, or the form got another menu. lParam: the TMainMenu
// (null when the form has no menu any more).
constexpr unsigned CM_MENUCHANGED = CM_BASE + 0x15;
constexpr unsigned CM_ENTER = CM_BASE + 0x1A;
constexpr unsigned CM_EXIT = CM_BASE + 0x1B;
constexpr unsigned CM_CHILDKEY = CM_BASE + 0x2D;
constexpr unsigned CM_TABSTOPCHANGED = CM_BASE + 0x32;
constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 0x18;  // wParam: group index, lParam: button
// Sent to a check box or radio button whose checked state was set by code.
constexpr unsigned CM_CHECKCHANGED = CM_BASE + 0xD0;
// Broadcast by a form to its controls when it has taken another DPI (see
// TForm::Dpi): measures the controls keep of their own follow it.
constexpr unsigned CM_DPICHANGED = CM_BASE + 0xD1;

// A notification a parent received from a child, reflected to that child:
// CN_BASE + the original message number (CN_NOTIFY = 0xBC4E).
constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_COMMAND = CN_BASE + 0x0111;
constexpr unsigned CN_NOTIFY = CN_BASE + 0x004E;
constexpr unsigned CN_DRAWITEM = CN_BASE + 0x002B;
constexpr unsigned CN_HSCROLL = CN_BASE + 0x0114;
constexpr unsigned CN_VSCROLL = CN_BASE + 0x0115;
constexpr unsigned CN_CTLCOLORMSGBOX = CN_BASE + 0x0132;
constexpr unsigned CN_CTLCOLOREDIT = CN_BASE + 0x0133;
constexpr unsigned CN_CTLCOLORLISTBOX = CN_BASE + 0x0134;
constexpr unsigned CN_CTLCOLORBTN = CN_BASE + 0x0135;
constexpr unsigned CN_CTLCOLORDLG = CN_BASE + 0x0136;
constexpr unsigned CN_CTLCOLORSCROLLBAR = CN_BASE + 0x0137;
constexpr unsigned CN_CTLCOLORSTATIC = CN_BASE + 0x0138;

}  // namespace velotune
