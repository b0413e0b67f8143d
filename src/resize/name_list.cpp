#include "resize/name_list.h"

#include <cctype>

#include "platform/text_case.h"

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

namespace {}  // namespace

bool NameListContains(const NameList& list, const std::string& name) {
  for (const std::string& entry : list)
    if (SameText(entry, name)) return true;
  return false;
}

}  // namespace velotune
