#include <windows.h>

#include "platform/win32_system.h"

namespace velotune {

// A token that cannot be read counts as not elevated: the check that asks
// then stops before anything is changed, instead of failing halfway.
bool Win32Processes::Elevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const BOOL read = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
  CloseHandle(token);
  return read && elevation.TokenIsElevated != 0;
}

}  // namespace velotune
