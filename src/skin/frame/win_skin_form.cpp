#include "skin/frame/win_skin_form.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "skin/bitmap_ops.h"
#include "skin/colour.h"
#include "skin/frame/caption_hint.h"
#include "skin/frame/skin_messages.h"
#include "skin/frame/system_menu.h"
#include "skin/paint/win32_paint.h"

namespace velotune::skin {

// The form's WindowProc while skinned: the frame's part, then the method it
// replaced. After Detach a functor left deeper in the chain passes through.
struct TWinSkinForm::FormLink {
  TWinSkinForm* owner;
  TWndMethod previous;
};

struct FormProcFunctor {
  std::shared_ptr<TWinSkinForm::FormLink> link;
  void operator()(TMessage& message) const {
    const std::shared_ptr<TWinSkinForm::FormLink> keep = link;
    if (keep->owner)
      keep->owner->FormWindowProc(message);
    else
      keep->previous(message);
  }
};

namespace {

int GET_X_LPARAM_(LPARAM l) {
  return static_cast<short>(LOWORD(l));
}
int GET_Y_LPARAM_(LPARAM l) {
  return static_cast<short>(HIWORD(l));
}

bool IsClass(const std::string& name, const char* other) {
  return lstrcmpiA(name.c_str(), other) == 0;
}

HICON WindowIcon(HWND window) {
  auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
  return icon;
}

// An icon drawn at the small-icon size over magenta, as a portable bitmap.
Bitmap IconBitmap(HICON icon) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  Bitmap out(size, size, 24, kMagentaPixel);
  if (!icon) return out;
  OwnedBitmap dib = MakeDib(out);
  HDC memory = CreateCompatibleDC(nullptr);
  if (!dib || !memory) {
    if (memory) DeleteDC(memory);
    return out;
  }
  {
    SelectedObject selected(memory, dib.Get());
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<Pixel> pixels(static_cast<size_t>(size) * size);
    GetDIBits(memory, dib.Get(), 0, size, pixels.data(), &info, DIB_RGB_COLORS);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) out.Set(x, y, pixels[y * size + x] & 0xFFFFFF);
  }
  DeleteDC(memory);
  return out;
}

HFONT CaptionFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return nullptr;
  return CreateFontIndirectA(&metrics.lfCaptionFont);
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
  GetWindowTextA(window, &text[0], length + 1);
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return text;
}

std::wstring WindowTextW(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
  GetWindowTextW(window, &text[0], length + 1);
  text.resize(static_cast<size_t>(std::max(length, 0)));
  return text;
}

// Stands in for a manager that has gone.
class NullHost : public SkinHost {
 public:
  bool Busy() const override { return false; }
  void MarkSkinning() override {}
  void SystemMenuOpen(bool) override {}
  void SkinChildControls(TWinSkinForm&) override {}
  void ForgetWindow(HWND) override {}
};

SkinHost& NoHost() {
  static NullHost host;
  return host;
}

constexpr UINT kRepostedCommands[] = {SC_SIZE,       SC_MOVE,       SC_MINIMIZE, SC_MAXIMIZE,
                                      SC_NEXTWINDOW, SC_PREVWINDOW, SC_CLOSE,    SC_RESTORE};

}  // namespace

namespace {
std::vector<TWinSkinForm*>& LiveSkinForms() {
  static std::vector<TWinSkinForm*> forms;
  return forms;
}
}  // namespace

TWinSkinForm::TWinSkinForm(TComponent* owner, SkinHost& host) : TComponent(owner), host_(&host) {
  LiveSkinForms().push_back(this);
}

void TWinSkinForm::ForgetHost(SkinHost* host) {
  for (TWinSkinForm* form : LiveSkinForms())
    if (form->host_ == host) form->host_ = &NoHost();
}

