#include "framework/timer.h"

#include <map>

#include "framework/application.h"
#include "framework/text_values.h"

namespace velotune {

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}

TTimer& T(TComponent& c) {
  return static_cast<TTimer&>(c);
}
const TTimer& T(const TComponent& c) {
  return static_cast<const TTimer&>(c);
}

const PropertyDef kTimerProperties[] = {
    {"Enabled", [](const TComponent& c) { return std::string(T(c).Enabled() ? "True" : "False"); },
     [](TComponent& c, const std::string& v) { T(c).SetEnabled(BoolProp("Enabled", v)); }},
    {"Interval", [](const TComponent& c) { return IntText(static_cast<int>(T(c).Interval())); },
     [](TComponent& c, const std::string& v) {
       int interval = IntProp("Interval", v);
       if (interval < 0) throw EPropertyError("Invalid property value '" + v + "' for Interval");
       T(c).SetInterval(static_cast<unsigned>(interval));
     }},
};
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  enabled_ = false;
  Update();
}

const PropertyDef* TTimer::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kTimerProperties, name)) return p;
  return TComponent::FindProperty(name);
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void TTimer::SetInterval(unsigned interval) {
  interval_ = interval;
  Update();
}

void TTimer::Update() {
  if (id_) {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  // Ticks start once the description has been read.
  if (!enabled_ || interval_ == 0 || (ComponentState() & (csLoading | csDestroying))) return;
  id_ = SetTimer(nullptr, 0, interval_, TimerProc);
  if (id_) Timers()[id_] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  try {
    it->second->Fire("OnTimer");
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
}

}  // namespace velotune
