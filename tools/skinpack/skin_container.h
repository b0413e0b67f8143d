// Lays named items out as an unpacked skin container (format code 70000).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velotune::skinpack {

struct SkinItem {
  std::string name;
  std::vector<uint8_t> bytes;
};

// Header (format code, name-list length, two unused fields), the 69-byte extra
// block, the CR LF name list, the 32-bit sizes and the items back to back.
std::vector<uint8_t> BuildContainer(const std::vector<SkinItem>& items);

}  // namespace velotune::skinpack
