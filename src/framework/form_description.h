// The parsed form of a form description: a tree of objects, each with its
// class, its name and its stored properties in file order. Every piece keeps
// the line it came from so that a property the reader rejects can be named
// with its place in the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velotune {

struct DfmProperty;

enum class DfmKind {
  kInteger,     // 12, -4, $0000FF00
  kIdent,       // True, bsSingle, clBtnFace
  kString,      // 'text' with #nnn codes and + joins
  kSet,         // [fsBold, fsItalic]
  kList,        // ( 'a' 'b' )
  kBinary,      // { 0A 54 ... }
  kCollection,  // < item ... end item ... end >
};

struct DfmValue {
  DfmKind kind = DfmKind::kInteger;
  std::int64_t integer = 0;
  std::string text;                // identifier or string
  std::vector<std::string> items;  // set members or list strings
  std::vector<std::uint8_t> bytes;
  std::vector<std::vector<DfmProperty>> collection;
};

struct DfmProperty {
  std::string name;  // dotted, e.g. "Font.Style"
  DfmValue value;
  int line = 0;
};

struct DfmObject {
  std::string name;
  std::string className;
  int line = 0;
  std::vector<DfmProperty> properties;
  std::vector<DfmObject> children;

  const DfmProperty* Find(const std::string& propertyName) const;
};

}  // namespace velotune
