// TfrmVtAbout: the program's name, update date, maker and addresses.
#pragma once

#include "framework/form.h"

namespace velotune {

class TfrmVtAbout : public TForm {
 public:
  explicit TfrmVtAbout(TComponent* owner);
  const char* ClassName() const override { return "TfrmVtAbout"; }
  TEvent FindHandler(const std::string& name) override;

  void Button1Click(TEventArgs& e);
  void Label5Click(TEventArgs& e);
  void Image3Click(TEventArgs& e);
};

}  // namespace velotune
