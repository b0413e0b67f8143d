#include "framework/menu_test_form.h"

#include <fstream>
#include <sstream>

namespace velotune {

namespace {
std::string ReadDescription() {
  std::ifstream in(VELOTUNE_MENU_TEST_FORM, std::ios::binary);
  if (!in) throw Exception(std::string("cannot read ") + VELOTUNE_MENU_TEST_FORM);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
}  // namespace

TMenuTestForm::TMenuTestForm() : TForm(nullptr) {
  LoadDescription(ReadDescription(), "menu_test.dfm");
}

TEvent TMenuTestForm::FindHandler(const std::string& name) {
  static const HandlerEntry<TMenuTestForm> kHandlers[] = {
      {"MenuClick", &TMenuTestForm::MenuClick},
      {"PopupOpening", &TMenuTestForm::PopupOpening},
      {"ItemMeasure", &TMenuTestForm::ItemMeasure},
      {"ItemDraw", &TMenuTestForm::ItemDraw},
  };
  return FindHandlerIn(this, kHandlers, name);
}

void TMenuTestForm::ItemMeasure(TEventArgs& e) {
  measured.push_back(e.Sender->Name());
  if (measureHeight > 0) e.Height = measureHeight;
}

void TMenuTestForm::ItemDraw(TEventArgs& e) {
  drawn.push_back(e.Sender->Name());
  auto* dc = static_cast<HDC>(e.Canvas);
  RECT r{e.Left, e.Top, e.Left + e.Width, e.Top + e.Height};
  HBRUSH brush = CreateSolidBrush(drawColour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace velotune
