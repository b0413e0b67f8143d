// The committed form descriptions, parsed with the program's own reader and
// indexed by component name, for tests that check them against the window's
// documented contents.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/form_description.h"

namespace velotune {

class FormFile {
 public:
  // `file` is a name under assets/forms ("main.dfm"); parse errors raise.
  explicit FormFile(const std::string& file);

  const DfmObject& Root() const { return root_; }
  // nullptr when the form has no component of that name.
  const DfmObject* Find(const std::string& name) const;
  // Name of the object `name` is nested in ("" for the root or unknown names).
  std::string ParentOf(const std::string& name) const;
  // Every object of the form, the root first, in file order.
  const std::vector<const DfmObject*>& All() const { return all_; }

 private:
  void Index(const DfmObject& object, const std::string& parent);

  DfmObject root_;
  std::vector<const DfmObject*> all_;
  std::map<std::string, const DfmObject*> byName_;
  std::map<std::string, std::string> parentOf_;
};

// A property's simple value as text ("" when absent): identifiers, integers
// in decimal, strings decoded, sets as "[a, b]".
std::string PropText(const DfmObject& object, const std::string& property);
// A string-list property's items (empty when absent).
std::vector<std::string> PropList(const DfmObject& object, const std::string& property);
// A property's integer value or `fallback` when absent.
long long PropInt(const DfmObject& object, const std::string& property, long long fallback);
bool IsChecked(const DfmObject& object);

// Tests over main.dfm, parsed once per test suite.
class MainFormFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { form_ = new FormFile("main.dfm"); }
  static void TearDownTestSuite() {
    delete form_;
    form_ = nullptr;
  }
  const DfmObject& Get(const std::string& name) {
    const DfmObject* object = form_->Find(name);
    if (object == nullptr) throw std::runtime_error("no component " + name);
    return *object;
  }
  static inline FormFile* form_ = nullptr;
};

}  // namespace velotune
