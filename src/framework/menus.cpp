#include "framework/menus.h"

#include "framework/text_values.h"

namespace velotune {

namespace {

TMenu& M(TComponent& c) {
  return static_cast<TMenu&>(c);
}
const TMenu& M(const TComponent& c) {
  return static_cast<const TMenu&>(c);
}
std::string Bool(bool value) {
  return value ? "True" : "False";
}

const std::vector<const char*> kBiDiModes = {"bdLeftToRight", "bdRightToLeft",
                                             "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"};

const PropertyDef kMenuProperties[] = {
    {"OwnerDraw", [](const TComponent& c) { return Bool(M(c).OwnerDraw()); },
     [](TComponent& c, const std::string& v) { M(c).SetOwnerDraw(BoolProp("OwnerDraw", v)); }},
    {"Images", [](const TComponent& c) { return M(c).Images() ? M(c).Images()->Name() : ""; },
     [](TComponent& c, const std::string& v) { M(c).SetImagesName(v); }},
    {"BiDiMode", [](const TComponent& c) { return std::string(kBiDiModes[M(c).BiDiMode()]); },
     [](TComponent& c, const std::string& v) {
       M(c).SetBiDiMode(static_cast<TBiDiMode>(EnumProp("BiDiMode", v, kBiDiModes)));
     }},
};

const PropertyDef kPopupMenuProperties[] = {
    {"AutoPopup",
     [](const TComponent& c) { return Bool(static_cast<const TPopupMenu&>(c).AutoPopup()); },
     [](TComponent& c, const std::string& v) {
       static_cast<TPopupMenu&>(c).SetAutoPopup(BoolProp("AutoPopup", v));
     }},
};

}  // namespace

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {
  items_->rootOf_ = this;
}

TMenu::~TMenu() {
  // Whoever shows the menu lets go of it before its handles go.
  SendFreeNotifications();
  delete items_;
}

const PropertyDef* TMenu::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kMenuProperties, name)) return p;
  return TComponent::FindProperty(name);
}

void TMenu::SetImagesName(const std::string& name) {
  imagesName_ = name;
  // The description may create the list further down.
  if (!(ComponentState() & csLoading)) SetImages(FindReference<TImageList>(*this, name));
}

void TMenu::Loaded() {
  if (!imagesName_.empty()) SetImages(FindReference<TImageList>(*this, imagesName_));
}

void TMenu::Notification(TComponent* freed) {
  if (freed == images_) SetImages(nullptr);
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw == ownerDraw_) return;
  ownerDraw_ = ownerDraw;
  ItemChanged(nullptr, true);
}

void TMenu::SetImages(TImageList* images) {
  if (!SetReference(images_, images)) return;
  imagesName_ = images ? images->Name() : "";
  ItemChanged(nullptr, true);
}

void TMenu::SetBiDiMode(TBiDiMode mode) {
  if (mode == bidiMode_) return;
  bidiMode_ = mode;
  ItemChanged(nullptr, true);
}

TMenuItem* TMenu::FindItem(std::uintptr_t value, TFindItemKind kind) const {
  switch (kind) {
    case fkCommand:
      return items_->FindCommand(static_cast<unsigned>(value));
    case fkShortCut:
      return items_->FindShortCut(static_cast<TShortCut>(value));
    default:
#ifdef _WIN32
      if (TMenuItem* item = TMenuItem::FromHandle(reinterpret_cast<HMENU>(value)))
        if (item->Menu() == this) return item;
#endif
      return nullptr;
  }
}

bool TMenu::IsShortCut(TShortCut shortCut) {
  TMenuItem* item = items_->FindShortCut(shortCut);
  if (!item) return false;
  for (TMenuItem* p = item; p && !p->IsRoot(); p = p->Parent())
    if (!p->Visible() || !p->Enabled()) return false;
  item->Click();
  return true;
}

void TMenu::ItemChanged(TMenuItem* item, bool structure) {
  // While the description is read there are no handles yet.
  if (ComponentState() & (csLoading | csDestroying)) return;
#ifdef _WIN32
  UpdateHandles(item, structure);
#else
  (void)item;
  (void)structure;
#endif
  MenuChanged();
}

void TMainMenu::Notification(TComponent* freed) {
  if (freed == form_) form_ = nullptr;
  TMenu::Notification(freed);
}

const PropertyDef* TPopupMenu::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kPopupMenuProperties, name)) return p;
  return TMenu::FindProperty(name);
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  SetReference(popupComponent_, component);
}

void TPopupMenu::Notification(TComponent* freed) {
  if (freed == popupComponent_) popupComponent_ = nullptr;
  TMenu::Notification(freed);
}

}  // namespace velotune
