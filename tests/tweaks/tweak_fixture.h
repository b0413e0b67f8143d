// What the tweak tests run against: the memory registry behind a backend that
// logs every successful change with its full key path, recording processes
// whose registry editor really imports the script into the memory registry,
// and files kept in memory. Changes, file writes, deletes and started
// processes all land in one log, in the order they happened.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/memory_registry.h"
#include "platform/reg_script.h"
#include "platform/registry_names.h"
#include "platform/seams.h"
#include "support/map_control_states.h"
#include "support/recording_seams.h"
#include "tweaks/registry.h"

namespace velotune {

using Log = std::vector<std::string>;

class LoggingRegistry : public RegistryBackend {
 public:
  LoggingRegistry(MemoryRegistry& inner, Log& log) : inner_(inner), log_(log) {}

  // Full paths ("HKCU\\...") whose plain opens are refused while creating
  // them still works, so that rows opening a pre-created key can fail.
  std::set<std::string> refuseOpen;
  // Also logs every key created ("create HKCU\\path" with the path exactly as
  // passed, and the access mask when it is not full access) and closed.
  bool logKeys = false;

  long CreateKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                   RegKey* result) override {
    if (logKeys) {
      char mask[32] = "";
      if (access != kKeyAllAccess) std::snprintf(mask, sizeof mask, " access 0x%x", access);
      log_.push_back("create " + PathOf(parent) + "\\" + subKey + mask);
    }
    long rc = inner_.CreateKeyEx(parent, subKey, access, result);
    if (rc == regerr::kSuccess) paths_[*result] = Join(parent, subKey);
    return rc;
  }
  long OpenKeyEx(RegKey parent, const std::string& subKey, std::uint32_t access,
                 RegKey* result) override {
    if (refuseOpen.count(Join(parent, subKey))) return regerr::kAccessDenied;
    long rc = inner_.OpenKeyEx(parent, subKey, access, result);
    if (rc == regerr::kSuccess) paths_[*result] = Join(parent, subKey);
    return rc;
  }
  long SetValueEx(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override {
    long rc = inner_.SetValueEx(key, name, type, data, size);
    if (rc == regerr::kSuccess)
      log_.push_back(PathOf(key) + " [" + name + "] = " + Render(type, data, size));
    return rc;
  }
  long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override {
    return inner_.QueryValueEx(key, name, type, data, size);
  }
  long DeleteValue(RegKey key, const std::string& name) override {
    long rc = inner_.DeleteValue(key, name);
    if (rc == regerr::kSuccess) log_.push_back("delete " + PathOf(key) + " [" + name + "]");
    return rc;
  }
  long DeleteKey(RegKey key, const std::string& subKey) override {
    long rc = inner_.DeleteKey(key, subKey);
    if (rc == regerr::kSuccess) log_.push_back("delete-key " + Join(key, subKey));
    return rc;
  }
  long EnumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) override {
    return inner_.EnumKeyEx(key, index, name, nameSize);
  }
  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen) override {
    return inner_.QueryInfoKey(key, subKeys, maxSubKeyLen);
  }
  long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override {
    return inner_.EnumValue(key, index, name, nameSize, type, data, dataSize);
  }
  long CloseKey(RegKey key) override {
    if (logKeys) log_.push_back("close " + PathOf(key));
    paths_.erase(key);
    return inner_.CloseKey(key);
  }

 private:
  std::string PathOf(RegKey key) const {
    switch (static_cast<RegistryRoot>(key)) {
      case RegistryRoot::ClassesRoot:
        return "HKCR";
      case RegistryRoot::CurrentUser:
        return "HKCU";
      case RegistryRoot::LocalMachine:
        return "HKLM";
      case RegistryRoot::Users:
        return "HKU";
    }
    auto it = paths_.find(key);
    return it == paths_.end() ? "?" : it->second;
  }
  // A trailing backslash names the same key, so it is left out of the log.
  std::string Join(RegKey parent, std::string sub) const {
    if (!sub.empty() && sub.back() == '\\') sub.pop_back();
    return sub.empty() ? PathOf(parent) : PathOf(parent) + "\\" + sub;
  }
  static std::string Render(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
    if (type == regtype::kDword && size == 4) {
      std::uint32_t v =
          data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
      return "dword:" + std::to_string(v);
    }
    if (type == regtype::kSz && size >= 2 && size % 2 == 0 && data[size - 1] == 0 &&
        data[size - 2] == 0) {
      return "\"" + TextOfStringData(std::vector<std::uint8_t>(data, data + size)) + "\"";
    }
    std::string out = "hex(" + std::to_string(type) + "):";
    char buf[4];
    for (std::uint32_t i = 0; i < size; ++i) {
      std::snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", data[i]);
      out += buf;
    }
    return out;
  }

  MemoryRegistry& inner_;
  Log& log_;
  std::map<RegKey, std::string> paths_;
};

