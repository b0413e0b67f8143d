// The exceptions that carry the program's user-facing failure messages. Event
// handlers never catch them; the application's default handler shows them.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace velotune {

// Base of every failure the error box shows; what() is the exact message.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Raised by the registry accessor ("Failed to set data for '%s'", ...),
// with the full name of the key it concerns when that is known.
class ERegistryException : public Exception {
 public:
  explicit ERegistryException(const std::string& message, std::string key = std::string())
      : Exception(message), key_(std::move(key)) {}
  const std::string& Key() const { return key_; }

 private:
  std::string key_;
};

// Raised when a system call fails, with the system's text for the code.
class EOSError : public Exception {
 public:
  EOSError(unsigned long code, const std::string& systemText);
  unsigned long ErrorCode() const { return code_; }

 private:
  unsigned long code_;
};

// Raised when a file cannot be created ("Cannot create file "%s". ...").
class EFCreateError : public Exception {
 public:
  using Exception::Exception;
};

// Raised by CreateRegKey ("Error creating system registry entry").
class EOleRegistrationError : public Exception {
 public:
  using Exception::Exception;
};

// "%s" replaced by the argument (only the first occurrence is filled).
std::string FormatMessage1(const std::string& pattern, const std::string& arg);

// The text the error box shows for a message: a "." is appended when the
// message's last character sorts after "." (a letter, digit, backslash...).
std::string ErrorBoxText(const std::string& message);
// The error box's text for a failure, and the command line's: for a registry
// failure the key it concerns follows on a line of its own, since the
// message names only the value.
std::string ErrorBoxText(const std::exception& e);

// The message of a failed file creation, naming the path and the reason.
std::string CannotCreateFileMessage(const std::string& path, const std::string& systemText);

}  // namespace velotune
