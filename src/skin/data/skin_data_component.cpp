#include "skin/data/skin_data_component.h"

#include <array>
#include <utility>

namespace velotune {

namespace {

// The published properties a description may store, in declaration order.
constexpr const char* kPropertyNames[] = {
    "Active",    "DisableTag",   "SkinControls", "Options",    "SkinFile",
    "SkinStore", "SkinFormtype", "Version",      "MenuUpdate", "MenuMerge",
};

template <int I>
std::string GetProperty(const TComponent& c) {
  std::string text;
  static_cast<const TSkinDataComponent&>(c).Data().GetPropertyText(kPropertyNames[I], &text);
  return text;
}

template <int I>
void SetProperty(TComponent& c, const std::string& value) {
  skin::TSkinData& data = static_cast<TSkinDataComponent&>(c).Data();
  // Values read from a description are stored; Active set later takes effect.
  data.Reading = (c.ComponentState() & csLoading) != 0;
  if (I == 0 && !data.Reading) {
    data.SetActive(BoolProp("Active", value));
    return;
  }
  if (!data.SetPropertyText(kPropertyNames[I], value))
    throw EPropertyError("Invalid property value for " + std::string(kPropertyNames[I]));
}

template <int... I>
constexpr std::array<PropertyDef, sizeof...(I)> MakeTable(std::integer_sequence<int, I...>) {
  return {{{kPropertyNames[I], &GetProperty<I>, &SetProperty<I>}...}};
}

const auto kProperties = MakeTable(
    std::make_integer_sequence<int, sizeof(kPropertyNames) / sizeof(kPropertyNames[0])>());

}  // namespace

const PropertyDef* TSkinDataComponent::FindProperty(const std::string& name) const {
  for (const PropertyDef& p : kProperties)
    if (name == p.name) return &p;
  return TComponent::FindProperty(name);
}

bool TSkinDataComponent::ReadList(const std::string& name, const std::vector<std::string>& items) {
  if (name != "Skin3rd.Strings") return TComponent::ReadList(name, items);
  data_.Skin3rd = items;
  return true;
}

void TSkinDataComponent::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineProperty("SkinStream", [this](const DfmValue& value) {
    if (value.kind != DfmKind::kBinary)
      throw EPropertyError("Invalid property value for SkinStream");
    // Damaged skin bytes leave the skin empty; they never stop the form.
    data_.Designing = (ComponentState() & csDesigning) != 0;
    data_.ReadSkinStream(value.bytes.data(), value.bytes.size());
  });
}

void RegisterSkinClasses(ComponentClasses& classes) {
  classes.Add<TSkinDataComponent>();
}

}  // namespace velotune