TWinSkinForm::~TWinSkinForm() {
  if (attached_) {
    // Freed with its form (or by the manager): hooks and controls go back;
    // the window keeps its size, it is going too or will be given back.
    FreeSystemMenu();
    if (window_ && IsWindow(window_)) KillTimer(window_, kFrameTimerId);
    RestoreOwnProcedures();
    ReleaseControls();
    if (form_ && formColourSaved_) form_->SetColor(formColour_);
  }
  hint_.reset();
  if (scratch_) DeleteDC(scratch_);
  if (window_) host_->ForgetWindow(window_);
  auto& live = LiveSkinForms();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void TWinSkinForm::SetWindow(HWND window, const std::string& className) {
  window_ = window;
  className_ = className;
}

HDC TWinSkinForm::ScratchDc() {
  if (!scratch_) scratch_ = CreateCompatibleDC(nullptr);
  return scratch_;
}

void TWinSkinForm::Attach(TSkinData& data) {
  if (attached_ || !window_) return;
  host_->MarkSkinning();
  data_ = &data;
  frameSkinning_ = InSet(data.SkinControls, xcMainMenu);
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window_, GWL_EXSTYLE);
  rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
  childWindow_ = (style & WS_CHILD) != 0;
  messageBox_ = IsClass(className_, "#32770") || IsClass(className_, "TMessageForm");
  const HWND owner = GetWindow(window_, GW_OWNER);

  buttonSet_ = 0;
  if (style & WS_MAXIMIZEBOX) buttonSet_ |= bsMaximizeBox;
  if (style & WS_MINIMIZEBOX) buttonSet_ |= bsMinimizeBox;
  if (exStyle & WS_EX_CONTEXTHELP) buttonSet_ |= bsContextHelp;
  if ((style & WS_SYSMENU) || GetSystemMenu(window_, FALSE)) buttonSet_ |= bsSystemMenu;
  const DWORD version = GetVersion();
  const bool windows2000 = LOBYTE(LOWORD(version)) == 5 && HIBYTE(LOWORD(version)) == 0;
  if (windows2000 && ((!owner && !(exStyle & WS_EX_MDICHILD)) || (exStyle & WS_EX_APPWINDOW)))
    buttonSet_ |= bsKeepSysMenu;
  ReadShowState();
  mdiKind_ = (exStyle & WS_EX_MDICHILD) ? 2 : FindWindowExA(window_, nullptr, "MDIClient", nullptr) ? 1 : 0;
  if (mdiKind_ == 2 && InSet(data.Options, xoMDIChildBorder)) frameSkinning_ = false;
  if ((style & WS_CAPTION) != WS_CAPTION)
    borderKind_ = bkNoCaption;
  else if ((style & DS_MODALFRAME) || (exStyle & WS_EX_DLGMODALFRAME) || messageBox_)
    borderKind_ = bkDialog;
  else if (style & WS_THICKFRAME)
    borderKind_ = bkSizeable;
  else
    borderKind_ = bkFixed;

  subclass_.Install(window_, this, &TWinSkinForm::Route);
  attached_ = true;
  captionFont_.Reset(CaptionFont());
  if (frameSkinning_) {
    // The menu bar seam: a window with a menu would get the skinned menu bar
    // and M = the system menu-bar height here. The program's forms have none.
    menuBar_ = 0;
    ComputeFrameSizes();
  } else {
    frameState_ = fsSkinned;
  }
}

void TWinSkinForm::AttachForm(TSkinData& data, TForm& form) {
  form_ = &form;
  if (data.OnBeforeSkinForm)
    data.OnBeforeSkinForm(&form, reinterpret_cast<uintptr_t>(window_), className_);
  if (InSet(data.SkinControls, xcMenuItem) && form.HasProperty("AutoScroll"))
    form.SetPropText("AutoScroll", "False");
  Attach(data);
  if (!attached_) return;
  if (frameSkinning_) {
    formLink_ = std::make_shared<FormLink>(FormLink{this, form.WindowProc});
    form.WindowProc = FormProcFunctor{formLink_};
  }
  formColour_ = form.Color();
  formColourSaved_ = true;
  form.SetColor(static_cast<::velotune::TColor>(data.FaceColour()));
}

void TWinSkinForm::ReadShowState() {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(window_, &placement)) return;
  switch (placement.showCmd) {
    case SW_SHOWMAXIMIZED:
      showState_ = ssMaximized;
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      showState_ = ssMinimized;
      break;
    default:
      showState_ = ssNormal;
      break;
  }
}

void TWinSkinForm::ComputeFrameSizes() {
  if (!data_ || data_->SkinEmpty()) return;
  auto image = [&](int edge) {
    const TDataSkinBorder& e = data_->Edge(edge);
    return skin::EdgeImage{e.Map.Width(), e.Map.Height(), e.Frame};
  };
  frame_ = skin::ComputeFrameSizes(borderKind_, image(0), image(2), image(1), image(3));
  if (borderKind_ == bkNoCaption) menuBar_ = 0;
  current_ = nullptr;
  buttons_.clear();
  LoadWindowIcon();
  for (const auto& data : data_->CaptionButtons()) {
    auto button = std::make_unique<TWinSysButton>(*this, *data);
    button->Enabled = true;
    if (button->IsIcon()) button->SetIconImage(&windowIcon_);
    buttons_.push_back(std::move(button));
  }
}

void TWinSkinForm::LoadWindowIcon() {
  windowIcon_ = IconBitmap(WindowIcon(window_));
}

LRESULT TWinSkinForm::Route(void* owner, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  return static_cast<TWinSkinForm*>(owner)->FrameProc(msg, wParam, lParam);
}

LRESULT TWinSkinForm::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return subclass_.CallOld(window_, msg, wParam, lParam);
}

LRESULT TWinSkinForm::FrameProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (frameState_ == fsAttached) {
    if (msg == WM_NCPAINT) return 0;
    // Answering FALSE would keep the window from being deactivated.
    if (msg == WM_NCACTIVATE && mdiKind_ != 2) {
      active_ = wParam != 0;
      return TRUE;
    }
  }
  LRESULT result = 0;
  if (FrameMessage(msg, wParam, lParam, &result)) return result;
  if (!frameSkinning_ || (childWindow_ && mdiKind_ != 2)) return Default(msg, wParam, lParam);
  if (NonClientMessage(msg, wParam, lParam, &result)) return result;
  return Default(msg, wParam, lParam);
}

