// Creates a form's components from its parsed description: every object
// becomes a component owned by the root, nested in its enclosing object, with
// its stored properties set and its events bound to the root's handlers. Any
// problem raises EFormDescriptionError naming the file and the line.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "framework/component.h"
#include "framework/dfm_parser.h"

namespace velotune {

class ComponentClasses {
 public:
  using Factory = std::function<TComponent*(TComponent* owner)>;
  void Register(const std::string& className, Factory factory);
  const Factory* Find(const std::string& className) const;

  template <typename T>
  void Add() {
    Register(T(nullptr).ClassName(), [](TComponent* owner) { return new T(owner); });
  }

 private:
  std::map<std::string, Factory> factories_;
};

// `root` must already exist and carry the class named in the description.
void LoadComponentTree(TComponent& root, const DfmObject& description, const std::string& file,
                       const ComponentClasses& classes);

// Sets one stored property of `component` (events bound through `root`).
void ApplyProperty(TComponent& root, TComponent& component, const DfmProperty& property,
                   const std::string& file);

}  // namespace velotune
