// The application object: title, main form, the message loop, modal loops,
// and the default handler that shows every unhandled failure in an error box.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace velotune {

class TForm;

class TApplication {
 public:
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  TForm* MainForm() const { return mainForm_; }
  // The first form created becomes the main form unless one is set.
  void SetMainForm(TForm* form) { mainForm_ = form; }

  // Runs until the main form closes (or Terminate).
  void Run();
  // Handles one message; false when WM_QUIT was read.
  bool HandleMessage();
  void ProcessMessages();
  // Runs the loop until the form's modal result is set.
  void RunModal(TForm& form);
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The error box: stop icon, OK, the title as caption, the "." rule; a text
  // too tall for the screen is cut to fit.
  void HandleException(const std::exception& e);
  // Replaces the error box, for tests that must not block.
  void (*onException)(const std::exception& e) = nullptr;

 private:
  bool Dispatch(MSG& msg);
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

TApplication& Application();

// A question box (question icon, Yes and No, caption "Confirm"); mrYes or mrNo.
int MessageDlgYesNo(const std::string& text);
// A modal box with a prompt and an edit holding `value`; returns the edit's
// text on OK, `value` otherwise.
std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& value);

}  // namespace velotune
