// A window timer that fires OnTimer every Interval milliseconds while
// enabled; its ticks arrive through the message loop like any message.
#pragma once

#include <windows.h>

#include "framework/component.h"

namespace velotune {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  const char* ClassName() const override { return "TTimer"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned interval);
  bool HasEvent(const std::string& name) const override { return name == "OnTimer"; }
  void Loaded() override { Update(); }

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;

 private:
  void Update();
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  bool enabled_ = true;
  unsigned interval_ = 1000;
  UINT_PTR id_ = 0;
};

}  // namespace velotune