// The messages treated whatever the frame does.
bool TWinSkinForm::FrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_ERASEBKGND:
      *result = Default(msg, wParam, lParam);
      if (!form_ && data_) {
        RECT client;
        GetClientRect(window_, &client);
        OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
        FillRect(reinterpret_cast<HDC>(wParam), &client, face.Get());
        *result = 1;
      }
      return true;
    case WM_NCDESTROY: {
      frameState_ = fsDestroying;
      KillTimer(window_, kFrameTimerId);
      timerOn_ = false;
      hint_.reset();
      FreeSystemMenu();
      ReleaseControls();
      HWND window = window_;
      *result = Default(msg, wParam, lParam);
      RestoreOwnProcedures();
      frameState_ = fsDestroyed;
      host_->ForgetWindow(window);
      return true;
    }
    case 0x00AE:  // the themed caption-redraw request
      *result = 0;
      return true;
    case WM_INITMENUPOPUP:
      host_->SystemMenuOpen(HIWORD(lParam) != 0);
      *result = Default(msg, wParam, lParam);
      return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      *result = Default(msg, wParam, lParam);
      if (!form_ && data_) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        if (msg == WM_CTLCOLORSTATIC) {
          static OwnedBrush face;
          static TColor faceColour = 0;
          if (!face || faceColour != ResolveColour(data_->FaceColour())) {
            faceColour = ResolveColour(data_->FaceColour());
            face.Reset(CreateSolidBrush(faceColour));
          }
          *result = reinterpret_cast<LRESULT>(face.Get());
        }
      }
      return true;
    case WM_TIMER:
      if (wParam != kFrameTimerId) return false;
      OnTimer();
      *result = 0;
      return true;
    default:
      break;
  }
  if (msg == SKM_START) {
    if (lParam == kStartMarker) StartSkinning();
    *result = 0;
    return true;
  }
  if (msg == SKM_RESKINSCROLLBAR) {  // the scroll-bar skinning seam
    *result = 0;
    return true;
  }
  if (msg == SKM_QUERYSKINNED) {
    PostMessageA(window_, SKM_SKINNED, 0, kSkinMagic);
    *result = 1;
    return true;
  }
  if (msg == SKM_SKINNED && wParam == 0 && lParam == kSkinMagic) {
    // Ours: never handed on, where it would read as a reflected WM_NOTIFY.
    *result = 0;
    return true;
  }
  if (!form_ && msg == SKM_IDENTIFY) {
    *result = lParam == kSkinMagic ? kSkinMagic : 1;
    return true;
  }
  if (!form_ && msg == SKM_PAINTFRAMEDC && lParam == kSkinMagic) {
    PaintFrame(reinterpret_cast<HDC>(wParam));
    *result = kSkinMagic;
    return true;
  }
  return false;
}

void TWinSkinForm::SetActive(bool active) {
  active_ = active;
  if (active && !timerOn_) {
    timerOn_ = SetTimer(window_, kFrameTimerId, kFrameTimerMs, nullptr) != 0;
  } else if (!active && timerOn_) {
    KillTimer(window_, kFrameTimerId);
    timerOn_ = false;
    HideHint();
  }
}

