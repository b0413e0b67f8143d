// The ";"-separated control-name lists of the resize kit (controls whose font
// or bounds are left alone).
#pragma once

#include <string>
#include <vector>

namespace velotune {

using NameList = std::vector<std::string>;

// Splits at every ";". Each piece before a ";" is kept as it is (empty pieces
// and blanks included); the rest after the last ";" only when not empty.
NameList ParseNameList(const std::string& text);

// Whether the list holds the name, ignoring letter case but not blanks.
bool NameListContains(const NameList& list, const std::string& name);

}  // namespace velotune
