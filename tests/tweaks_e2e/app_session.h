// Drives a running velotune.exe from outside, as a user would: finds its
// controls by caption or class, clicks them, types into edits and presses
// buttons, and notices the error boxes the program shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velotune {

class AppSession {
 public:
  AppSession() = default;
  ~AppSession();
  AppSession(const AppSession&) = delete;
  AppSession& operator=(const AppSession&) = delete;

  // Starts the program and waits for its main window; false with the reason.
  bool Start(const std::string& exePath, std::string* error);
  // Closes the main window and waits for the program to end.
  void Stop();
  HWND Main() const { return main_; }

  // Every descendant window whose text is exactly the caption.
  std::vector<HWND> WithCaption(const std::string& caption) const;
  // Every descendant window of the class (compared without case).
  std::vector<HWND> OfClass(const std::string& className) const;
  // The one descendant with the caption; null when there is none or several.
  HWND Control(const std::string& caption) const;
  // Of several windows, the one that shares the deepest ancestor with the
  // marker: the "&Save Changes" button on the marker's page.
  static HWND Nearest(const std::vector<HWND>& candidates, HWND marker);

  static std::string Text(HWND window);
  static bool Checked(HWND box);
  // Moves through the page control's tabs until the control is showing.
  bool ShowPageOf(HWND control);
  // The one track bar, or null.
  HWND TrackBar() const;
  static int TrackBarPosition(HWND bar);
  // Clicks a check box when its state differs, or a radio button.
  void Click(HWND button);
  void SetChecked(HWND box, bool checked);
  void SetEditText(HWND edit, const std::string& text);
  // Sends a key to a control, as when it has the focus (e.g. VK_HOME).
  void Key(HWND control, int virtualKey);

  // Presses the button and waits until the program has handled the click
  // (a save that runs the registry editor takes a while). Returns the text of
  // the error box the program showed meanwhile, after closing it; empty when
  // there was none.
  std::string Press(HWND button, DWORD timeoutMs = 120000);
  // Double-clicks the client point (in the main window's design coordinates
  // scaled to its present client size).
  std::string DoubleClick(int designX, int designY, DWORD timeoutMs = 120000);
  // The text of an error box the program shows now (closing it), or empty.
  std::string TakeErrorBox();
  // Waits until the program handles messages again.
  bool WaitIdle(DWORD timeoutMs);

 private:
  std::string RunBlocking(HWND target, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs);

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace velotune
