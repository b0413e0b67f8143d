// Reads the text of a form description into a DfmObject tree. Syntax errors
// raise EFormDescriptionError whose message names the file and the line.
#pragma once

#include <string>

#include "framework/form_description.h"
#include "platform/errors.h"

namespace velotune {

class EFormDescriptionError : public Exception {
 public:
  EFormDescriptionError(const std::string& file, int line, const std::string& what);
  const std::string& File() const { return file_; }
  int Line() const { return line_; }

 private:
  std::string file_;
  int line_;
};

// `file` only names the source in error messages.
DfmObject ParseFormDescription(const std::string& text, const std::string& file);

}  // namespace velotune
