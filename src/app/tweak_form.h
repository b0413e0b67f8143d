// TTweakFrm: the main window. Its controls come from its form description;
// this class holds the handlers the description names.
#pragma once

#include "app/form_control_states.h"
#include "framework/form.h"

namespace velotune {

class TPageControl;
class TTabSheet;
class TStatusBar;
class TScrollBox;
class TPanel;
class TLabel;
class TTrackBar;

class TTweakFrm : public TForm {
 public:
  // Reads the main window's description; FormCreate runs at the end.
  explicit TTweakFrm(TComponent* owner);
  const char* ClassName() const override { return "TTweakFrm"; }
  TEvent FindHandler(const std::string& name) override;

  void FormCreate(TEventArgs& e);
  void cprDblClick(TEventArgs& e);
  void titleDblClick(TEventArgs& e);
  void IconDblClick(TEventArgs& e);
  void Label3DblClick(TEventArgs& e);
  void Save2Click(TEventArgs& e);
  void Save1Click(TEventArgs& e);
  void TBChange(TEventArgs& e);
  void Save3Click(TEventArgs& e);
  void ScrollBox2MouseWheel(TEventArgs& e);
  void Button6Click(TEventArgs& e);
  void Button7Click(TEventArgs& e);
  void Button8Click(TEventArgs& e);
  void Button1Click(TEventArgs& e);
  void Button29Click(TEventArgs& e);
  void SidebarClick(TEventArgs& e);
  void Image2Click(TEventArgs& e);
  void imgPaypalClick2(TEventArgs& e);
  void BClick2(TEventArgs& e);
  void Button2Click(TEventArgs& e);
  void Button3Click(TEventArgs& e);
  void Button4Click(TEventArgs& e);
  void Button5Click(TEventArgs& e);
  void Timer1Timer(TEventArgs& e);

 protected:
  // Alt+T and Alt+F press the sidebar's TWEAK and FIX buttons.
  void WndProc(TMessage& message) override;

 private:
  // One of the actions the command line names too ("page1", "fix", ...),
  // behind its backup.
  void RunNamedAction(const char* name);

  FormControlStates states_;
};

}  // namespace velotune
