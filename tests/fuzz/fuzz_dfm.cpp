// The form-description reader over arbitrary text: it either builds a tree
// or refuses the text with its own error naming a line of it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/dfm_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    velotune::DfmObject root = velotune::ParseFormDescription(text, "fuzz.dfm");
    (void)root;
  } catch (const velotune::EFormDescriptionError& e) {
    if (e.Line() < 1) __builtin_trap();
  }
  return 0;
}
