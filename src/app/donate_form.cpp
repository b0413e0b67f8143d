#include "app/donate_form.h"

#include "app/app_registry.h"
#include "app/logic/donate_rules.h"
#include "app/logic/maker_info.h"
#include "app/shell_actions.h"
#include "framework/application.h"
#include "framework/std_controls.h"

namespace velotune {

namespace {

const HandlerEntry<TfrmDonate> kHandlers[] = {
    {"FormShow", &TfrmDonate::FormShow},
    {"FormClose", &TfrmDonate::FormClose},
    {"Button1Click", &TfrmDonate::Button1Click},
    {"Button2Click", &TfrmDonate::Button2Click},
    {"BClick", &TfrmDonate::BClick},
    {"imgPaypalClick", &TfrmDonate::imgPaypalClick},
    {"imgPaypalMouseDown2", &TfrmDonate::imgPaypalMouseDown2},
    {"imgPaypalMouseUp2", &TfrmDonate::imgPaypalMouseUp2},
    {"Image4Click", &TfrmDonate::Image4Click},
};

TControl& SenderOf(TEventArgs& e) {
  return static_cast<TControl&>(*e.Sender);
}

void MoveTo(TControl& control, ImagePlace place) {
  control.SetBounds(place.left, place.top, control.Width(), control.Height());
}

}  // namespace

TfrmDonate::TfrmDonate(TComponent* owner) : TForm(owner) {
  LoadDescriptionResource("DONATE_DFM", "donate.dfm");
}

TEvent TfrmDonate::FindHandler(const std::string& name) {
  return FindHandlerIn(this, kHandlers, name);
}

void TfrmDonate::FormShow(TEventArgs&) {
  const std::string& title = HelpKeyword();
  SetCaption(FillTitle(Caption(), title));
  for (const char* name : {"Label1", "Label11", "chkShow"}) {
    auto* control = Bind<TControl>(*this, name);
    control->SetCaption(FillTitle(control->Caption(), title));
  }
  Bind<TCheckBox>(*this, "chkShow")->SetChecked(DonateBoxTicked(Tag()));
}

void TfrmDonate::FormClose(TEventArgs&) {
  StoreDonateChoice(Tag(), Bind<TCheckBox>(*this, "chkShow")->Checked());
}

void TfrmDonate::Button1Click(TEventArgs&) {
  Close();
}

void TfrmDonate::Button2Click(TEventArgs& e) {
  OpenWithShell(Handle(), SenderOf(e).HelpKeyword(), SW_SHOW);
}

void TfrmDonate::BClick(TEventArgs& e) {
  OpenWithShell(Handle(), SenderOf(e).HelpKeyword(), SW_SHOW);
}

void TfrmDonate::imgPaypalClick(TEventArgs& e) {
  OpenWithShell(Handle(), SenderOf(e).HelpKeyword(), SW_SHOWNORMAL);
}

// Positions are absolute (resting place kept in Tag and HelpContext), so
// repeated presses never drift.
void TfrmDonate::imgPaypalMouseDown2(TEventArgs& e) {
  TControl& image = SenderOf(e);
  MoveTo(image, PressedPlace(image.Tag(), image.HelpContext()));
}

void TfrmDonate::imgPaypalMouseUp2(TEventArgs& e) {
  TControl& image = SenderOf(e);
  MoveTo(image, RestingPlace(image.Tag(), image.HelpContext()));
}

void TfrmDonate::Image4Click(TEventArgs&) {
  InputBox(kBitcoinBoxCaption, kDonateBitcoinPrompt, kBitcoinAddress);
}

}  // namespace velotune
