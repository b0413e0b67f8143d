#include "resize/name_list.h"

#include <cctype>

namespace velotune {

NameList ParseNameList(const std::string& text) {
  NameList names;
  std::string::size_type start = 0;
  for (std::string::size_type semi = text.find(';'); semi != std::string::npos;
       semi = text.find(';', start)) {
    names.push_back(text.substr(start, semi - start));
    start = semi + 1;
  }
  if (start < text.size()) names.push_back(text.substr(start));
  return names;
}

namespace {
bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::string::size_type i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}
}  // namespace

bool NameListContains(const NameList& list, const std::string& name) {
  for (const std::string& entry : list)
    if (SameTextIgnoringCase(entry, name)) return true;
  return false;
}

}  // namespace velotune
