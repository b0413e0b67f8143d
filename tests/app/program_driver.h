// Starts velotune.exe and looks at it from outside: its top-level windows,
// their controls, status-bar texts and the message boxes it shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace velotune {

class ProgramDriver {
 public:
  ~ProgramDriver();
  // Starts the program (beside this test); false when it cannot start.
  bool Start();
  // Closes every window of the program and waits for it to end.
  void Stop();
  bool Running() const;
  // Clears the program's keys, switches the Donate dialog at start off, starts
  // the program and waits for its main window; null when it did not come.
  HWND StartToMainWindow(DWORD timeoutMs);

  // The program's visible top-level window with this caption (and class,
  // when given), waiting up to `timeoutMs`; null when none came.
  HWND WaitForWindow(const std::string& caption, const std::string& className, DWORD timeoutMs);
  // Every visible top-level window of the program.
  std::vector<HWND> TopWindows() const;

  static std::string Text(HWND window);
  static std::string ClassOf(HWND window);
  // Descendants of `parent` with the class and, when non-empty, the text.
  static std::vector<HWND> Find(HWND parent, const std::string& className,
                                const std::string& text = "");
  static HWND FindOne(HWND parent, const std::string& className, const std::string& text = "");
  // The tab captions shown by a tab control, in order.
  std::vector<std::string> TabTexts(HWND tabs) const;
  // A status bar panel's text.
  std::string StatusText(HWND bar, int panel) const;
  // Clicks a client point of a window (mouse down and up), as a user would
  // on a control painted there.
  static void ClickAt(HWND window, int x, int y);
  static void DoubleClickAt(HWND window, int x, int y);
  // Presses a push button or ticks a check box (BM_CLICK, not waiting).
  static void Press(HWND button);
  // Waits until `done` holds or the time is up; true when it held.
  static bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs);
  // The text of a message box, from its static text.
  static std::string MessageBoxText(HWND box);

  // The full path this test expects the program at.
  static std::string ProgramPath();

 private:
  PROCESS_INFORMATION process_{};
};

// The program's registry data, read and reset directly.
void DeleteProgramKeys();
// A string value of HKEY_CURRENT_USER\key; "<missing>" when there is none.
std::string ReadUserString(const std::string& key, const std::string& name);
void WriteUserString(const std::string& key, const std::string& name, const std::string& value);
void WriteUserDword(const std::string& key, const std::string& name, DWORD value);

}  // namespace velotune
