// Unpacks a stored skin and hands out its items (bitmaps, the INI text).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velotune::skin {

using Bytes = std::vector<uint8_t>;

class TSkinReader {
 public:
  // Largest unpacked container accepted; a bigger stated size is damaged data.
  static constexpr int32_t kMaxUnpackedSize = 64 * 1024 * 1024;
  static constexpr const char* kOlderSkinMessage =
      "This is Older Skin File\rPlease update to new version !";

  // Unpacks the stored skin and reads the container's header, names and sizes.
  // False for an unknown format code (after the message box) or a container
  // too damaged to read.
  bool LoadContainer(const Bytes& stored);
  // The same over an already unpacked container.
  bool ReadContainer(Bytes container);

  // Appends to target the bytes the stored skin unpacks to: a 32-bit unpacked
  // size, then the LZHUF stream. A size that is negative or impossible for the
  // input (or above kMaxUnpackedSize) unpacks to nothing and answers false.
  static bool UnpackStream(const Bytes& source, Bytes& target);

  // Copies the item whose name equals name (ignoring ASCII case) into target;
  // no match leaves target empty.
  void GetItem(const std::string& name, Bytes& target) const;
  // The bytes of that item inside the container, without a copy; false when
  // there is no such item.
  bool ViewItem(const std::string& name, const uint8_t** data, size_t* size) const;
  // Copies the first item whose name contains text; returns its name or "".
  std::string FindItem(const std::string& text, Bytes& target) const;

  uint32_t FormatCode() const { return formatCode_; }
  int32_t NameListLength() const { return nameListLength_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // The item names, lowered, in list order.
  std::vector<std::string> Names() const;
  std::vector<int32_t> Sizes() const;
  size_t ItemDataSize() const { return container_.size() - dataStart_; }
  // The unpacked container's size: what the whole skin is measured against.
  size_t ContainerSize() const { return container_.size(); }

  // Size of the extra block for a format code, or -1 when the code is unknown.
  static int ExtraBlockSize(uint32_t formatCode);

 private:
  struct Item {
    uint32_t nameBegin;  // in names_
    uint32_t nameLength;
    int32_t size;
    uint64_t offset;  // from the start of the item data
  };
  std::string_view NameOf(const Item& item) const {
    return std::string_view(names_).substr(item.nameBegin, item.nameLength);
  }
  const Item* Find(const std::string& name) const;
  // The item's bytes, cut at the end of the item data.
  void Bounds(const Item& item, const uint8_t** data, size_t* size) const;

  uint32_t formatCode_ = 0;
  int32_t nameListLength_ = 0;
  std::string names_;             // the lowered name list
  std::vector<Item> items_;       // in list order
  std::vector<uint32_t> byName_;  // item indexes sorted by name, then index
  Bytes container_;
  size_t dataStart_ = 0;
};

// Calls line(begin, end) for each line of text[0, size), lines ending at CR LF,
// CR or LF; a trailing break adds no line. Nothing is allocated.
template <typename LineFn>
void ForEachLine(const char* text, size_t size, LineFn&& line) {
  size_t start = 0;
  while (start < size) {
    size_t end = start;
    while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
    line(start, end);
    if (end < size && text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

std::string LowerAscii(std::string text);
inline char LowerAsciiChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace velotune::skin
