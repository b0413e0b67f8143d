// The root of every form, control and non-visual component: a name, a tag,
// an owner that frees it, published properties readable and writable by name
// as text, named events bound to the form's handlers, and the hooks a form
// description reader calls while it creates the component.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/form_description.h"
#include "platform/errors.h"

namespace velotune {

class TComponent;

// Raised for a property name or value a component does not accept.
class EPropertyError : public Exception {
 public:
  using Exception::Exception;
};

// Arguments of every event; each event fills the fields it has.
struct TEventArgs {
  TComponent* Sender = nullptr;
  unsigned Shift = 0;  // kShift... bits
  int WheelDelta = 0;
  int X = 0, Y = 0;  // mouse position (client of the sender, or screen for wheels)
  int Button = 0;    // 0 left, 1 right, 2 middle
  bool Handled = false;
  int Action = 0;  // close action of OnClose
  // Owner-drawn menu items: the device context (an HDC); the item's size
  // (OnMeasureItem, in and out) or its rectangle (OnDrawItem); ODS_* bits.
  void* Canvas = nullptr;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  unsigned State = 0;
};
constexpr unsigned kShiftKey = 1, kAltKey = 2, kCtrlKey = 4;

using TEvent = std::function<void(TEventArgs&)>;

// One published property: its name and how to read and write it as text.
struct PropertyDef {
  const char* name;
  std::string (*get)(const TComponent&);
  void (*set)(TComponent&, const std::string&);  // raises EPropertyError
};

// Properties a component stores under its own names (DefineProperties).
class TFiler {
 public:
  using Reader = std::function<void(const DfmValue&)>;
  void DefineProperty(const std::string& name, Reader reader) {
    readers_[name] = std::move(reader);
  }
  const Reader* Find(const std::string& name) const;

 private:
  std::map<std::string, Reader> readers_;
};

enum ComponentStateBits : unsigned { csLoading = 1, csDesigning = 2, csDestroying = 4 };

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual const char* ClassName() const { return "TComponent"; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);  // unique among the owner's components
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* FindComponent(const std::string& name) const;
  unsigned ComponentState() const { return state_; }
  void SetLoading(bool loading);

  // Published properties by name, as text. Unknown names and bad values
  // raise EPropertyError.
  std::string GetPropText(const std::string& name) const;
  void SetPropText(const std::string& name, const std::string& value);
  bool HasProperty(const std::string& name) const { return FindProperty(name) != nullptr; }

  // Events by name ("OnClick"). Setting an event this class lacks raises.
  virtual bool HasEvent(const std::string& name) const;
  void SetEvent(const std::string& name, TEvent handler);
  bool Fire(const std::string& name, TEventArgs& args);  // false when unassigned
  bool Fire(const std::string& name);
  // The handler bound to an event, or an empty one.
  TEvent Event(const std::string& name) const;

  // Links two components so that each hears through Notification when the
  // other is freed, and neither keeps a pointer to a freed one.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Description hooks. Lists, binary data and collections come here; each
  // returns false for a name the class does not know.
  virtual bool ReadList(const std::string& name, const std::vector<std::string>& items);
  virtual bool ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes);
  virtual bool ReadCollection(const std::string& name,
                              const std::vector<std::vector<DfmProperty>>& items);
  virtual void DefineProperties(TFiler& filer);
  // The description nests this component inside `parent`.
  virtual void SetParentComponent(TComponent* parent);
  // After the whole description has been read.
  virtual void Loaded() {}
  // Whether this component lays its owner form out for the DPI of the
  // form's window itself (the form then leaves its controls alone when the
  // DPI differs from the one it was designed at, or changes).
  virtual bool LaysOutFormForDpi() const { return false; }
  // The form's handler for a name in the description, or an empty event.
  virtual TEvent FindHandler(const std::string& name);

 protected:
  virtual const PropertyDef* FindProperty(const std::string& name) const;
  // Looks `name` up in a class's property table.
  template <std::size_t N>
  static const PropertyDef* Lookup(const PropertyDef (&table)[N], const std::string& name) {
    for (const PropertyDef& p : table)
      if (name == p.name) return &p;
    return nullptr;
  }
  // The owner forgets a component being destroyed.
  void RemoveComponent(TComponent* component);
  // `freed` is going; drop every pointer to it.
  virtual void Notification(TComponent* freed) { (void)freed; }
  // Tells the linked components now; a destructor that still needs its
  // class's state to answer them calls it first.
  void SendFreeNotifications();
  // Points `field` at `target`, moving the free-notification link along;
  // false when it pointed there already.
  template <typename T>
  bool SetReference(T*& field, T* target) {
    if (field == target) return false;
    if (field) RemoveFreeNotification(field);
    field = target;
    if (target) FreeNotification(target);
    return true;
  }

 private:
  std::string name_;
  int tag_ = 0;
  TComponent* owner_;
  std::vector<TComponent*> components_;
  unsigned state_ = 0;
  std::map<std::string, TEvent> events_;
  std::vector<TComponent*> freeNotifies_;
};

// The component called `name` among `from`'s own components or else its
// owner's, as a T: what a property naming another component of a form means.
// Null for an empty name; raises EPropertyError when there is none.
template <typename T>
T* FindReference(const TComponent& from, const std::string& name) {
  if (name.empty()) return nullptr;
  TComponent* found = from.FindComponent(name);
  if (!found && from.Owner()) found = from.Owner()->FindComponent(name);
  T* typed = dynamic_cast<T*>(found);
  if (!typed) throw EPropertyError("Component " + name + " not found");
  return typed;
}

// Parsers shared by property setters; each raises EPropertyError on bad text.
int IntProp(const std::string& name, const std::string& text);
bool BoolProp(const std::string& name, const std::string& text);
int EnumProp(const std::string& name, const std::string& text,
             const std::vector<const char*>& names);

}  // namespace velotune
