// A small INI reader over the skin's INI text: trimmed lines, comments
// dropped, sections found without regard to case, the first key wins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velotune::skin {

class TQuickIni {
 public:
  // Replaces the content with the text (a NUL ends it).
  void LoadFromText(const std::string& text);
  void LoadFromStream(const std::vector<uint8_t>* bytes, size_t position = 0);

  // Section names in file order, brackets removed and trimmed.
  void ReadSections(std::vector<std::string>* names) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
  bool SectionExists(const std::string& section) const { return FindSection(section) >= 0; }

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  // Index into lines_ of the section's header, or -1.
  int FindSection(const std::string& section) const;

  std::vector<std::string> lines_;
  struct Header {
    std::string text;
    int line;
  };
  std::vector<Header> sections_;
};

// Trims both ends of every character up to and including space (control
// characters as well as blanks).
std::string TrimText(const std::string& text);
// Decimal with optional sign, or "$" hexadecimal; false when unreadable.
bool ParseInteger(const std::string& text, int* value);

}  // namespace velotune::skin
