#include "app/about_form.h"

#include "app/logic/maker_info.h"
#include "app/shell_actions.h"
#include "framework/application.h"

namespace velotune {

namespace {
const HandlerEntry<TfrmVtAbout> kHandlers[] = {
    {"Button1Click", &TfrmVtAbout::Button1Click},
    {"Label5Click", &TfrmVtAbout::Label5Click},
    {"Image3Click", &TfrmVtAbout::Image3Click},
};
}  // namespace

TfrmVtAbout::TfrmVtAbout(TComponent* owner) : TForm(owner) {
  LoadDescriptionResource("ABOUT_DFM", "about.dfm");
}

TEvent TfrmVtAbout::FindHandler(const std::string& name) {
  return FindHandlerIn(this, kHandlers, name);
}

void TfrmVtAbout::Button1Click(TEventArgs&) {
  Close();
}

// The link labels open their own caption.
void TfrmVtAbout::Label5Click(TEventArgs& e) {
  OpenWithShell(Handle(), static_cast<TControl&>(*e.Sender).Caption(), SW_SHOW);
}

void TfrmVtAbout::Image3Click(TEventArgs&) {
  InputBox(kBitcoinBoxCaption, kBitcoinPrompt, kBitcoinAddress);
}

}  // namespace velotune
