#include "skin_container.h"

namespace velotune::skinpack {

namespace {

constexpr uint32_t kFormatCode = 70000;
constexpr size_t kExtraBlockSize = 69;

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> BuildContainer(const std::vector<SkinItem>& items) {
  std::string names;
  for (const SkinItem& item : items) names += item.name + "\r\n";
  std::vector<uint8_t> out;
  PutU32(out, kFormatCode);
  PutU32(out, static_cast<uint32_t>(names.size()));
  PutU32(out, 0);
  PutU32(out, 0);
  out.insert(out.end(), kExtraBlockSize, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const SkinItem& item : items) PutU32(out, static_cast<uint32_t>(item.bytes.size()));
  for (const SkinItem& item : items) out.insert(out.end(), item.bytes.begin(), item.bytes.end());
  return out;
}

}  // namespace velotune::skinpack
