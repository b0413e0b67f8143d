// A small INI reader over the skin's INI text: trimmed lines, comments
// dropped, sections found without regard to case, the first key wins. Loading
// indexes the sections and keys once, so each lookup is a binary search and
// a skin with many sections starts in time proportional to its size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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

 private:
  struct Span {
    uint32_t begin;
    uint32_t length;
  };
  // A key line of a section that can be read (the first of its name).
  struct Entry {
    uint32_t section;  // header ordinal
    Span key;          // trimmed, empty for a line without "="
    Span value;        // trimmed
  };
  std::string_view Text(Span span) const {
    return std::string_view(text_).substr(span.begin, span.length);
  }
  // The header ordinal of the first section of that name, or -1.
  int FindSection(const std::string& section) const;

  std::string text_;
  std::vector<Span> headers_;     // whole header lines, brackets included, in file order
  std::vector<uint32_t> byName_;  // header ordinals sorted by lowered name, then ordinal
  std::vector<Entry> entries_;    // sorted by section, lowered key, then file order
};

// Trims both ends of every character up to and including space (control
// characters as well as blanks).
std::string TrimText(const std::string& text);
// Decimal with optional sign, or "$" hexadecimal; false when unreadable.
bool ParseInteger(const std::string& text, int* value);

}  // namespace velotune::skin
