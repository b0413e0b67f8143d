// The FIXER folder as shipped: every script the catalogue starts is there,
// imports cleanly, and leaves the values the checks list expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fixes/fix_catalogue.h"
#include "platform/memory_registry.h"
#include "platform/reg_script.h"
#include "platform/registry_names.h"

namespace velotune {
namespace {

namespace fs = std::filesystem;

const fs::path kFixer = VELOTUNE_FIXER_DIR;
const fs::path kChecks = VELOTUNE_FIXER_CHECKS;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// "FIXER\SysTools\x.fix" -> "SysTools\x.fix"
std::string WithinFixer(const std::string& path) {
  const std::string prefix = "FIXER\\";
  return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : "<outside FIXER> " + path;
}

std::set<std::string> FilesOnDisk() {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(kFixer)) {
    if (!entry.is_regular_file()) continue;
    std::string relative = fs::relative(entry.path(), kFixer).generic_string();
    for (char& c : relative)
      if (c == '/') c = '\\';
    files.insert(relative);
  }
  return files;
}

std::set<std::string> FilesTheRunStarts() {
  std::set<std::string> files;
  for (const FixRow& row : FixCatalogue()) {
    for (const FixStep& step : row.steps) {
      if (step.action == FixAction::kImport || step.action == FixAction::kRunBatch)
        files.insert(WithinFixer(step.target));
    }
  }
  for (const std::string& script : FolderOptionsScripts()) files.insert(WithinFixer(script));
  return files;
}

std::string Slashed(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

TEST(FixerFolderTest, HoldsExactlyTheFilesTheRunStarts) {
  std::set<std::string> onDisk = FilesOnDisk();
  EXPECT_EQ(onDisk, FilesTheRunStarts());
  EXPECT_EQ(onDisk.size(), 62u);
  std::set<std::string> folders;
  for (const std::string& f : onDisk) folders.insert(f.substr(0, f.find('\\')));
  EXPECT_EQ(folders, (std::set<std::string>{"Explorer", "FileAssoc", "Misc", "Networking",
                                            "Services", "SysTools"}));
}

TEST(FixerFolderTest, EveryFileHasWindowsLineEnds) {
  for (const std::string& name : FilesOnDisk()) {
    std::string text = ReadFile(kFixer / Slashed(name));
    ASSERT_FALSE(text.empty()) << name;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') {
        ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << name << ": bare line feed at byte " << i;
      }
    }
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
  }
}

TEST(FixerFolderTest, EveryScriptImportsIntoAnEmptyRegistry) {
  for (const std::string& name : FilesOnDisk()) {
    if (fs::path(Slashed(name)).extension() != ".fix") continue;
    std::string text = ReadFile(kFixer / Slashed(name));
    EXPECT_EQ(text.rfind("REGEDIT4\r\n", 0), 0u) << name;
    MemoryRegistry registry;
    EXPECT_NO_THROW(ImportRegScript(registry, text)) << name;
  }
}

// A script may only remove what it is named after: a file type's per-user
// choice, or the CD/DVD class filter values.
TEST(FixerFolderTest, ScriptsRemoveOnlyWhatTheirRepairNames) {
  const std::string userChoice =
      "[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
  for (const std::string& name : FilesOnDisk()) {
    if (fs::path(Slashed(name)).extension() != ".fix") continue;
    std::string key;
    for (const std::string& line : Lines(ReadFile(kFixer / Slashed(name)))) {
      if (line.rfind("[", 0) == 0) key = line;
      if (line.rfind("[-", 0) == 0) {
        EXPECT_EQ(line.rfind(userChoice, 0), 0u) << name << ": " << line;
        EXPECT_EQ(line.substr(line.size() - 12), "\\UserChoice]") << name << ": " << line;
        EXPECT_EQ(name.rfind("FileAssoc\\", 0), 0u) << name;
      }
      if (line.size() > 2 && line.substr(line.size() - 2) == "=-") {
        EXPECT_TRUE(name == "Misc\\deletelowerfilters.fix" ||
                    name == "Misc\\deleteupperfilters.fix")
            << name << ": " << line;
        EXPECT_NE(key.find("{4D36E965-E325-11CE-BFC1-08002BE10318}]"), std::string::npos)
            << name << ": " << key;
      }
    }
  }
}

std::string TypeName(std::uint32_t type) {
  switch (type) {
    case regtype::kSz:
      return "REG_SZ";
    case regtype::kExpandSz:
      return "REG_EXPAND_SZ";
    case regtype::kDword:
      return "REG_DWORD";
    case regtype::kMultiSz:
      return "REG_MULTI_SZ";
    case regtype::kBinary:
      return "REG_BINARY";
  }
  return "type " + std::to_string(type);
}

// Every value a script writes, as "ROOT\KEY [name]" (folded) -> type and data.
void CollectValues(const MemoryRegistry& registry, RegistryRoot root, const std::string& path,
                   std::map<std::string, std::string>* out) {
  for (const MemoryRegistry::Value& v : registry.Values(root, path)) {
    std::string where = FoldName(std::string(RootName(root)) + "\\" + path + " [" + v.name + "]");
    (*out)[where] = TypeName(v.type) + ":" + TextOfStringData(v.data);
  }
  for (const std::string& sub : registry.SubKeyNames(root, path))
    CollectValues(registry, root, path.empty() ? sub : path + "\\" + sub, out);
}

