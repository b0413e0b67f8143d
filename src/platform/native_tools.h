// A 32-bit program on 64-bit Windows runs under WOW64: a registry editor or
// command interpreter it starts by bare name comes from the redirected system
// folder and is the 32-bit one, whose imports land in the 32-bit registry view
// (HKLM\Software\Wow6432Node), where 64-bit Windows never reads them. These
// functions name the 64-bit tools instead.
#pragma once

#include <string>

namespace velotune {

// The command line with its program replaced when that is the registry editor
// ("regedit" or "regedit.exe") or the command interpreter ("cmd" or "cmd.exe")
// named without a folder: by `windowsFolder`\regedit.exe, or by
// `windowsFolder`\Sysnative\cmd.exe, the alias through which a 32-bit process
// reaches the 64-bit system folder. The rest of the line is kept byte for
// byte; any other command line comes back unchanged.
std::string NativeToolCommandLine(const std::string& commandLine, const std::string& windowsFolder);

// True when the command line starts `windowsFolder`\regedit.exe. The
// file-system redirector hands a 32-bit process the 32-bit copy for that path
// too, so it must be started with redirection off.
bool StartsWindowsRegistryEditor(const std::string& commandLine, const std::string& windowsFolder);

}  // namespace velotune