bool TWinSkinForm::NonClientMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const bool maximizedMdiChild = mdiKind_ == 2 && showState_ == ssMaximized;
  // The second stage: state kept up to date, commands.
  switch (msg) {
    case WM_SIZE:
      *result = Default(msg, wParam, lParam);
      if (wParam == SIZE_RESTORED) showState_ = ssNormal;
      if (wParam == SIZE_MINIMIZED) showState_ = ssMinimized;
      if (wParam == SIZE_MAXIMIZED) showState_ = ssMaximized;
      if (showState_ == ssMinimized) return true;
      if (mdiKind_ == 2 && (host_->ShowsMaximizedMdiChild() || showState_ != ssNormal)) return true;
      if (frameState_ == fsSkinned || frameState_ == fsReskinning) UpdateRegion();
      return true;
    case WM_ACTIVATE:
      active_ = LOWORD(wParam) != WA_INACTIVE;
      return false;
    case WM_GETMINMAXINFO:
      *result = Default(msg, wParam, lParam);
      ReadShowState();
      return true;
    case WM_WINDOWPOSCHANGED:
      ReadShowState();
      *result = Default(msg, wParam, lParam);
      return true;
    case WM_SETICON:
      *result = Default(msg, wParam, lParam);
      LoadWindowIcon();
      return true;
    case WM_SETTEXT:
      // A form repaints its caption from FormWindowProc.
      if (form_) return false;
      *result = Default(msg, wParam, lParam);
      if (frameState_ != fsAttached) PaintFrame();
      return true;
    case WM_COMMAND:
      if (std::find(std::begin(kRepostedCommands), std::end(kRepostedCommands), wParam) !=
          std::end(kRepostedCommands)) {
        PostMessageA(window_, WM_SYSCOMMAND, wParam, 0);
        *result = 0;
        return true;
      }
      return false;
    case WM_SYSCOMMAND: {
      const UINT command = wParam & 0xFFF0;
      if (command == SC_KEYMENU && lParam == ' ') {
        POINT origin{0, 0};
        ClientToScreen(window_, &origin);
        ShowSystemMenu(origin);
        *result = 0;
        return true;
      }
      // Other SC_KEYMENU keys would open the skinned menu bar's items.
      if (command == SC_MINIMIZE) showState_ = ssMinimized;
      if (command == SC_MAXIMIZE) showState_ = ssMaximized;
      if (command == SC_RESTORE) showState_ = ssNormal;
      return false;
    }
    default:
      break;
  }
  if (msg == SKM_MENUPOPUP) {
    *result = 0;
    return true;
  }
  if (frameState_ == fsAttached || maximizedMdiChild) return false;
  // The third stage: the non-client area itself.
  switch (msg) {
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (measure->CtlType != ODT_MENU || !popup_) return false;
      for (const auto& item : popupItems_) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) != measure->itemData) continue;
        MeasureSystemMenuItem(window_, captionFont_.Get(), *item, *measure);
        *result = TRUE;
        return true;
      }
      return false;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (draw->CtlType != ODT_MENU || !popup_) return false;
      for (const auto& item : popupItems_) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) != draw->itemData) continue;
        PaintSystemMenuItem(*data_, captionFont_.Get(), *item, *draw);
        *result = TRUE;
        return true;
      }
      return false;
    }
    case WM_NCCALCSIZE: {
      *result = Default(msg, wParam, lParam);
      const bool whole = borderKind_ == bkNoCaption || (mdiKind_ == 2 && showState_ != ssNormal);
      if (!wParam) {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!whole) {
          r->left += frame_.left;
          r->top += frame_.top + menuBar_;
          r->right = std::max(r->left, r->right - frame_.right);
          r->bottom = std::max(r->top, r->bottom - frame_.bottom);
        }
        *result = 0;
        return true;
      }
      auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
      const WINDOWPOS* pos = params->lppos;
      RECT client{pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy};
      if (!whole) {
        client.left += frame_.left;
        client.top += frame_.top + menuBar_;
        client.right = std::max(client.left, client.right - frame_.right);
        client.bottom = std::max(client.top, client.bottom - frame_.bottom);
      }
      params->rgrc[0] = client;
      // The system keeps what it can of the old client area.
      *result = 0;
      return true;
    }
    case WM_NCHITTEST: {
      *result = Default(msg, wParam, lParam);
      switch (*result) {
        case HTNOWHERE:
        case HTCAPTION:
        case HTSYSMENU:
        case HTMINBUTTON:
        case HTMAXBUTTON:
        case HTCLOSE:
        case HTHELP:
        case HTMENU: {
          // The system answers by its own caption; the skin's is another.
          RECT r;
          GetWindowRect(window_, &r);
          const int y = GET_Y_LPARAM_(lParam) - r.top;
          if (y > 3) *result = HTCAPTION;
          if (y > frame_.top && menuBar_ > 0) *result = HTMENU;
          break;
        }
        default:
          break;
      }
      return true;
    }
    case WM_NCPAINT: {
      const LONG style = GetWindowLongA(window_, GWL_STYLE);
      // So that default processing never draws the system's caption buttons.
      if ((style & WS_SYSMENU) && !(buttonSet_ & bsKeepSysMenu))
        SetWindowLongA(window_, GWL_STYLE, style & ~WS_SYSMENU);
      if (borderKind_ == bkNoCaption)
        *result = Default(msg, wParam, lParam);
      else
        PaintFrame();
      *result = 0;
      return true;
    }
    case WM_NCACTIVATE:
      SetActive(wParam != 0);
      if (mdiKind_ == 2) Default(msg, wParam, lParam);
      PaintFrame();
      *result = TRUE;
      return true;
    case WM_NCMOUSEMOVE: {
      *result = 0;
      if (!active_) return true;
      if (TNCObject* object = ObjectAt(ToWindow(lParam))) {
        object->MouseEnter();
        return true;
      }
      if (current_) current_->MouseLeave();
      *result = Default(msg, wParam, lParam);
      return true;
    }
    case WM_NCLBUTTONDOWN: {
      HideHint();
      if (TNCObject* object = ObjectAt(ToWindow(lParam))) {
        if (!active_) SetForegroundWindow(window_);
        object->MouseDown();
        *result = 0;
        return true;
      }
      // A maximized window is not dragged by its caption.
      if (showState_ == ssMaximized && active_ && wParam == HTCAPTION) wParam = HTMENU;
      *result = Default(msg, wParam, lParam);
      return true;
    }
    case WM_NCLBUTTONUP: {
      HideHint();
      TNCObject* object = ObjectAt(ToWindow(lParam));
      if (!object) return false;
      if (object == current_ && object->State == ncPressed) {
        object->MouseUp();
        POINT screen{GET_X_LPARAM_(lParam), GET_Y_LPARAM_(lParam)};
        for (const auto& button : buttons_)
          if (button.get() == object) RunButtonAction(*button, screen);
      }
      *result = 0;
      return true;
    }
    case WM_NCLBUTTONDBLCLK: {
      TNCObject* object = ObjectAt(ToWindow(lParam));
      for (const auto& button : buttons_) {
        if (button.get() == object && button->IsIcon()) {
          KillTimer(window_, kFrameTimerId);
          timerOn_ = false;
          PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
          *result = 0;
          return true;
        }
      }
      if (object) {
        *result = 0;
        return true;
      }
      if (showState_ != ssNormal) {
        PostMessageA(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
      } else if (buttonSet_ & bsMaximizeBox) {
        PostMessageA(window_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      } else {
        *result = Default(msg, wParam, lParam);
        return true;
      }
      *result = 0;
      return true;
    }
    case WM_NCRBUTTONDOWN:
      if (wParam == HTCAPTION && mdiKind_ != 2) {
        ShowSystemMenu(POINT{GET_X_LPARAM_(lParam), GET_Y_LPARAM_(lParam)});
        *result = 0;
        return true;
      }
      return false;
    default:
      break;
  }
  if (msg == SKM_REPAINTFRAME) {
    PaintFrame();
    *result = 0;
    return true;
  }
  return false;
}

