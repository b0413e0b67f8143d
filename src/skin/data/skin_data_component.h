// The skin holder as a form component: a form description's
// "object SkinData1: TSkinData" block creates it, its stored properties go to
// the TSkinData it owns, and its "SkinStream" bytes are decoded as they are read.
#pragma once

#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/form_loader.h"
#include "skin/data/skin_data.h"

namespace velotune {

class TSkinDataComponent : public TComponent {
 public:
  explicit TSkinDataComponent(TComponent* owner) : TComponent(owner) { data_.OwnerForm = owner; }
  const char* ClassName() const override { return "TSkinData"; }

  skin::TSkinData& Data() { return data_; }
  const skin::TSkinData& Data() const { return data_; }

  bool ReadList(const std::string& name, const std::vector<std::string>& items) override;
  void DefineProperties(TFiler& filer) override;
  void Loaded() override { data_.Loaded(); }

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;

 private:
  skin::TSkinData data_;
};

// Makes TSkinData known to the form description loader.
void RegisterSkinClasses(ComponentClasses& classes);

}  // namespace velotune
