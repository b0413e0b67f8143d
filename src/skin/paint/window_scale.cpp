#include "skin/paint/window_scale.h"

#include "framework/form.h"
#include "framework/window_dpi.h"

namespace velotune::skin {

DpiScale ScaleOfWindow(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  if (!root) root = window;
  int dpi = 0;
  if (const auto* form = dynamic_cast<const TForm*>(TWinControl::FromHandle(root)))
    dpi = form->Dpi();
  if (dpi <= 0) dpi = WindowDpi(root);
  return DpiScale(dpi, dpi);
}

int SystemMetricAt(int index, const DpiScale& scale) {
  return MulDiv(GetSystemMetrics(index), scale.Dpi(), SystemDpi());
}

bool NonClientMetricsAt(const DpiScale& scale, NONCLIENTMETRICSA* metrics) {
  *metrics = {};
  metrics->cbSize = sizeof(*metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(*metrics), metrics, 0)) return false;
  const int system = SystemDpi();
  for (LOGFONTA* font : {&metrics->lfCaptionFont, &metrics->lfSmCaptionFont, &metrics->lfMenuFont,
                         &metrics->lfStatusFont, &metrics->lfMessageFont})
    font->lfHeight = MulDiv(font->lfHeight, scale.Dpi(), system);
  return true;
}

}  // namespace velotune::skin
