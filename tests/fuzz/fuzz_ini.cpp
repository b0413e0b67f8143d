// The INI reader and the colour texts over arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/colour.h"
#include "skin/data/quick_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velotune::skin;
  const std::string text(reinterpret_cast<const char*>(data), size);
  TQuickIni ini;
  ini.LoadFromText(text);
  std::vector<std::string> sections;
  ini.ReadSections(&sections);
  for (const std::string& section : sections) {
    for (const char* key : {"Image", "LeftWidth", "Action", "", "color"}) {
      ParseColourText(ini.ReadString(section, key, ""), 0);
      ini.ReadInteger(section, key, -1);
    }
  }
  ParseColourText(text, 0);
  return 0;
}