class LoggingFiles : public RecordingFiles {
 public:
  explicit LoggingFiles(Log& log) : log_(log) {}
  void WriteLines(const std::string& path, const std::vector<std::string>& lines) override {
    RecordingFiles::WriteLines(path, lines);
    log_.push_back("write-file " + path);
  }
  bool Delete(const std::string& path) override {
    log_.push_back("delete-file " + path);
    return RecordingFiles::Delete(path);
  }

 private:
  Log& log_;
};

// Entry formatters for the expected lists.
inline std::string Dw(const std::string& root, const std::string& key, const std::string& name,
                      std::uint32_t value) {
  return root + "\\" + key + " [" + name + "] = dword:" + std::to_string(value);
}
inline std::string Sz(const std::string& root, const std::string& key, const std::string& name,
                      const std::string& text) {
  return root + "\\" + key + " [" + name + "] = \"" + text + "\"";
}
inline std::string Del(const std::string& root, const std::string& key, const std::string& name) {
  return "delete " + root + "\\" + key + " [" + name + "]";
}
inline void Append(Log& log, const Log& more) {
  log.insert(log.end(), more.begin(), more.end());
}

// The script the window keeps in ToReg, line by line.
const Log& ToRegLines();
// The three pages' controls in the states the window opens with.
MapControlStates StartStates();
// Values and keys a save deletes, so that the deletions show in the log.
const char* DeletablesScript();

class TweakTest : public ::testing::Test {
 protected:
  TweakTest() : registry(memory, log), files(log), seams(&registry, &processes, &files) {
    ImportRegScript(memory, DeletablesScript());
    processes.onRun = [this](const RecordingProcesses::Call& call) { ImportScript(call); };
    states = StartStates();
  }
  ~TweakTest() override {
    // The shared accessor outlives the test; leave it holding no key.
    SharedRegistry().CloseKey();
  }

  // What the registry editor does with "Regedit.exe /s "path"".
  void ImportScript(const RecordingProcesses::Call& call) {
    log.push_back("run " + call.commandLine + (call.wait ? "" : " (no wait)"));
    const std::string& cmd = call.commandLine;
    const auto open = cmd.find('"');
    const auto close = cmd.rfind('"');
    ASSERT_NE(open, close) << cmd;
    const std::string path = cmd.substr(open + 1, close - open - 1);
    ASSERT_TRUE(files.files.count(path)) << "no script at " << path;
    std::string text;
    for (const std::string& line : files.files[path]) text += line + "\r\n";
    ImportRegScript(registry, text);
  }

  const MemoryRegistry::Value* Find(RegistryRoot root, const std::string& key,
                                    const std::string& name) const {
    return memory.FindValue(root, key, name);
  }
  std::string Export() {
    std::string out;
    for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser,
                              RegistryRoot::LocalMachine, RegistryRoot::Users}) {
      out += ExportRegScript(memory, root, "");
    }
    return out;
  }

  Log log;
  MemoryRegistry memory;
  LoggingRegistry registry;
  RecordingProcesses processes;
  LoggingFiles files;
  ScopedSeams seams;
  MapControlStates states;
};

}  // namespace velotune
