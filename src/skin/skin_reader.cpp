#include "skin/skin_reader.h"

#include <algorithm>
#include <cstring>

#include "skin/lzh.h"
#include "skin/skin_environment.h"

namespace velotune::skin {

namespace {

constexpr size_t kHeaderSize = 16;

struct FormatRow {
  uint32_t code;
  int extra;
};
constexpr FormatRow kFormats[] = {
    {20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69},
};

// Each input bit yields at most one symbol of at most kMaxMatch bytes.
constexpr int64_t kMaxBytesPerInputByte = 8 * lzh::kMaxMatch;

int32_t ReadI32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return static_cast<int32_t>(v);  // the build is little-endian on every target
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t n = text.size();
  while (start < n) {
    size_t end = start;
    while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
    lines.push_back(text.substr(start, end - start));
    if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

int TSkinReader::ExtraBlockSize(uint32_t formatCode) {
  for (const FormatRow& row : kFormats)
    if (row.code == formatCode) return row.extra;
  return -1;
}

bool TSkinReader::UnpackStream(const Bytes& source, Bytes& target) {
  if (source.size() < 4) return false;
  const int32_t unpacked = ReadI32(source.data());
  const int64_t input = static_cast<int64_t>(source.size()) - 4;
  if (unpacked < 0 || unpacked > kMaxUnpackedSize ||
      unpacked > input * kMaxBytesPerInputByte + lzh::kMaxMatch)
    return false;
  const Bytes decoded = LzhDecodeBytes(source.data() + 4, source.size() - 4, unpacked);
  target.insert(target.end(), decoded.begin(), decoded.end());
  return true;
}

bool TSkinReader::LoadContainer(const Bytes& stored) {
  *this = TSkinReader();
  Bytes container;
  return UnpackStream(stored, container) && ReadContainer(container);
}

bool TSkinReader::ReadContainer(const Bytes& container) {
  *this = TSkinReader();
  if (container.size() < kHeaderSize) return false;
  formatCode_ = static_cast<uint32_t>(ReadI32(container.data()));
  nameListLength_ = ReadI32(container.data() + 4);
  const int extra = ExtraBlockSize(formatCode_);
  if (extra < 0) {
    if (ActiveSkinEnvironment().showMessage) ActiveSkinEnvironment().showMessage(kOlderSkinMessage);
    return false;
  }
  size_t pos = kHeaderSize + static_cast<size_t>(extra);
  if (nameListLength_ < 0 || pos > container.size() ||
      static_cast<size_t>(nameListLength_) > container.size() - pos)
    return false;
  const std::string nameList(reinterpret_cast<const char*>(container.data() + pos),
                             static_cast<size_t>(nameListLength_));
  pos += static_cast<size_t>(nameListLength_);
  names_ = SplitLines(LowerAscii(nameList));
  // The size table must be present in full; a list longer than it is damaged.
  if ((container.size() - pos) / 4 < names_.size()) return false;
  sizes_.resize(names_.size());
  for (size_t i = 0; i < names_.size(); ++i, pos += 4) sizes_[i] = ReadI32(container.data() + pos);
  itemData_.assign(container.begin() + static_cast<std::ptrdiff_t>(pos), container.end());
  // Offsets are summed once; a negative size counts as empty.
  offsets_.resize(names_.size());
  uint64_t offset = 0;
  for (size_t i = 0; i < names_.size(); ++i) {
    offsets_[i] = offset;
    if (sizes_[i] > 0) offset += static_cast<uint64_t>(sizes_[i]);
  }
  return true;
}

void TSkinReader::CopyItem(size_t index, Bytes& target) const {
  const uint64_t available = itemData_.size();
  const uint64_t begin = std::min(offsets_[index], available);
  const uint64_t size = sizes_[index] > 0 ? static_cast<uint64_t>(sizes_[index]) : 0;
  // An item that runs past the data is cut at its end.
  const uint64_t end = std::min(available, begin + size);
  target.assign(itemData_.begin() + static_cast<std::ptrdiff_t>(begin),
                itemData_.begin() + static_cast<std::ptrdiff_t>(end));
}

void TSkinReader::GetItem(const std::string& name, Bytes& target) const {
  target.clear();
  const std::string lowered = LowerAscii(name);
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == lowered) {
      CopyItem(i, target);
      return;
    }
  }
}

std::string TSkinReader::FindItem(const std::string& text, Bytes& target) const {
  target.clear();
  for (size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(text) != std::string::npos) {
      CopyItem(i, target);
      return names_[i];
    }
  }
  return std::string();
}

}  // namespace velotune::skin
