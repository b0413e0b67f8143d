#include "form_files.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "framework/dfm_parser.h"
#include "framework/text_values.h"

namespace velotune {

namespace {
std::string ReadAssetFile(const std::string& file) {
  std::string path = std::string(VELOTUNE_ASSETS_DIR) + "/forms/" + file;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
}  // namespace

FormFile::FormFile(const std::string& file)
    : root_(ParseFormDescription(ReadAssetFile(file), file)) {
  Index(root_, "");
}

void FormFile::Index(const DfmObject& object, const std::string& parent) {
  all_.push_back(&object);
  byName_.emplace(object.name, &object);
  parentOf_[object.name] = parent;
  for (const DfmObject& child : object.children) Index(child, object.name);
}

const DfmObject* FormFile::Find(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

std::string FormFile::ParentOf(const std::string& name) const {
  auto it = parentOf_.find(name);
  return it == parentOf_.end() ? "" : it->second;
}

std::string PropText(const DfmObject& object, const std::string& property) {
  const DfmProperty* p = object.Find(property);
  std::string text;
  if (p == nullptr || !DfmValueText(p->value, &text)) return "";
  return text;
}

std::vector<std::string> PropList(const DfmObject& object, const std::string& property) {
  const DfmProperty* p = object.Find(property);
  if (p == nullptr || p->value.kind != DfmKind::kList) return {};
  return p->value.items;
}

long long PropInt(const DfmObject& object, const std::string& property, long long fallback) {
  const DfmProperty* p = object.Find(property);
  if (p == nullptr || p->value.kind != DfmKind::kInteger) return fallback;
  return p->value.integer;
}

bool IsChecked(const DfmObject& object) {
  return PropText(object, "Checked") == "True";
}

}  // namespace velotune
