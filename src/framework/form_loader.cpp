#include "framework/form_loader.h"

#include <map>
#include <string>

#include "framework/text_values.h"

namespace velotune {

void ComponentClasses::Register(const std::string& className, Factory factory) {
  factories_[className] = std::move(factory);
}

const ComponentClasses::Factory* ComponentClasses::Find(const std::string& className) const {
  auto it = factories_.find(className);
  return it == factories_.end() ? nullptr : &it->second;
}

namespace {

bool IsEventName(const std::string& name) {
  return name.size() > 2 && name[0] == 'O' && name[1] == 'n' && name.find('.') == std::string::npos;
}

void ApplyAll(TComponent& root, TComponent& component, const DfmObject& object,
              const std::string& file) {
  for (const DfmProperty& property : object.properties)
    ApplyProperty(root, component, property, file);
}

using ObjectLines = std::map<const TComponent*, int>;

void CreateChildren(TComponent& root, TComponent& parent, const DfmObject& object,
                    const std::string& file, const ComponentClasses& classes, ObjectLines* lines) {
  for (const DfmObject& child : object.children) {
    const ComponentClasses::Factory* factory = classes.Find(child.className);
    if (!factory)
      throw EFormDescriptionError(file, child.line, "Class " + child.className + " not found");
    TComponent* component = (*factory)(&root);
    (*lines)[component] = child.line;
    component->SetLoading(true);
    try {
      component->SetName(child.name);
      component->SetParentComponent(&parent);
    } catch (const EPropertyError& e) {
      throw EFormDescriptionError(file, child.line, e.what());
    }
    ApplyAll(root, *component, child, file);
    CreateChildren(root, *component, child, file, classes, lines);
  }
}

// The description's name for the root, or, when the owner already has a
// component of that name (a second copy of a window owned by the first),
// that name with the first free "_1", "_2", ... appended, so that any number
// of copies can be made.
std::string FreeRootName(const TComponent& root, const std::string& name) {
  const TComponent* owner = root.Owner();
  auto taken = [&](const std::string& candidate) {
    const TComponent* other = owner ? owner->FindComponent(candidate) : nullptr;
    return other && other != &root;
  };
  if (!taken(name)) return name;
  for (int n = 1;; ++n) {
    std::string candidate = name + "_" + std::to_string(n);
    if (!taken(candidate)) return candidate;
  }
}

}  // namespace

void ApplyProperty(TComponent& root, TComponent& component, const DfmProperty& property,
                   const std::string& file) {
  const std::string& name = property.name;
  const DfmValue& value = property.value;
  try {
    TFiler filer;
    component.DefineProperties(filer);
    if (const TFiler::Reader* reader = filer.Find(name)) {
      (*reader)(value);
      return;
    }
    if (IsEventName(name) && component.HasEvent(name)) {
      if (value.kind != DfmKind::kIdent) throw EPropertyError("Invalid property value for " + name);
      TEvent handler = root.FindHandler(value.text);
      if (!handler) throw EPropertyError("Handler '" + value.text + "' not found");
      component.SetEvent(name, std::move(handler));
      return;
    }
    bool known = false;
    std::string text;
    switch (value.kind) {
      case DfmKind::kList:
        known = component.ReadList(name, value.items);
        break;
      case DfmKind::kBinary:
        known = component.ReadBinary(name, value.bytes);
        break;
      case DfmKind::kCollection:
        known = component.ReadCollection(name, value.collection);
        break;
      default:
        if (!component.HasProperty(name)) break;
        DfmValueText(value, &text);
        component.SetPropText(name, text);
        known = true;
        break;
    }
    if (!known)
      throw EPropertyError("Property " + name + " does not exist in " + component.ClassName());
  } catch (const EPropertyError& e) {
    throw EFormDescriptionError(file, property.line,
                                std::string(e.what()) + " (" + component.Name() + "." + name + ")");
  }
}

void LoadComponentTree(TComponent& root, const DfmObject& description, const std::string& file,
                       const ComponentClasses& classes) {
  if (description.className != root.ClassName())
    throw EFormDescriptionError(
        file, description.line,
        "Expected class " + std::string(root.ClassName()) + " but found " + description.className);
  root.SetLoading(true);
  root.SetName(FreeRootName(root, description.name));
  ApplyAll(root, root, description, file);
  ObjectLines lines;
  lines[&root] = description.line;
  CreateChildren(root, root, description, file, classes, &lines);
  // Every component learns that loading is over, the root last. What it
  // rejects then (a reference to a missing component) is named at its object.
  std::vector<TComponent*> loaded(root.Components());
  loaded.push_back(&root);
  for (TComponent* c : loaded) {
    c->SetLoading(false);
    try {
      c->Loaded();
    } catch (const EFormDescriptionError&) {
      throw;
    } catch (const std::exception& e) {
      auto at = lines.find(c);
      throw EFormDescriptionError(file, at == lines.end() ? description.line : at->second,
                                  e.what());
    }
  }
}

}  // namespace velotune
