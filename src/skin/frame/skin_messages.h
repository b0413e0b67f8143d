// The skin engine's private window messages. Their numbers are a protocol
// between the manager, the skinned forms and other modules skinned by the
// same engine: never renumber them.
#pragma once

namespace velotune::skin {

constexpr unsigned SKM_SKINCHANGED = 0x3401;      // to a form's WindowProc: re-apply the skin
constexpr unsigned SKM_REPAINTFRAME = 0x3502;     // to a form: repaint the frame
constexpr unsigned SKM_START = 0x3503;            // posted after Attach, lParam 1000
constexpr unsigned SKM_SKINCONTROL = 0x3506;      // to a wrapped control: wParam 0 off, > 0 on
constexpr unsigned SKM_BUTTONACTION = 0x3514;     // posted: a caption button's other action
constexpr unsigned SKM_BUTTONVISIBLE = 0x3515;    // sent: wParam visibility, lParam action
constexpr unsigned SKM_MDIMAXIMIZED = 0x3516;     // posted to the MDI client, wParam child
constexpr unsigned SKM_RESKINSCROLLBAR = 0x3517;  // wParam: control handle
constexpr unsigned SKM_MENUPOPUP = 0x3518;        // lParam: screen point
constexpr unsigned SKM_QUERYSKINNED = 0x3523;     // answered 1 by skinned windows
constexpr unsigned SKM_PAINTCLIENTDC = 0xBC4A;    // to an edit: wParam DC, lParam kSkinMagic
constexpr unsigned SKM_PAINTFRAMEDC = 0xBC4B;     // wParam DC, lParam kSkinMagic
constexpr unsigned SKM_IDENTIFY = 0xBC4D;         // answers kSkinMagic for lParam kSkinMagic
// Shares its number with the framework's reflected WM_NOTIFY; it is only ever
// sent by a skinned form to itself, wParam 0 and lParam kSkinMagic.
constexpr unsigned SKM_SKINNED = 0xBC4E;

constexpr long kSkinMagic = 0x41A2;
constexpr long kStartMarker = 1000;

// The framework notifications a check box's look follows.
constexpr unsigned kFrameworkEnabledChanged = 0xB00C;
constexpr unsigned kFrameworkExit = 0xB01B;
constexpr unsigned kFrameworkCheckChanged = 0xB0D0;

}  // namespace velotune::skin
