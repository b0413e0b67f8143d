#include "framework/component.h"

#include <algorithm>

#include "framework/text_values.h"

namespace velotune {

namespace {
const PropertyDef kComponentProperties[] = {
    {"Name", [](const TComponent& c) { return c.Name(); },
     [](TComponent& c, const std::string& v) { c.SetName(v); }},
    {"Tag", [](const TComponent& c) { return IntText(c.Tag()); },
     [](TComponent& c, const std::string& v) { c.SetTag(IntProp("Tag", v)); }},
};
}  // namespace

const TFiler::Reader* TFiler::Find(const std::string& name) const {
  auto it = readers_.find(name);
  return it == readers_.end() ? nullptr : &it->second;
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  SendFreeNotifications();
  // Owned components go last-created first, each removing itself.
  while (!components_.empty()) delete components_.back();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it != components_.end()) components_.erase(it);
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
    freeNotifies_.push_back(other);
  if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
      other->freeNotifies_.end())
    other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
    list.erase(std::remove(list.begin(), list.end(), c), list.end());
  };
  drop(freeNotifies_, other);
  drop(other->freeNotifies_, this);
}

void TComponent::SendFreeNotifications() {
  std::vector<TComponent*> linked;
  linked.swap(freeNotifies_);
  for (TComponent* c : linked) {
    c->freeNotifies_.erase(std::remove(c->freeNotifies_.begin(), c->freeNotifies_.end(), this),
                           c->freeNotifies_.end());
    c->Notification(this);
  }
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && owner_) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this)
      throw EPropertyError("A component named " + name + " already exists");
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (c->name_ == name) return c;
  return nullptr;
}

void TComponent::SetLoading(bool loading) {
  state_ = loading ? (state_ | csLoading) : (state_ & ~csLoading);
}

const PropertyDef* TComponent::FindProperty(const std::string& name) const {
  return Lookup(kComponentProperties, name);
}

std::string TComponent::GetPropText(const std::string& name) const {
  const PropertyDef* p = FindProperty(name);
  if (!p || !p->get) throw EPropertyError("Property " + name + " does not exist");
  return p->get(*this);
}

void TComponent::SetPropText(const std::string& name, const std::string& value) {
  const PropertyDef* p = FindProperty(name);
  if (!p || !p->set) throw EPropertyError("Property " + name + " does not exist");
  p->set(*this, value);
}

bool TComponent::HasEvent(const std::string&) const {
  return false;
}

void TComponent::SetEvent(const std::string& name, TEvent handler) {
  if (!HasEvent(name)) throw EPropertyError("Property " + name + " does not exist");
  events_[name] = std::move(handler);
}

bool TComponent::Fire(const std::string& name, TEventArgs& args) {
  auto it = events_.find(name);
  if (it == events_.end() || !it->second) return false;
  args.Sender = this;
  // A copy, so that a handler may replace or clear the event it runs from.
  TEvent handler = it->second;
  handler(args);
  return true;
}

bool TComponent::Fire(const std::string& name) {
  TEventArgs args;
  return Fire(name, args);
}

TEvent TComponent::Event(const std::string& name) const {
  auto it = events_.find(name);
  return it == events_.end() ? TEvent() : it->second;
}

bool TComponent::ReadList(const std::string&, const std::vector<std::string>&) {
  return false;
}
bool TComponent::ReadBinary(const std::string&, const std::vector<std::uint8_t>&) {
  return false;
}
bool TComponent::ReadCollection(const std::string&, const std::vector<std::vector<DfmProperty>>&) {
  return false;
}
void TComponent::DefineProperties(TFiler&) {}
void TComponent::SetParentComponent(TComponent*) {}
TEvent TComponent::FindHandler(const std::string&) {
  return TEvent();
}

int IntProp(const std::string& name, const std::string& text) {
  int value;
  if (!ParseIntText(text, &value))
    throw EPropertyError("Invalid property value '" + text + "' for " + name);
  return value;
}

bool BoolProp(const std::string& name, const std::string& text) {
  bool value;
  if (!ParseBoolText(text, &value))
    throw EPropertyError("Invalid property value '" + text + "' for " + name);
  return value;
}

int EnumProp(const std::string& name, const std::string& text,
             const std::vector<const char*>& names) {
  int index = EnumIndex(text, names);
  if (index < 0) {
    // Stored numbers are accepted too.
    int number;
    if (ParseIntText(text, &number) && number >= 0 && number < static_cast<int>(names.size()))
      return number;
    throw EPropertyError("Invalid property value '" + text + "' for " + name);
  }
  return index;
}

}  // namespace velotune