// The run starts all ticked imports at once and they finish in any order, so
// no two scripts may set the same value differently.
TEST(FixerFolderTest, NoTwoScriptsDisagreeAboutAValue) {
  std::map<std::string, std::pair<std::string, std::string>> seen;  // value -> script, data
  std::size_t values = 0;
  for (const std::string& name : FilesOnDisk()) {
    if (fs::path(Slashed(name)).extension() != ".fix") continue;
    MemoryRegistry registry;
    ImportRegScript(registry, ReadFile(kFixer / Slashed(name)));
    std::map<std::string, std::string> written;
    for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                              RegistryRoot::LocalMachine, RegistryRoot::Users})
      CollectValues(registry, root, "", &written);
    values += written.size();
    for (const auto& [where, data] : written) {
      auto [it, inserted] = seen.emplace(where, std::make_pair(name, data));
      if (!inserted) {
        EXPECT_EQ(it->second.second, data)
            << where << " differs between " << it->second.first << " and " << name;
      }
    }
  }
  EXPECT_GT(values, 300u);
}

// Type names, verbs and service names that come from a module's string table
// are indirect strings: without the leading "@" the shell shows the module's
// path instead of the text.
TEST(FixerFolderTest, ResourceStringsAreIndirect) {
  const std::set<std::string> indirect = {"FRIENDLYTYPENAME", "MUIVERB",     "ITEMNAME",
                                          "MENUTEXT",         "DISPLAYNAME", "DESCRIPTION",
                                          "NONLFNFILESPEC"};
  const std::regex resource(R"(\.(dll|exe),-[0-9]+$)", std::regex::icase);
  std::size_t seen = 0;
  for (const std::string& name : FilesOnDisk()) {
    if (fs::path(Slashed(name)).extension() != ".fix") continue;
    MemoryRegistry registry;
    ImportRegScript(registry, ReadFile(kFixer / Slashed(name)));
    std::map<std::string, std::string> written;
    for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                              RegistryRoot::LocalMachine, RegistryRoot::Users})
      CollectValues(registry, root, "", &written);
    for (const auto& [where, data] : written) {
      std::string value = where.substr(where.rfind(" [") + 2);
      value.pop_back();
      if (indirect.count(value) == 0) continue;
      std::string text = data.substr(data.find(':') + 1).c_str();
      if (!std::regex_search(text, resource)) continue;
      ++seen;
      EXPECT_EQ(text.substr(0, 1), "@") << name << ": " << where << " = " << text;
    }
  }
  EXPECT_GT(seen, 40u);
}

struct Check {
  std::string script;
  RegistryRoot root;
  std::string key;
  std::string name;
  std::string type;
  std::string data;
};

std::vector<Check> LoadChecks() {
  std::vector<Check> checks;
  for (const std::string& line : Lines(ReadFile(kChecks))) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '|');) f.push_back(field);
    if (f.size() == 4) f.push_back("");
    EXPECT_EQ(f.size(), 5u) << line;
    if (f.size() != 5) continue;
    Check c;
    c.script = f[0];
    std::string::size_type slash = f[1].find('\\');
    EXPECT_TRUE(ParseRootName(f[1].substr(0, slash), &c.root)) << line;
    c.key = f[1].substr(slash + 1);
    c.name = f[2] == "@" ? "" : f[2];
    c.type = f[3];
    c.data = f[4];
    checks.push_back(c);
  }
  return checks;
}

// The value as "reg query" shows it: strings up to the NUL (wide strings
// narrowed), DWORDs as 0x followed by hex digits, binary data as two
// upper-case hex digits a byte.
std::string Shown(const MemoryRegistry::Value& v) {
  std::string out;
  if (v.type == regtype::kBinary) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (std::uint8_t b : v.data) out += {kDigits[b >> 4], kDigits[b & 15]};
    return out;
  }
  if (v.type == regtype::kDword && v.data.size() == 4) {
    unsigned d = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (v.data[3] << 24);
    std::ostringstream hex;
    hex << "0x" << std::hex << d;
    return hex.str();
  }
  return TextOfStringData(v.data);
}

TEST(FixerFolderTest, EveryScriptLeavesItsCheckedValue) {
  std::vector<Check> checks = LoadChecks();
  std::set<std::string> checked;
  for (const Check& c : checks) {
    checked.insert(c.script);
    MemoryRegistry registry;
    if (c.type == "ABSENT") {
      // A damaged system's filter value, which the script must remove.
      ImportRegScript(registry, "REGEDIT4\r\n\r\n[" + std::string(RootName(c.root)) + "\\" + c.key +
                                    "]\r\n\"" + c.name + "\"=\"PxHlpa64\"\r\n");
    }
    ImportRegScript(registry, ReadFile(kFixer / Slashed(c.script)));
    const MemoryRegistry::Value* v = registry.FindValue(c.root, c.key, c.name);
    if (c.type == "ABSENT") {
      EXPECT_EQ(v, nullptr) << c.script;
      EXPECT_TRUE(registry.KeyExists(c.root, c.key)) << c.script;
      continue;
    }
    ASSERT_NE(v, nullptr) << c.script << ": " << c.key << " " << c.name;
    EXPECT_EQ(TypeName(v->type), c.type) << c.script;
    EXPECT_EQ(Shown(*v), c.data) << c.script;
  }
  std::set<std::string> scripts;
  for (const std::string& f : FilesOnDisk())
    if (fs::path(Slashed(f)).extension() == ".fix") scripts.insert(f);
  EXPECT_EQ(checked, scripts);
}

}  // namespace
}  // namespace velotune
