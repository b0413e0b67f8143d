#include "resize/resize_kit.h"

#include <vector>

#include "framework/text_values.h"
#include "resize/resize_errors.h"

#ifdef _WIN32
#include "resize/kit_window.h"
#endif

namespace velotune {

namespace {

TResizeKit& Kit(TComponent& c) {
  return static_cast<TResizeKit&>(c);
}
const TResizeKit& Kit(const TComponent& c) {
  return static_cast<const TResizeKit&>(c);
}

std::string BoolText(bool value) {
  return value ? "True" : "False";
}

int SizeValue(const TResizeKit& kit, SizeProperty property) {
  switch (property) {
    case SizeProperty::kFormWidth:
      return kit.FormWidth();
    case SizeProperty::kFormHeight:
      return kit.FormHeight();
    case SizeProperty::kMaxWidth:
      return kit.Limits().maxWidth;
    case SizeProperty::kMaxHeight:
      return kit.Limits().maxHeight;
    case SizeProperty::kMinWidth:
      return kit.Limits().minWidth;
    default:
      return kit.Limits().minHeight;
  }
}

#define VELOTUNE_SIZE_PROPERTY(NAME, PROPERTY)                                                  \
  {                                                                                             \
    NAME, [](const TComponent& c) { return IntText(SizeValue(Kit(c), PROPERTY)); },             \
        [](TComponent& c, const std::string& v) { Kit(c).SetSize(PROPERTY, IntProp(NAME, v)); } \
  }

// In declaration order, the order a form description stores them in.
const PropertyDef kKitProperties[] = {
    {"FormPos",
     [](const TComponent& c) { return std::string(kResizeFormPosNames[Kit(c).FormPos()]); },
     [](TComponent& c, const std::string& v) {
       const std::vector<const char*> names(std::begin(kResizeFormPosNames),
                                            std::end(kResizeFormPosNames));
       Kit(c).SetFormPos(static_cast<TResizeFormPos>(EnumProp("FormPos", v, names)));
     }},
    VELOTUNE_SIZE_PROPERTY("FormWidth", SizeProperty::kFormWidth),
    VELOTUNE_SIZE_PROPERTY("FormHeight", SizeProperty::kFormHeight),
    VELOTUNE_SIZE_PROPERTY("FormMaxWidth", SizeProperty::kMaxWidth),
    VELOTUNE_SIZE_PROPERTY("FormMaxHeight", SizeProperty::kMaxHeight),
    VELOTUNE_SIZE_PROPERTY("FormMinWidth", SizeProperty::kMinWidth),
    VELOTUNE_SIZE_PROPERTY("FormMinHeight", SizeProperty::kMinHeight),
    {"ResizeFont", [](const TComponent& c) { return BoolText(Kit(c).ResizeFont()); },
     [](TComponent& c, const std::string& v) { Kit(c).SetResizeFont(BoolProp("ResizeFont", v)); }},
    {"NoResizeFntCtl", [](const TComponent& c) { return Kit(c).NoResizeFntCtl(); },
     [](TComponent& c, const std::string& v) { Kit(c).SetNoResizeFntCtl(v); }},
    {"NoResizeCtl", [](const TComponent& c) { return Kit(c).NoResizeCtl(); },
     [](TComponent& c, const std::string& v) { Kit(c).SetNoResizeCtl(v); }},
    {"Enabled", [](const TComponent& c) { return BoolText(Kit(c).Enabled()); },
     [](TComponent& c, const std::string& v) { Kit(c).SetEnabled(BoolProp("Enabled", v)); }},
    {"ValidTaskbar", [](const TComponent& c) { return BoolText(Kit(c).ValidTaskbar()); },
     [](TComponent& c, const std::string& v) {
       Kit(c).SetValidTaskbar(BoolProp("ValidTaskbar", v));
     }},
};

#undef VELOTUNE_SIZE_PROPERTY

}  // namespace

TResizeKit::TResizeKit(TComponent* owner) : TComponent(owner) {
#ifdef _WIN32
  KitWindowCreated(*this);
#endif
}

TResizeKit::~TResizeKit() {
#ifdef _WIN32
  KitWindowDestroyed(*this);
#endif
}

const PropertyDef* TResizeKit::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kKitProperties, name)) return p;
  return TComponent::FindProperty(name);
}

bool TResizeKit::HasEvent(const std::string& name) const {
  return name == "OnExitResize" || TComponent::HasEvent(name);
}

void TResizeKit::SetFormPos(TResizeFormPos pos) {
  if (pos == formPos_) return;
  formPos_ = pos;
#ifdef _WIN32
  if (!Designing()) KitWindowPlaceNow(*this);
#endif
}

void TResizeKit::SetSize(SizeProperty property, int value) {
  const std::string problem = SizeValueProblem(size_, property, value, IsJapaneseLocale());
  if (!problem.empty()) throw EInvalidOperation(InUserCodePage(problem));
  SetSizeProperty(size_, property, value, false);
  layoutSettings_.formWidth = size_.formWidth;
  layoutSettings_.formHeight = size_.formHeight;
}

void TResizeKit::SetNoResizeFntCtl(const std::string& names) {
  noResizeFntCtl_ = names;
  if (!Designing()) layoutSettings_.noResizeFnt = ParseNameList(names);
}

void TResizeKit::SetNoResizeCtl(const std::string& names) {
  noResizeCtl_ = names;
  if (!Designing()) layoutSettings_.noResize = ParseNameList(names);
}

void TResizeKit::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
#ifdef _WIN32
  if (!Designing()) KitWindowSetIntercepting(*this, enabled);
#endif
}

void TResizeKit::SetDesign(int frmW, int frmH, int dpiW, int dpiH) {
  layoutSettings_.designFrmW = frmW;
  layoutSettings_.designFrmH = frmH;
  layoutSettings_.designDpiW = dpiW;
  layoutSettings_.designDpiH = dpiH;
}

void TResizeKit::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  auto reader = [](int* field) {
    return [field](const DfmValue& value) {
      if (value.kind != DfmKind::kInteger) throw EPropertyError("Invalid property value");
      *field = static_cast<int>(value.integer);
    };
  };
  filer.DefineProperty("DesignFrmW", reader(&layoutSettings_.designFrmW));
  filer.DefineProperty("DesignFrmH", reader(&layoutSettings_.designFrmH));
  filer.DefineProperty("DesignDpiW", reader(&layoutSettings_.designDpiW));
  filer.DefineProperty("DesignDpiH", reader(&layoutSettings_.designDpiH));
}

void TResizeKit::Loaded() {
  TComponent::Loaded();
  if (Designing()) return;
#ifdef _WIN32
  KitWindowLoaded(*this);
#endif
}

void TResizeKit::ExitResize() {
  if (onExitResize_) onExitResize_(*this, layout_.xScale, layout_.yScale);
  Fire("OnExitResize");
}

int TResizeKit::HeightAtScreenDpi(int designHeight) const {
  return ToScreenSize(designHeight, layoutSettings_.designDpiH, layout_.screenDpiY);
}

void RegisterResizeKitClass(ComponentClasses& classes) {
  classes.Add<TResizeKit>();
}

}  // namespace velotune
