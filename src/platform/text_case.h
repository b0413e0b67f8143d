// Text compared and folded without regard to case, the one way the program
// does it: letters as the C locale knows them (A to Z), other bytes as they
// are.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>

namespace velotune {

inline char LowerChar(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

inline std::string LowerText(std::string text) {
  for (char& c : text) c = LowerChar(c);
  return text;
}

inline std::string UpperText(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Whether `part` stands in `text` at `at`, but for case.
inline bool SameTextAt(const std::string& text, std::size_t at, const std::string& part) {
  if (at > text.size() || text.size() - at < part.size()) return false;
  for (std::size_t i = 0; i < part.size(); ++i)
    if (LowerChar(text[at + i]) != LowerChar(part[i])) return false;
  return true;
}

// Whether two texts are the same but for case.
inline bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && SameTextAt(a, 0, b);
}

}  // namespace velotune
