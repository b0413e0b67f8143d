#include "skin/data/skin_reader.h"

#include <algorithm>
#include <cstring>

#include "skin/data/lzh.h"
#include "skin/data/skin_environment.h"

namespace velotune::skin {

namespace {

constexpr size_t kHeaderSize = 16;
constexpr int kMaxMatch = 60;

struct FormatRow {
  uint32_t code;
  int extra;
};
constexpr FormatRow kFormats[] = {
    {20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69},
};

// Each input bit yields at most one symbol of at most kMaxMatch bytes.
constexpr int64_t kMaxBytesPerInputByte = 8 * kMaxMatch;

int32_t ReadI32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return static_cast<int32_t>(v);  // the build is little-endian on every target
}

}  // namespace

std::string LowerAscii(std::string text) {
  for (char& c : text) c = LowerAsciiChar(c);
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
      unpacked > input * kMaxBytesPerInputByte + kMaxMatch)
    return false;
  const size_t start = target.size();
  target.resize(start + static_cast<size_t>(unpacked));
  LzhDecode(source.data() + 4, source.size() - 4, target.data() + start,
            static_cast<size_t>(unpacked));
  return true;
}

bool TSkinReader::LoadContainer(const Bytes& stored) {
  *this = TSkinReader();
  Bytes container;
  return UnpackStream(stored, container) && ReadContainer(std::move(container));
}

bool TSkinReader::ReadContainer(Bytes container) {
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
  const char* list = reinterpret_cast<const char*>(container.data() + pos);
  const size_t listLength = static_cast<size_t>(nameListLength_);
  pos += listLength;
  // The size table must be present in full before anything is made of the
  // names: a list longer than the table is damaged.
  size_t count = 0;
  ForEachLine(list, listLength, [&](size_t, size_t) { ++count; });
  if ((container.size() - pos) / 4 < count) return false;

  names_.assign(list, listLength);
  for (char& c : names_) c = LowerAsciiChar(c);
  items_.reserve(count);
  uint64_t offset = 0;
  ForEachLine(list, listLength, [&](size_t begin, size_t end) {
    const int32_t size = ReadI32(container.data() + pos + 4 * items_.size());
    items_.push_back(
        {static_cast<uint32_t>(begin), static_cast<uint32_t>(end - begin), size, offset});
    // A negative size counts as empty.
    if (size > 0) offset += static_cast<uint64_t>(size);
  });
  dataStart_ = pos + 4 * count;
  byName_.resize(count);
  for (size_t i = 0; i < count; ++i) byName_[i] = static_cast<uint32_t>(i);
  std::sort(byName_.begin(), byName_.end(), [&](uint32_t a, uint32_t b) {
    const int order = NameOf(items_[a]).compare(NameOf(items_[b]));
    return order != 0 ? order < 0 : a < b;
  });
  container_ = std::move(container);
  return true;
}

std::vector<std::string> TSkinReader::Names() const {
  std::vector<std::string> names;
  for (const Item& item : items_) names.emplace_back(NameOf(item));
  return names;
}

std::vector<int32_t> TSkinReader::Sizes() const {
  std::vector<int32_t> sizes;
  for (const Item& item : items_) sizes.push_back(item.size);
  return sizes;
}

void TSkinReader::Bounds(const Item& item, const uint8_t** data, size_t* size) const {
  const uint64_t available = ItemDataSize();
  const uint64_t begin = std::min(item.offset, available);
  const uint64_t length = item.size > 0 ? static_cast<uint64_t>(item.size) : 0;
  // An item that runs past the data is cut at its end.
  const uint64_t end = std::min(available, begin + length);
  *data = container_.data() + dataStart_ + begin;
  *size = static_cast<size_t>(end - begin);
}

const TSkinReader::Item* TSkinReader::Find(const std::string& name) const {
  const std::string lowered = LowerAscii(name);
  // The first item of that name: the lowest index among equal names.
  const auto found = std::lower_bound(
      byName_.begin(), byName_.end(), lowered,
      [&](uint32_t index, const std::string& wanted) { return NameOf(items_[index]) < wanted; });
  if (found == byName_.end() || NameOf(items_[*found]) != lowered) return nullptr;
  return &items_[*found];
}

bool TSkinReader::ViewItem(const std::string& name, const uint8_t** data, size_t* size) const {
  const Item* item = Find(name);
  if (item == nullptr) return false;
  Bounds(*item, data, size);
  return true;
}

void TSkinReader::GetItem(const std::string& name, Bytes& target) const {
  target.clear();
  const uint8_t* data;
  size_t size;
  if (ViewItem(name, &data, &size)) target.assign(data, data + size);
}

std::string TSkinReader::FindItem(const std::string& text, Bytes& target) const {
  target.clear();
  for (const Item& item : items_) {
    if (NameOf(item).find(text) != std::string_view::npos) {
      const uint8_t* data;
      size_t size;
      Bounds(item, &data, &size);
      target.assign(data, data + size);
      return std::string(NameOf(item));
    }
  }
  return std::string();
}

}  // namespace velotune::skin
