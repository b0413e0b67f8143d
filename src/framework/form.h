// A top-level window made from a form description: border, caption, client
// size and placement, its handler table, showing (modeless or modal),
// closing, keyboard navigation, hints and proportional scaling.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "framework/control.h"
#include "framework/shortcuts.h"

namespace velotune {

class ComponentClasses;
class TMainMenu;

enum TModalResult {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};
enum TCloseAction { caNone = 0, caHide = 1, caFree = 2, caMinimize = 3 };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TBorderIconBits : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  // Reads the description text and creates every component in it; then the
  // form's OnCreate runs. `file` names the description in error messages.
  void LoadDescription(const std::string& text, const std::string& file);
  // The same from an RCDATA resource of the program.
  void LoadDescriptionResource(const char* resourceName, const std::string& file);
  // The component classes every description may use.
  static ComponentClasses& Classes();

  void Show();
  void Hide() { SetVisible(false); }
  int ShowModal();
  // Asks OnClose what to do; a modal form ends its modal loop.
  void Close();
  // Frees the form once the current message has been handled.
  void Release();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool Modal() const { return modal_; }

  void SetClientSize(int width, int height);
  int ClientWidth() const override;
  int ClientHeight() const override;
  // Every control's bounds and own font, the form's font and its client size
  // multiplied by m/d.
  void ScaleBy(int m, int d);

  TWinControl* ActiveControl() const { return activeControl_; }
  void FocusChanged(TWinControl* control);
  void ControlRemoved(TControl* control);
  // Alt+character: selects a page whose tab caption has it as accelerator,
  // else presses the button (or toggles the box) whose caption has it.
  bool DialogChar(char c);
  // Ctrl+Tab: the next (or previous) page of the page control around the
  // focus (else the first one showing). False when there is none to turn.
  bool TurnPage(bool forward);
  // The Tab key: the next (or previous) focusable control in tab order.
  void SelectNext(bool backward);
  // The menu bar. Setting it keeps the window's size; the form hears
  // CM_MENUCHANGED.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // By name, as a description stores it: found when loading has ended.
  void SetMenuName(const std::string& name);
  // A key with its modifiers: the item with that shortcut in the popup menu
  // of the focused control (or of a control it lies in), else in the main
  // menu, is clicked. False when no enabled item has it.
  bool IsShortCut(TShortCut shortCut);
  void Loaded() override;
  // Registers the hint texts with the tool-tip window.
  void RefreshHints();
  // The same for a control whose window was made after the form showed, and
  // for its children without windows.
  void RegisterHint(TWinControl& control);
  // Where the form is placed when first shown, after its outer size is known.
  void PlaceWindow();

  bool HasEvent(const std::string& name) const override;
  bool ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) override;

  // Every windowed control of the form, depth first, each container's
  // children in tab order.
  std::vector<TWinControl*> TabOrderList() const;
  // The program's forms that exist now, oldest first.
  static const std::vector<TForm*>& Forms();

  // A form frees itself when closed with caFree; the caller must not keep it.
  bool FreeOnClose() const { return freeOnClose_; }
  void SetFreeOnClose(bool free) { freeOnClose_ = free; }

  TFormBorderStyle borderStyle = bsSizeable;
  unsigned borderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition position = poDesigned;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void DestroyWnd() override;
  void Notification(TComponent* freed) override;

 private:
  // Makes the controls' windows that wait for the first showing.
  void MakeChildWindows();
  int clientWidth_ = 0, clientHeight_ = 0;
  int modalResult_ = 0;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool freeOnClose_ = false;
  TWinControl* activeControl_ = nullptr;
  HICON icon_ = nullptr;
  HWND tooltip_ = nullptr;
  TMainMenu* menu_ = nullptr;
  std::string menuName_;
};

// A form class's handler table: name -> member function taking the event.
template <typename Form>
struct HandlerEntry {
  const char* name;
  void (Form::*method)(TEventArgs&);
};

template <typename Form, std::size_t N>
TEvent FindHandlerIn(Form* form, const HandlerEntry<Form> (&table)[N], const std::string& name) {
  for (const HandlerEntry<Form>& entry : table) {
    if (name == entry.name) {
      auto method = entry.method;
      return [form, method](TEventArgs& e) { (form->*method)(e); };
    }
  }
  return TEvent();
}

// The component of `form` called `name`, as a T; raises when missing.
template <typename T>
T* Bind(TComponent& form, const std::string& name) {
  T* found = dynamic_cast<T*>(form.FindComponent(name));
  if (!found) throw Exception("Component " + name + " not found in " + form.Name());
  return found;
}

}  // namespace velotune
