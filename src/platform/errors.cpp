#include "platform/errors.h"

namespace velotune {

namespace {
std::string OSErrorMessage(unsigned long code, const std::string& systemText) {
  if (code == 0) return "A call to an OS function failed";
  return "System Error.  Code: " + std::to_string(code) + ".\r\n" + systemText;
}
}  // namespace

EOSError::EOSError(unsigned long code, const std::string& systemText)
    : Exception(OSErrorMessage(code, systemText)), code_(code) {}

std::string FormatMessage1(const std::string& pattern, const std::string& arg) {
  std::string::size_type at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + arg + pattern.substr(at + 2);
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::string ErrorBoxText(const std::exception& e) {
  const std::string text = ErrorBoxText(e.what());
  const auto* registry = dynamic_cast<const ERegistryException*>(&e);
  if (!registry || registry->Key().empty()) return text;
  return text + "\r\n" + registry->Key();
}

std::string CannotCreateFileMessage(const std::string& path, const std::string& systemText) {
  std::string message = "Cannot create file \"" + path + "\".";
  if (!systemText.empty()) message += " " + systemText;
  return message;
}

}  // namespace velotune
