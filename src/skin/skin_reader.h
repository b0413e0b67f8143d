// Unpacks a stored skin and hands out its items (bitmaps, the INI text).
#pragma once

#include <cstdint>
#include <string>
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
  bool ReadContainer(const Bytes& container);

  // Appends to target the bytes the stored skin unpacks to: a 32-bit unpacked
  // size, then the LZHUF stream. A size that is negative or impossible for the
  // input (or above kMaxUnpackedSize) unpacks to nothing and answers false.
  static bool UnpackStream(const Bytes& source, Bytes& target);

  // Copies the item whose name equals name (ignoring ASCII case) into target;
  // no match leaves target empty.
  void GetItem(const std::string& name, Bytes& target) const;
  // Copies the first item whose name contains text; returns its name or "".
  std::string FindItem(const std::string& text, Bytes& target) const;

  uint32_t FormatCode() const { return formatCode_; }
  int32_t NameListLength() const { return nameListLength_; }
  int ItemCount() const { return static_cast<int>(names_.size()); }
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<int32_t>& Sizes() const { return sizes_; }
  const Bytes& ItemData() const { return itemData_; }

  // Size of the extra block for a format code, or -1 when the code is unknown.
  static int ExtraBlockSize(uint32_t formatCode);

 private:
  void CopyItem(size_t index, Bytes& target) const;

  uint32_t formatCode_ = 0;
  int32_t nameListLength_ = 0;
  std::vector<std::string> names_;
  std::vector<int32_t> sizes_;
  std::vector<uint64_t> offsets_;
  Bytes itemData_;
};

// Splits text into lines at CR LF, CR or LF; a trailing break adds no line.
std::vector<std::string> SplitLines(const std::string& text);
std::string LowerAscii(std::string text);

}  // namespace velotune::skin
