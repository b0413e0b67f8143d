// Installs the system's answers for the skin code: system colours, metrics,
// flat scroll bar support and the message box.
#pragma once

namespace velotune::skin {

void InstallWin32SkinEnvironment();

}  // namespace velotune::skin
