// TfrmDonate: asks for support and keeps the per-user choice whether it opens
// at every start. The caller sets the product title (HelpKeyword) and the
// product number (Tag) before showing it.
#pragma once

#include "framework/form.h"

namespace velotune {

class TfrmDonate : public TForm {
 public:
  explicit TfrmDonate(TComponent* owner);
  const char* ClassName() const override { return "TfrmDonate"; }
  TEvent FindHandler(const std::string& name) override;

  void FormShow(TEventArgs& e);
  void FormClose(TEventArgs& e);
  void Button1Click(TEventArgs& e);
  void Button2Click(TEventArgs& e);
  void BClick(TEventArgs& e);
  void imgPaypalClick(TEventArgs& e);
  void imgPaypalMouseDown2(TEventArgs& e);
  void imgPaypalMouseUp2(TEventArgs& e);
  void Image4Click(TEventArgs& e);
};

}  // namespace velotune