void TWinSkinForm::FormWindowProc(TMessage& message) {
  const TWndMethod& previous = formLink_->previous;
  if (message.Msg == WM_SETTEXT) {
    previous(message);
    if (IsWindowVisible(window_) && frameState_ != fsAttached) {
      if (showState_ == ssMaximized && host_->MdiClientWindow())
        PostMessageA(host_->MdiClientWindow(), SKM_MDIMAXIMIZED,
                     reinterpret_cast<WPARAM>(window_), 0);
      if (showState_ == ssMinimized)
        PaintFrame();
      else
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  if (message.Msg == SKM_SKINCHANGED) {
    Reapply();
    return;
  }
  if (message.Msg == SKM_PAINTFRAMEDC && message.LParam == kSkinMagic) {
    PaintFrame(reinterpret_cast<HDC>(message.WParam));
    message.Result = kSkinMagic;
    return;
  }
  if (message.Msg == SKM_IDENTIFY) {
    message.Result = message.LParam == kSkinMagic ? kSkinMagic : 1;
    return;
  }
  // CM_DIALOGCHAR would go to the skinned menu bar's accelerators here.
  previous(message);
}

void TWinSkinForm::StartSkinning() {
  systemMenu_ = GetSystemMenu(window_, FALSE);
  LoadWindowIcon();
  RECT window;
  GetWindowRect(window_, &window);
  GetClientRect(window_, &startClient_);
  if (frameState_ == fsAttached) {
    systemFrame_.cx = (window.right - window.left) - startClient_.right;
    systemFrame_.cy = (window.bottom - window.top) - startClient_.bottom;
  }
  host_->SkinChildControls(*this);
  if (frameState_ == fsAttached) {
    const LONG style = GetWindowLongA(window_, GWL_STYLE);
    if (frameSkinning_ && !childWindow_ && (style & WS_CAPTION) == WS_CAPTION &&
        showState_ != ssMinimized) {
      frameState_ = fsFitting;
      FitWindow(false);
      frameState_ = fsSkinned;
      if (showState_ == ssMaximized)
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      else
        UpdateRegion();
    }
  }
  SendMessageA(window_, SKM_SKINNED, 0, kSkinMagic);
  if (data_->OnAfterSkinForm)
    data_->OnAfterSkinForm(form_, reinterpret_cast<uintptr_t>(window_), className_);
  frameState_ = fsSkinned;
  if (frameSkinning_) {
    SetActive(GetActiveWindow() == window_);
    RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

void TWinSkinForm::FitWindow(bool) {
  if (showState_ == ssMaximized) {
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // The client size the window has now, skinned or not, is kept.
  RECT client;
  GetClientRect(window_, &client);
  FitInput in;
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.frame = frame_;
  in.menuBar = menuBar_;
  in.messageBox = messageBox_;
  in.textShift = data_->Title().TextShift;
  in.textRightClip = data_->Title().TextRightClip;
  if (messageBox_) {
    WindowDC dc(window_, true);
    SelectedObject font(dc.Get(), captionFont_.Get());
    const std::string text = WindowText(window_);
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    in.captionTextWidth = size.cx;
  }
  const FitResult fit = FitWindowSize(in);
  if (fit.childShift > 0) {
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r;
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
      SetWindowPos(child, nullptr, r.left + fit.childShift, r.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  SetWindowPos(window_, nullptr, 0, 0, fit.width, fit.height,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Bitmap TWinSkinForm::EdgeImage(int edge, int width, int height) const {
  const TDataSkinBorder& e = data_->Edge(edge - 1);
  const bool stacked = edge == 3 || edge == 4;
  const int index = active_ || e.Frame <= 1 ? 1 : 2;
  return NineGrid(width, height, e.Map, {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight},
                  stacked, e.Tile != 1, e.Frame, index);
}

void TWinSkinForm::PaintEdge(int edge, const RECT& rect, HDC dc) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  BlitBitmap(dc, rect.left, rect.top, EdgeImage(edge, w, h), false);
}

void TWinSkinForm::UpdateRegion() {
  if (frameState_ == fsDestroyed || !frameSkinning_ || !data_) return;
  if (mdiKind_ == 2 && showState_ != ssNormal) return;
  RECT r;
  GetWindowRect(window_, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  if (w == regionSize_.cx && h == regionSize_.cy && mdiKind_ != 2 &&
      frameState_ != fsReskinning)
    return;
  bool anyTransparent = false;
  for (int edge = 0; edge < 4; ++edge) anyTransparent |= data_->Edge(edge).Trans != 0;
  HRGN region = nullptr;
  if (!anyTransparent) {
    region = CreateRectRgn(0, 0, w, h);
  } else {
    const FrameSizes& f = frame_;
    region = CreateRectRgn(f.left, f.top, w - f.right, h - f.bottom);
    if (borderKind_ != bkNoCaption) {
      struct Strip {
        int edge;
        RECT rect;
        bool shaped;
      };
      const Strip strips[] = {
          {1, {0, 0, f.left, h}, h > 1},
          {2, {w - f.right, 0, w, h}, h > 1},
          {3, {f.left, 0, w - f.right, f.top}, f.top > 1},
          {4, {f.left, h - f.bottom, w - f.right, h}, f.bottom >= 2},
      };
      for (const Strip& s : strips) {
        const int sw = s.rect.right - s.rect.left, sh = s.rect.bottom - s.rect.top;
        if (sw <= 0 || sh <= 0) continue;
        HRGN part = nullptr;
        if (data_->Edge(s.edge - 1).Trans != 0 && s.shaped)
          part = RegionFromBitmap(EdgeImage(s.edge, sw, sh), s.rect.left, s.rect.top);
        else
          part = CreateRectRgn(s.rect.left, s.rect.top, s.rect.right, s.rect.bottom);
        if (!part) continue;
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
      }
    }
  }
  // The window owns the region from here on (and frees the one it had).
  if (region && SetWindowRgn(window_, region, TRUE) == 0) DeleteObject(region);
  regionSize_ = SIZE{w, h};
}

ButtonContext TWinSkinForm::MakeButtonContext() const {
  ButtonContext c;
  c.buttonSet = buttonSet_;
  c.maximized = showState_ == ssMaximized;
  c.active = active_;
  c.dialogFrame = borderKind_ == bkDialog;
  c.messageBox = messageBox_;
  c.menuBarShowsMaximizedMdiChild = false;  // no skinned menu bar
  HWND window = window_;
  c.askForm = [window](int visibility, int action) {
    return static_cast<int>(SendMessageA(window, SKM_BUTTONVISIBLE, visibility, action));
  };
  return c;
}

void TWinSkinForm::PaintFrame(HDC given) {
  if (frameState_ != fsSkinned && frameState_ != fsReskinning) return;
  if (borderKind_ == bkNoCaption || (mdiKind_ == 2 && showState_ == ssMaximized) || !data_)
    return;
  try {
    std::unique_ptr<WindowDC> own;
    HDC dc = given;
    if (!dc) {
      own = std::make_unique<WindowDC>(window_, true);
      dc = own->Get();
    }
    if (!dc) return;
    RECT r;
    GetWindowRect(window_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (showState_ != ssMinimized) {
      PaintEdge(1, RECT{0, 0, frame_.left, h}, dc);
      PaintEdge(2, RECT{w - frame_.right, 0, w, h}, dc);
      PaintEdge(4, RECT{frame_.left, h - frame_.bottom, w - frame_.right, h}, dc);
    }
    PaintCaption(dc, w, h);
    if (menuBar_ > 0) {
      RECT bar{frame_.left, frame_.top, w - frame_.right, frame_.top + menuBar_};
      OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
      FillRect(dc, &bar, face.Get());
    }
  } catch (...) {
    // A broken skin must not break the window.
  }
}

void TWinSkinForm::PaintCaption(HDC dc, int w, int h) {
  const bool minimized = showState_ == ssMinimized;
  OffscreenBuffer buffer(dc, w, minimized ? h : frame_.top);
  if (minimized) {
    OwnedBrush face(CreateSolidBrush(ResolveColour(data_->FaceColour())));
    RECT all{0, 0, w, h};
    FillRect(buffer.Dc(), &all, face.Get());
  } else {
    buffer.CopyFrom(dc, 0, 0);
  }
  const RECT top = minimized ? RECT{0, 0, w, frame_.top}
                             : RECT{frame_.left, 0, w - frame_.right, frame_.top};
  PaintEdge(3, top, buffer.Dc());
  const ButtonContext context = MakeButtonContext();
  for (const auto& button : buttons_) {
    const TDataSkinSysButton& b = button->Button();
    const ButtonLook look = IsButtonVisible(b.Visibility, b.Visibility1, b.Action, context);
    button->Visible = look.visible;
    button->Enabled = look.enabled;
  }
  const RECT title = DrawTitle(buffer.Dc(), w);
  LayoutButtons(w, title);
  for (const auto& button : buttons_)
    if (button->Visible) DrawButton(buffer.Dc(), *button, true);
  buffer.CopyTo(dc, 0, 0);
  SetBkMode(dc, OPAQUE);
}

RECT TWinSkinForm::DrawTitle(HDC dc, int w) {
  const TDataSkinTitle& title = data_->Title();
  std::vector<ButtonBox> boxes;
  for (const auto& button : buttons_) {
    ButtonBox box;
    box.visible = button->Visible;
    box.hasBitmap = !button->Image().Empty();
    box.align = button->Button().Align;
    box.x = button->Button().X;
    boxes.push_back(box);
  }
  SelectedObject font(dc, captionFont_.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(data_->Colour(active_ ? ceTitleTextActive : ceTitleTextNoActive)));
  const bool wide = subclass_.Unicode();
  const std::wstring textW = wide ? L" " + WindowTextW(window_) + L"  " : std::wstring();
  const std::string textA = wide ? std::string() : " " + WindowText(window_) + "  ";
  RECT measure{0, 0, 0, 0};
  const UINT calc = DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX;
  if (wide)
    DrawTextW(dc, textW.c_str(), -1, &measure, calc);
  else
    DrawTextA(dc, textA.c_str(), -1, &measure, calc);
  TitleParams p{title.TextShift,    title.TextShiftVert, title.TextRightClip,
                title.TextAlignment, title.TextBackLeft,  title.TextBackRight};
  TitleInput in;
  in.captionLeft = frame_.left;
  in.captionRight = w - frame_.right;
  in.captionHeight = frame_.top;
  in.textWidth = measure.right;
  in.textHeight = measure.bottom;
  in.rightExtent = RightButtonExtent(boxes);
  in.rightToLeft = rightToLeft_;
  in.popup = (GetWindowLongA(window_, GWL_STYLE) & WS_POPUP) != 0;
  in.dialogFrame = borderKind_ == bkDialog;
  const TitlePlace place = PlaceTitle(p, in);
  titleRect_ = place.back;
  if (!title.Map.Empty()) {
    const Rect& b = place.back;
    skin::ThreeSlice(dc, RECT{b.left, b.top, b.right, b.bottom}, title.Map, true, true, 2,
                     active_ ? 1 : 2, title.TextBackLeft, title.TextBackRight);
  }
  RECT text{place.text.left, place.text.top, place.text.right, place.text.bottom};
  UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
  if (rightToLeft_) format |= DT_RIGHT | DT_RTLREADING;
  if (wide)
    DrawTextW(dc, textW.c_str(), -1, &text, format);
  else
    DrawTextA(dc, textA.c_str(), -1, &text, format);
  return RECT{place.back.left, place.back.top, place.back.right, place.back.bottom};
}

void TWinSkinForm::LayoutButtons(int w, const RECT& title) {
  std::vector<ButtonBox> boxes;
  for (const auto& button : buttons_) {
    ButtonBox box;
    box.visible = button->Visible;
    box.hasBitmap = !button->Image().Empty();
    box.bitmapWidth = button->Image().Width();
    box.bitmapHeight = button->Image().Height();
    box.frames = button->Frames();
    box.align = button->Button().Align;
    box.x = button->Button().X;
    box.y = button->Button().Y;
    boxes.push_back(box);
  }
  CaptionGeometry g;
  g.windowWidth = w;
  g.right = frame_.right;
  g.top = frame_.top;
  g.menuBar = menuBar_;
  g.titleLeft = title.left;
  g.titleRight = title.right;
  if (const TDataSkinObject* bar = data_->Part(spMenuBar)) g.menuBarLeftMargin = bar->LeftWidth;
  const std::vector<Rect> rects = skin::LayoutButtons(boxes, g);
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->Bounds = rects[i];
}

void TWinSkinForm::DrawButton(HDC dc, TWinSysButton& button, bool) {
  const Rect& b = button.Bounds;
  if (b.Width() <= 0 || b.Height() <= 0) return;
  if (button.IsIcon()) {
    HICON icon = nullptr;
    if (TForm* main = Application().MainForm(); main && main->HandleAllocated())
      icon = WindowIcon(main->Handle());
    if (icon)
      DrawIconEx(dc, b.left, b.top, icon, b.Width(), b.Height(), 0, nullptr, DI_NORMAL);
    else
      skin::DrawFrameCell(dc, RECT{b.left, b.top, b.right, b.bottom}, windowIcon_, true, 1, 1);
    return;
  }
  if (button.Button().Align == 100) return;
  // The current object keeps its hover or pressed look through repaints.
  const int state = &button == current_ ? button.State : 0;
  const int frame = CaptionButtonFrame(state, button.Frames(), button.Enabled, active_,
                                       button.Button().Align);
  skin::DrawFrameCell(dc, RECT{b.left, b.top, b.right, b.bottom}, button.Image(), true,
                      button.Frames(), frame);
}

void TWinSkinForm::PaintButton(TWinSysButton&) {
  // The whole caption is composed again, so that a smaller frame leaves no
  // trace of a larger one.
  if (frameState_ != fsSkinned && frameState_ != fsReskinning) return;
  WindowDC dc(window_, true);
  if (!dc.Get()) return;
  RECT r;
  GetWindowRect(window_, &r);
  PaintCaption(dc.Get(), r.right - r.left, r.bottom - r.top);
}

POINT TWinSkinForm::ToWindow(LPARAM screenPoint) const {
  RECT r;
  GetWindowRect(window_, &r);
  return POINT{GET_X_LPARAM_(screenPoint) - r.left, GET_Y_LPARAM_(screenPoint) - r.top};
}

TNCObject* TWinSkinForm::ObjectAt(POINT p) const {
  for (const auto& button : buttons_)
    if (button->Visible && button->Action() >= 0 && button->Contains(p.x, p.y)) return button.get();
  return nullptr;  // menu-bar buttons would be found here
}

bool TWinSkinForm::Alive(const TNCObject* object) const {
  for (const auto& button : buttons_)
    if (button.get() == object) return true;
  return false;
}

void TWinSkinForm::HideHint() {
  hoverMs_ = 0;
  if (hint_) hint_->Hide();
}

void TWinSkinForm::OnTimer() {
  if (popupOpen_ || !current_) return;
  if (!Alive(current_)) {
    current_ = nullptr;
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  RECT r;
  GetWindowRect(window_, &r);
  if (!current_->Contains(cursor.x - r.left, cursor.y - r.top)) {
    current_->MouseLeave();
    return;
  }
  auto* button = static_cast<TWinSysButton*>(current_);
  hoverMs_ += kFrameTimerMs;
  if (!InSet(data_->Options, xoCaptionButtonHint)) return;
  if (HintShown(hoverMs_, kHintPauseMs, kHintHidePauseMs)) {
    if (!hint_) hint_ = std::make_unique<CaptionHint>(window_);
    hint_->Show(HintTextFor(button->Action(), showState_ == ssMaximized),
                button->Bounds.left + r.left, cursor.y + 24);
  } else if (hint_) {
    hint_->Hide();
  }
}

void TWinSkinForm::RunButtonAction(TWinSysButton& button, POINT screen) {
  ActionInput in;
  in.action = button.Action();
  in.enabled = button.Enabled;
  in.maximized = showState_ == ssMaximized;
  in.minimized = showState_ == ssMinimized;
  in.hasCloseItem = systemMenu_ && GetMenuState(systemMenu_, SC_CLOSE, MF_BYCOMMAND) != UINT(-1);
  auto post = [this](UINT command) { PostMessageA(window_, WM_SYSCOMMAND, command, 0); };
  auto toMdiChild = [this](UINT command) {
    if (HWND client = host_->MdiClientWindow())
      if (auto child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)))
        SendMessageA(child, WM_SYSCOMMAND, command, 0);
  };
  switch (RunButtonActionChoice(in)) {
    case ButtonEffect::kNone:
      break;
    case ButtonEffect::kPostClose:
      KillTimer(window_, kFrameTimerId);
      timerOn_ = false;
      post(SC_CLOSE);
      break;
    case ButtonEffect::kMaximize:
      showState_ = ssMaximized;
      current_ = nullptr;
      post(SC_MAXIMIZE);
      break;
    case ButtonEffect::kRestore:
      showState_ = ssNormal;
      post(SC_RESTORE);
      break;
    case ButtonEffect::kMinimize: {
      showState_ = ssMinimized;
      // The taskbar button shows the system menu again.
      const LONG style = GetWindowLongA(window_, GWL_STYLE);
      if (buttonSet_ & bsSystemMenu) SetWindowLongA(window_, GWL_STYLE, style | WS_SYSMENU);
      post(SC_MINIMIZE);
      break;
    }
    case ButtonEffect::kSystemMenu:
      ShowSystemMenu(POINT{screen.x + 1, screen.y + 1});
      break;
    case ButtonEffect::kContextHelp:
      post(SC_CONTEXTHELP);
      break;
    case ButtonEffect::kMdiMinimize:
      toMdiChild(SC_MINIMIZE);
      break;
    case ButtonEffect::kMdiRestore:
      toMdiChild(SC_RESTORE);
      break;
    case ButtonEffect::kMdiClose:
      toMdiChild(SC_CLOSE);
      break;
    case ButtonEffect::kPostAction:
      PostMessageA(window_, SKM_BUTTONACTION, button.Action(), 0);
      break;
  }
}

void TWinSkinForm::Reapply() {
  if (!attached_ || !data_) return;
  if (form_) form_->SetColor(static_cast<::velotune::TColor>(data_->FaceColour()));
  frameState_ = fsReskinning;
  ComputeFrameSizes();
  for (SkinnedControl* control : std::vector<SkinnedControl*>(controls_)) control->Reapply();
  FitWindow(true);
  if (form_) {
    form_->SetBounds(form_->Left(), form_->Top(), form_->Width(), form_->Height() + 1);
    form_->SetBounds(form_->Left(), form_->Top(), form_->Width(), form_->Height() - 1);
  }
  UpdateRegion();
  SendMessageA(window_, SKM_SKINNED, 0, kSkinMagic);
  if (data_->OnAfterSkinForm)
    data_->OnAfterSkinForm(form_, reinterpret_cast<uintptr_t>(window_), className_);
  frameState_ = fsSkinned;
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::RestoreOwnProcedures() {
  if (form_ && formLink_) {
    if (form_->WindowProc.target<FormProcFunctor>() &&
        form_->WindowProc.target<FormProcFunctor>()->link == formLink_)
      form_->WindowProc = formLink_->previous;
    // A functor still deeper in the chain passes messages on from now.
    formLink_->owner = nullptr;
    formLink_.reset();
  }
  subclass_.Remove();
}

void TWinSkinForm::Detach() {
  if (!attached_) return;
  FreeSystemMenu();
  if (IsWindow(window_)) KillTimer(window_, kFrameTimerId);
  timerOn_ = false;
  hint_.reset();
  current_ = nullptr;
  RestoreOwnProcedures();
  ReleaseControls();
  if (form_ && formColourSaved_) form_->SetColor(formColour_);
  formColourSaved_ = false;
  attached_ = false;
  if (!IsWindow(window_)) return;
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  if ((buttonSet_ & bsSystemMenu) && !(style & WS_SYSMENU))
    SetWindowLongA(window_, GWL_STYLE, style | WS_SYSMENU);
  const bool destroying = frameState_ == fsDestroying || frameState_ == fsDestroyed;
  if (frameSkinning_ && !destroying && (!childWindow_ || mdiKind_ == 2)) {
    RECT r;
    GetWindowRect(window_, &r);
    const int w = r.right - r.left + systemFrame_.cx - frame_.left - frame_.right;
    const int h = r.bottom - r.top + systemFrame_.cy - frame_.top - frame_.bottom - menuBar_;
    if (showState_ == ssNormal && frameState_ != fsAttached)
      SetWindowPos(window_, nullptr, 0, 0, w, h,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
      SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowRgn(window_, nullptr, TRUE);
  regionSize_ = SIZE{-1, -1};
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::RegisterControl(SkinnedControl* control) {
  if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
    controls_.push_back(control);
}

void TWinSkinForm::UnregisterControl(SkinnedControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

bool TWinSkinForm::HasControl(HWND window) const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [window](const SkinnedControl* c) { return c->Window() == window; });
}

void TWinSkinForm::ReleaseControls() {
  // Each wrapper gives its control back and leaves the list as it goes.
  while (!controls_.empty()) {
    SkinnedControl* control = controls_.back();
    controls_.pop_back();
    delete control;
  }
}

}  // namespace velotune::skin
