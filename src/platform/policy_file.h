// The registry policy file (Registry.pol) that Group Policy objects carry and
// the local policy tools import: the four bytes "PReg", the version 1 as a
// little-endian 32-bit number, then one instruction after another,
// [key;value;type;size;data], where the brackets and semicolons are UTF-16LE
// characters, key and value UTF-16LE text ending in a NUL, type and size
// little-endian 32-bit numbers and data `size` raw bytes. Keys are relative to
// the root that the file's folder stands for (Machine: HKEY_LOCAL_MACHINE,
// User: HKEY_CURRENT_USER).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velotune {

struct PolicyInstruction {
  std::string key;    // UTF-8, as registry names travel here
  std::string value;  // a value name, or one of the special names below
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

// The value name that deletes a value is this and the name; the instruction's
// data is a single space as REG_SZ.
extern const char kPolicyDeleteValue[];  // "**del."
// The value name that deletes sub-keys of the instruction's key, named in its
// REG_SZ data and separated by semicolons.
extern const char kPolicyDeleteKeys[];  // "**DeleteKeys"

PolicyInstruction PolicySetValue(const std::string& key, const std::string& name,
                                 std::uint32_t type, const std::vector<std::uint8_t>& data);
PolicyInstruction PolicyDeleteValue(const std::string& key, const std::string& name);
PolicyInstruction PolicyDeleteKeys(const std::string& key, const std::vector<std::string>& names);

// The whole file: header, then the instructions in order.
std::string PolicyFile(const std::vector<PolicyInstruction>& instructions);

}  // namespace velotune
