#include "platform/policy_file.h"

#include "platform/registry_backend.h"
#include "platform/registry_names.h"

namespace velotune {

const char kPolicyDeleteValue[] = "**del.";
const char kPolicyDeleteKeys[] = "**DeleteKeys";

namespace {

void AppendNumber(std::uint32_t number, std::string* out) {
  for (int shift = 0; shift < 32; shift += 8) *out += static_cast<char>((number >> shift) & 0xFF);
}

void AppendUnits(const std::u16string& units, std::string* out) {
  for (char16_t unit : units) {
    *out += static_cast<char>(unit & 0xFF);
    *out += static_cast<char>(unit >> 8);
  }
}

}  // namespace

PolicyInstruction PolicySetValue(const std::string& key, const std::string& name,
                                 std::uint32_t type, const std::vector<std::uint8_t>& data) {
  return PolicyInstruction{key, name, type, data};
}

PolicyInstruction PolicyDeleteValue(const std::string& key, const std::string& name) {
  return PolicyInstruction{key, kPolicyDeleteValue + name, regtype::kSz, StringData(" ")};
}

PolicyInstruction PolicyDeleteKeys(const std::string& key, const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ";") + name;
  return PolicyInstruction{key, kPolicyDeleteKeys, regtype::kSz, StringData(list)};
}

std::string PolicyFile(const std::vector<PolicyInstruction>& instructions) {
  std::string out = "PReg";
  AppendNumber(1, &out);
  for (const PolicyInstruction& i : instructions) {
    AppendUnits(u"[" + Utf8ToUtf16(i.key) + u'\0' + u";" + Utf8ToUtf16(i.value) + u'\0' + u";",
                &out);
    AppendNumber(i.type, &out);
    AppendUnits(u";", &out);
    AppendNumber(static_cast<std::uint32_t>(i.data.size()), &out);
    AppendUnits(u";", &out);
    out.append(i.data.begin(), i.data.end());
    AppendUnits(u"]", &out);
  }
  return out;
}

}  // namespace velotune
