// The status bar and its panels.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>

#include "framework/containers.h"
#include "framework/form.h"
#include "framework/messages.h"
#include "framework/property_helpers.h"
#include "framework/window_dpi.h"

namespace velotune {

namespace {
const PropertyDef kStatusBarProperties[] = {
    {"SimplePanel", [](const TComponent& c) { return BoolText(As<TStatusBar>(c).simplePanel); },
     [](TComponent& c, const std::string& v) {
       As<TStatusBar>(c).simplePanel = BoolProp("SimplePanel", v);
     }},
    {"SizeGrip", nullptr, [](TComponent&, const std::string& v) { BoolProp("SizeGrip", v); }},
};
}  // namespace

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  height_ = 19;
}

const PropertyDef* TStatusBar::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kStatusBarProperties, name)) return p;
  return TWinControl::FindProperty(name);
}

bool TStatusBar::ReadCollection(const std::string& name,
                                const std::vector<std::vector<DfmProperty>>& items) {
  if (name != "Panels") return false;
  panels_.clear();
  for (const auto& item : items) {
    TStatusPanel panel;
    for (const DfmProperty& p : item) {
      std::string text;
      if (!DfmValueText(p.value, &text))
        throw EPropertyError("Invalid property value for Panels." + p.name);
      if (p.name == "Text")
        panel.text = text;
      else if (p.name == "Width")
        panel.width = IntProp("Width", text);
      else if (p.name == "Alignment")
        panel.alignment = EnumProp("Alignment", text, AlignmentNames());
      else if (p.name == "Style")
        EnumProp("Style", text, {"psText", "psOwnerDraw"});
      else if (p.name == "Bevel")
        EnumProp("Bevel", text, {"pbNone", "pbLowered", "pbRaised"});
      else
        throw EPropertyError("Property Panels." + p.name + " does not exist");
    }
    panels_.push_back(panel);
  }
  UpdatePanels();
  return true;
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.windowClass = STATUSCLASSNAMEA;
  params.systemClass = true;
  params.exStyle = 0;
  params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels();
}

void TStatusBar::BoundsChanged() {
  TWinControl::BoundsChanged();
  UpdatePanels();
}

void TStatusBar::WndProc(TMessage& message) {
  if (message.Msg == CM_DPICHANGED) UpdatePanels();
  TWinControl::WndProc(message);
}

namespace {
std::string AlignedText(const TStatusPanel& panel) {
  // A tab before the text centres it, two right-align it.
  static const char* const kPrefixes[] = {"", "\t\t", "\t"};
  return kPrefixes[panel.alignment] + panel.text;
}
}  // namespace

void TStatusBar::UpdatePanels() {
  if (!handle_) return;
  SendMessageA(handle_, SB_SIMPLE, simplePanel, 0);
  const TForm* form = ParentForm();
  const int dpi = form ? form->Dpi() : kDesignDpi;
  std::vector<int> edges;
  int right = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    right += ScaleRounded(panels_[i].width, dpi, kDesignDpi);
    edges.push_back(i + 1 == panels_.size() ? -1 : right);
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageA(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    std::string text = AlignedText(panels_[i]);
    SendMessageA(handle_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  if (index < 0 || index >= static_cast<int>(panels_.size())) return;
  panels_[index].text = text;
  if (handle_) {
    std::string aligned = AlignedText(panels_[index]);
    SendMessageA(handle_, SB_SETTEXTA, index, reinterpret_cast<LPARAM>(aligned.c_str()));
  }
}

std::string TStatusBar::PanelText(int index) const {
  if (index < 0 || index >= static_cast<int>(panels_.size())) return "";
  return panels_[index].text;
}

}  // namespace velotune
