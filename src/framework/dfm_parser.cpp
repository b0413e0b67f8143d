#include "framework/dfm_parser.h"

#include <cctype>
#include <limits>

#include "platform/text_case.h"

namespace velotune {

EFormDescriptionError::EFormDescriptionError(const std::string& file, int line,
                                             const std::string& what)
    : Exception("Error in form description " + file + ", line " + std::to_string(line) + ": " +
                what),
      file_(file),
      line_(line) {}

const DfmProperty* DfmObject::Find(const std::string& propertyName) const {
  for (const DfmProperty& p : properties)
    if (p.name == propertyName) return &p;
  return nullptr;
}

namespace {

bool IsIdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
 public:
  Parser(const std::string& text, const std::string& file) : text_(text), file_(file) {}

  DfmObject ParseRoot() {
    SkipBlanks();
    DfmObject root = ParseObject();
    SkipBlanks();
    if (!AtEnd()) Fail("Text after the final 'end'");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw EFormDescriptionError(file_, line_, what);
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  char Next() {
    char c = text_[pos_++];
    if (c == '\n') ++line_;
    return c;
  }
  void SkipBlanks() {
    while (!AtEnd()) {
      char c = Peek();
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        Next();
      } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (!AtEnd() && Peek() != '\n') Next();
      } else {
        break;
      }
    }
  }
  void Expect(char c, const std::string& what) {
    SkipBlanks();
    if (Peek() != c) Fail("Expected " + what);
    Next();
  }
  std::string Identifier(const char* what) {
    SkipBlanks();
    if (!IsIdentStart(Peek())) Fail(std::string("Expected ") + what);
    std::size_t start = pos_;
    while (!AtEnd() && IsIdentChar(Peek())) Next();
    return text_.substr(start, pos_ - start);
  }
  // A property name may be dotted: Font.Style, Items.Strings.
  std::string DottedName() {
    std::string name = Identifier("a property name");
    while (Peek() == '.') {
      Next();
      name += "." + Identifier("a property name after '.'");
    }
    return name;
  }

