#include "framework/menu_item.h"

#include <algorithm>

#include "framework/menus.h"
#include "framework/text_values.h"

namespace velotune {

namespace {

// Every item of the program by command id.
std::vector<TMenuItem*>& Commands() {
  static std::vector<TMenuItem*> commands(kMenuCommandLimit, nullptr);
  return commands;
}

// Ids are handed out round the range, so that a command still queued for a
// freed item does not reach the next item made.
unsigned AllocateCommand(TMenuItem* item) {
  static unsigned next = kFirstMenuCommand;
  std::vector<TMenuItem*>& commands = Commands();
  for (unsigned tried = kFirstMenuCommand; tried < kMenuCommandLimit; ++tried) {
    unsigned id = next;
    next = next + 1 < kMenuCommandLimit ? next + 1 : kFirstMenuCommand;
    if (!commands[id]) {
      commands[id] = item;
      return id;
    }
  }
  throw Exception("Too many menu items");
}

TMenuItem& I(TComponent& c) {
  return static_cast<TMenuItem&>(c);
}
const TMenuItem& I(const TComponent& c) {
  return static_cast<const TMenuItem&>(c);
}
std::string Bool(bool value) {
  return value ? "True" : "False";
}

TShortCut ShortCutProp(const std::string& text) {
  int number;
  if (ParseIntText(text, &number) && number >= 0 && number <= 0xFFFF)
    return static_cast<TShortCut>(number);
  TShortCut shortCut = TextToShortCut(text);
  if (shortCut == scNone)
    throw EPropertyError("Invalid property value '" + text + "' for ShortCut");
  return shortCut;
}

const PropertyDef kMenuItemProperties[] = {
    {"Caption", [](const TComponent& c) { return I(c).Caption(); },
     [](TComponent& c, const std::string& v) { I(c).SetCaption(v); }},
    {"ShortCut", [](const TComponent& c) { return IntText(I(c).ShortCut()); },
     [](TComponent& c, const std::string& v) { I(c).SetShortCut(ShortCutProp(v)); }},
    {"Enabled", [](const TComponent& c) { return Bool(I(c).Enabled()); },
     [](TComponent& c, const std::string& v) { I(c).SetEnabled(BoolProp("Enabled", v)); }},
    {"Checked", [](const TComponent& c) { return Bool(I(c).Checked()); },
     [](TComponent& c, const std::string& v) { I(c).SetChecked(BoolProp("Checked", v)); }},
    {"Default", [](const TComponent& c) { return Bool(I(c).Default()); },
     [](TComponent& c, const std::string& v) { I(c).SetDefault(BoolProp("Default", v)); }},
    {"Visible", [](const TComponent& c) { return Bool(I(c).Visible()); },
     [](TComponent& c, const std::string& v) { I(c).SetVisible(BoolProp("Visible", v)); }},
    {"ImageIndex", [](const TComponent& c) { return IntText(I(c).ImageIndex()); },
     [](TComponent& c, const std::string& v) { I(c).SetImageIndex(IntProp("ImageIndex", v)); }},
};

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  for (TMenuItem* child : items_) child->parent_ = nullptr;
  items_.clear();
#ifdef _WIN32
  ReleaseHandle();
#endif
  Commands()[command_] = nullptr;
}

TMenuItem* TMenuItem::FromCommand(unsigned command) {
  return command < kMenuCommandLimit ? Commands()[command] : nullptr;
}

const PropertyDef* TMenuItem::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kMenuItemProperties, name)) return p;
  return TComponent::FindProperty(name);
}

bool TMenuItem::HasEvent(const std::string& name) const {
  return name == "OnClick" || name == "OnMeasureItem" || name == "OnDrawItem";
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TMenu*>(parent)) {
    menu->Items()->Add(this);
  } else if (auto* item = dynamic_cast<TMenuItem*>(parent)) {
    item->Add(this);
  } else {
    throw EPropertyError("Menu item " + Name() + " is not inside a menu");
  }
}

void TMenuItem::SetCaption(const std::string& caption) {
  Assign(caption_, caption, false);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  Assign(shortCut_, shortCut, false);
}

void TMenuItem::SetEnabled(bool enabled) {
  Assign(enabled_, enabled, false);
}

void TMenuItem::SetChecked(bool checked) {
  Assign(checked_, checked, false);
}

void TMenuItem::SetDefault(bool value) {
  Assign(default_, value, false);
}

void TMenuItem::SetVisible(bool visible) {
  Assign(visible_, visible, true);
}

void TMenuItem::SetImageIndex(int index) {
  Assign(imageIndex_, index, false);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this || item->IsRoot()) throw Exception("Menu item cannot be inserted");
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw Exception("Menu item " + item->Name() + " cannot hold itself");
  if (item->parent_) item->parent_->Remove(item);
  index = std::max(0, std::min(index, Count()));
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed(true);
}

TMenu* TMenuItem::Menu() const {
  const TMenuItem* top = this;
  while (top->parent_) top = top->parent_;
  return top->rootOf_;
}

TMenuItem* TMenuItem::FindCommand(unsigned command) {
  if (command_ == command && !IsRoot()) return this;
  for (TMenuItem* child : items_)
    if (TMenuItem* found = child->FindCommand(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  if (shortCut != scNone && shortCut_ == shortCut) return this;
  for (TMenuItem* child : items_)
    if (TMenuItem* found = child->FindShortCut(shortCut)) return found;
  return nullptr;
}

void TMenuItem::Click() {
  if (enabled_) Fire("OnClick");
}

void TMenuItem::Changed(bool structure) {
  TMenu* menu = Menu();
  if (menu) menu->ItemChanged(this, structure);
}

}  // namespace velotune
