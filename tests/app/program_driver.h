// Starts velotune.exe and drives it from outside, as a user would: finds its
// windows and controls by class or caption, clicks, ticks, types and presses,
// reads status-bar texts, and notices the message boxes it shows.
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
  // Starts the program from another path (a copy elsewhere).
  bool Start(const std::string& exePath);
  // Clears the program's keys, switches the Donate dialog at start off, starts
  // the program and waits for its main window; null when it did not come.
  HWND StartToMainWindow(DWORD timeoutMs);
  // The main window StartToMainWindow found.
  HWND Main() const { return main_; }

  // The program's visible top-level window with this caption (and class,
  // when given), waiting up to `timeoutMs`; null when none came.
  HWND WaitForWindow(const std::string& caption, const std::string& className, DWORD timeoutMs);
  // Every visible top-level window of the program.
  std::vector<HWND> TopWindows() const;

  static std::string Text(HWND window);
  static std::string ClassOf(HWND window);
  // Descendants of `parent` with the class (any, when empty) and, when
  // non-empty, the text.
  static std::vector<HWND> Find(HWND parent, const std::string& className,
                                const std::string& text = "");
  static HWND FindOne(HWND parent, const std::string& className, const std::string& text = "");
  // Of several windows, the one that shares the deepest ancestor with the
  // marker: the "&Save Changes" button on the marker's page.
  static HWND Nearest(const std::vector<HWND>& candidates, HWND marker);
  static bool Checked(HWND box);
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

  // Working the main window's controls; each waits until the program has
  // handled what it was sent.
  // Moves through the page control's tabs until the control is showing.
  bool ShowPageOf(HWND control);
  // The sidebar's inner panel, which holds the TWEAK and FIX buttons.
  static HWND Sidebar(HWND main);
  // Clicks FIX (or TWEAK) in the main window's sidebar.
  static void ClickSidebar(HWND main, bool fix);
  // Shows every page once, the FIX page too, and comes back to the first
  // tweak page: a page's controls have windows once it has been shown.
  void ShowEveryPage();
  // Clicks a button, check box or radio button.
  void Click(HWND button);
  void SetChecked(HWND box, bool checked);
  void SetEditText(HWND edit, const std::string& text);
  // Sends a key to a control, as when it has the focus (e.g. VK_HOME).
  void Key(HWND control, int virtualKey);
  // Presses the button and waits until the program has handled the click
  // (a save that runs the registry editor takes a while). Returns the text of
  // the error box the program showed meanwhile, after closing it; empty when
  // there was none.
  std::string PressAndTakeErrorBox(HWND button, DWORD timeoutMs = 120000);
  // The same for a double-click on a point of the main window given in its
  // design coordinates (scaled to its present client size).
  std::string DoubleClickAndTakeErrorBox(int designX, int designY, DWORD timeoutMs = 120000);
  // The text of a message box the program shows now (closing it), or empty.
  std::string TakeErrorBox();
  // Waits until the main window handles messages again.
  bool WaitIdle(DWORD timeoutMs);

  // The full path this test expects the program at.
  static std::string ProgramPath();

 private:
  std::string RunBlocking(HWND target, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs);

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// The program's registry data, read and reset directly.
void DeleteProgramKeys();
// A string value of HKEY_CURRENT_USER\key; "<missing>" when there is none.
std::string ReadUserString(const std::string& key, const std::string& name);
void WriteUserString(const std::string& key, const std::string& name, const std::string& value);
void WriteUserDword(const std::string& key, const std::string& name, DWORD value);

}  // namespace velotune