  DfmObject ParseObject() {
    DfmObject object;
    object.line = line_;
    std::string word = Identifier("'object'");
    if (!SameText(word, "object")) Fail("Expected 'object' but found '" + word + "'");
    object.name = Identifier("an object name");
    Expect(':', "':' after the object name");
    object.className = Identifier("a class name");
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("Missing 'end' of object '" + object.name + "'");
      int line = line_;
      std::size_t mark = pos_;
      std::string name = DottedName();
      if (SameText(name, "end")) return object;
      if (SameText(name, "object")) {
        pos_ = mark;
        line_ = line;
        object.children.push_back(ParseObject());
        continue;
      }
      object.properties.push_back(ParseProperty(name, line));
    }
  }

  DfmProperty ParseProperty(const std::string& name, int line) {
    DfmProperty property;
    property.name = name;
    property.line = line;
    Expect('=', "'=' after property '" + name + "'");
    property.value = ParseValue();
    return property;
  }

  DfmValue ParseValue() {
    SkipBlanks();
    DfmValue value;
    char c = Peek();
    if (c == '\'' || c == '#') {
      value.kind = DfmKind::kString;
      value.text = StringValue();
    } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
      value.kind = DfmKind::kInteger;
      value.integer = IntegerValue();
    } else if (IsIdentStart(c)) {
      value.kind = DfmKind::kIdent;
      value.text = DottedName();
    } else if (c == '[') {
      value.kind = DfmKind::kSet;
      value.items = SetValue();
    } else if (c == '(') {
      value.kind = DfmKind::kList;
      value.items = ListValue();
    } else if (c == '{') {
      value.kind = DfmKind::kBinary;
      value.bytes = BinaryValue();
    } else if (c == '<') {
      value.kind = DfmKind::kCollection;
      value.collection = CollectionValue();
    } else if (AtEnd()) {
      Fail("Missing value at the end of the text");
    } else {
      Fail(std::string("Invalid value starting with '") + c + "'");
    }
    return value;
  }

  std::int64_t IntegerValue() {
    bool negative = false;
    if (Peek() == '-') {
      negative = true;
      Next();
    }
    std::int64_t value = 0;
    int digits = 0;
    if (Peek() == '$') {
      Next();
      for (int d; (d = HexDigit(Peek())) >= 0; ++digits) {
        Next();
        value = value * 16 + d;
        if (value > 0xFFFFFFFFll) Fail("Integer out of range");
      }
    } else {
      for (; std::isdigit(static_cast<unsigned char>(Peek())); ++digits) {
        value = value * 10 + (Next() - '0');
        if (value > 0xFFFFFFFFll) Fail("Integer out of range");
      }
    }
    if (digits == 0) Fail("Invalid integer");
    if (IsIdentChar(Peek()) || Peek() == '.') Fail("Invalid integer");
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min()) Fail("Integer out of range");
    return value;
  }

  // 'ab''c'#13#10'd' + 'e' ...
  // Pieces join when they touch ('a'#13'b') or across a '+'.
  std::string StringValue() {
    std::string out;
    SkipBlanks();
    for (;;) {
      if (Peek() == '\'') {
        Next();
        for (;;) {
          if (AtEnd() || Peek() == '\n' || Peek() == '\r') Fail("Unterminated string");
          char c = Next();
          if (c == '\'') {
            if (Peek() != '\'') break;
            Next();
          }
          out += c;
        }
      } else if (Peek() == '#') {
        Next();
        if (!std::isdigit(static_cast<unsigned char>(Peek()))) Fail("Invalid character code");
        int code = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) {
          code = code * 10 + (Next() - '0');
          if (code > 255) Fail("Character code out of range");
        }
        out += static_cast<char>(code);
      } else {
        std::size_t mark = pos_;
        int markLine = line_;
        SkipBlanks();
        if (Peek() != '+') {
          pos_ = mark;
          line_ = markLine;
          return out;
        }
        Next();
        SkipBlanks();
        if (Peek() != '\'' && Peek() != '#') Fail("Expected a string after '+'");
      }
    }
  }

  std::vector<std::string> SetValue() {
    Next();  // [
    std::vector<std::string> items;
    SkipBlanks();
    if (Peek() == ']') {
      Next();
      return items;
    }
    for (;;) {
      items.push_back(Identifier("a set member"));
      SkipBlanks();
      if (Peek() == ']') {
        Next();
        return items;
      }
      Expect(',', "',' or ']' in a set");
    }
  }

  std::vector<std::string> ListValue() {
    Next();  // (
    std::vector<std::string> items;
    for (;;) {
      SkipBlanks();
      if (Peek() == ')') {
        Next();
        return items;
      }
      if (Peek() != '\'' && Peek() != '#') Fail("Expected a string or ')' in a list");
      items.push_back(StringValue());
    }
  }

  std::vector<std::uint8_t> BinaryValue() {
    Next();  // {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("Missing '}' of binary data");
      char c = Next();
      if (c == '}') break;
      int d = HexDigit(c);
      if (d < 0) Fail(std::string("Invalid character '") + c + "' in binary data");
      if (high < 0) {
        high = d;
      } else {
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + d));
        high = -1;
      }
    }
    if (high >= 0) Fail("Odd number of hex digits in binary data");
    return bytes;
  }

  std::vector<std::vector<DfmProperty>> CollectionValue() {
    Next();  // <
    std::vector<std::vector<DfmProperty>> items;
    for (;;) {
      SkipBlanks();
      if (Peek() == '>') {
        Next();
        return items;
      }
      std::string word = Identifier("'item' or '>'");
      if (!SameText(word, "item")) Fail("Expected 'item' but found '" + word + "'");
      std::vector<DfmProperty> item;
      for (;;) {
        SkipBlanks();
        if (AtEnd()) Fail("Missing 'end' of a collection item");
        int line = line_;
        std::string name = DottedName();
        if (SameText(name, "end")) break;
        item.push_back(ParseProperty(name, line));
      }
      items.push_back(std::move(item));
    }
  }

  const std::string& text_;
  const std::string& file_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

DfmObject ParseFormDescription(const std::string& text, const std::string& file) {
  return Parser(text, file).ParseRoot();
}

}  // namespace velotune
