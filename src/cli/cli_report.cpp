#include "cli/cli_report.h"

#include <cstdio>

#include "cli/json_text.h"
#include "platform/registry_names.h"

namespace velotune {

namespace {

std::string PresentOr(bool present, const RegValue& value, const char* absent) {
  return present ? ValueText(value) : absent;
}

std::uint32_t Dword(const RegValue& value) {
  return value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
         (static_cast<std::uint32_t>(value.data[3]) << 24);
}

}  // namespace

const char* OperationName(RegOperation::Kind kind) {
  switch (kind) {
    case RegOperation::Kind::kCreateKey:
      return "create-key";
    case RegOperation::Kind::kSetValue:
      return "set-value";
    case RegOperation::Kind::kDeleteValue:
      return "delete-value";
    case RegOperation::Kind::kDeleteKey:
      return "delete-key";
  }
  return "";
}

std::string Padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string TypeName(std::uint32_t type) {
  static const char* const kNames[] = {"REG_NONE",
                                       "REG_SZ",
                                       "REG_EXPAND_SZ",
                                       "REG_BINARY",
                                       "REG_DWORD",
                                       "REG_DWORD_BIG_ENDIAN",
                                       "REG_LINK",
                                       "REG_MULTI_SZ",
                                       "REG_RESOURCE_LIST",
                                       "REG_FULL_RESOURCE_DESCRIPTOR",
                                       "REG_RESOURCE_REQUIREMENTS_LIST",
                                       "REG_QWORD"};
  if (type < sizeof kNames / sizeof kNames[0]) return kNames[type];
  return "type " + std::to_string(type);
}

std::string ValueText(const RegValue& value) {
  if (value.type == regtype::kDword && value.data.size() == 4)
    return ScriptData(value) + " (" + std::to_string(Dword(value)) + ")";
  return ScriptData(value);
}

std::string ValueJson(const RegValue& value) {
  return JsonObject(ValueFields(value));
}

JsonFields ValueFields(const RegValue& value) {
  JsonFields fields = {{"type", JsonString(TypeName(value.type))},
                       {"data", JsonString(ScriptData(value))}};
  if (value.type == regtype::kDword && value.data.size() == 4)
    fields.push_back({"number", JsonNumber(Dword(value))});
  if ((value.type == regtype::kSz || value.type == regtype::kExpandSz) && !value.data.empty()) {
    fields.push_back({"text", JsonString(TextOfStringData(value.data))});
  }
  return fields;
}

std::string ValueNameText(const std::string& name) {
  return name.empty() ? "@" : "\"" + name + "\"";
}

std::string PlanStepText(const PlanStep& step, std::size_t number) {
  char head[32];
  std::snprintf(head, sizeof head, "%5zu  %s", number, step.depth ? "  " : "");
  std::string line = head;
  switch (step.kind) {
    case PlanStep::Kind::kRegistry: {
      const RegOperation& op = step.operation;
      const std::string key = FullKeyName(op.root, op.path);
      switch (op.kind) {
        case RegOperation::Kind::kCreateKey:
          return line + Padded("create key", 14) + key;
        case RegOperation::Kind::kSetValue:
          return line + Padded("set value", 14) + key + "  " + ValueNameText(op.value.name) +
                 " = " + ValueText(op.value);
        case RegOperation::Kind::kDeleteValue:
          return line + Padded("delete value", 14) + key + "  " + ValueNameText(op.value.name) +
                 (op.found ? "" : "  (not there)");
        case RegOperation::Kind::kDeleteKey:
          return line + Padded("delete key", 14) + key + (op.found ? "" : "  (not there)");
      }
      return line;
    }
    case PlanStep::Kind::kWriteFile: {
      line += Padded("write file", 14) + step.target;
      for (const std::string& written : step.lines) line += "\n         | " + written;
      return line;
    }
    case PlanStep::Kind::kDeleteFile:
      return line + Padded("delete file", 14) + step.target + (step.exists ? "" : "  (not there)");
    case PlanStep::Kind::kProcess:
      return line + Padded(step.wait ? "run and wait" : "start", 14) + step.target + "  (" +
             step.note + ")";
  }
  return line;
}

std::string PlanStepJson(const PlanStep& step, std::size_t number) {
  JsonFields fields = {{"step", JsonNumber(static_cast<long long>(number))},
                       {"depth", JsonNumber(step.depth)}};
  switch (step.kind) {
    case PlanStep::Kind::kRegistry: {
      const RegOperation& op = step.operation;
      fields.push_back({"kind", JsonString(OperationName(op.kind))});
      fields.push_back({"key", JsonString(FullKeyName(op.root, op.path))});
      if (op.kind == RegOperation::Kind::kSetValue || op.kind == RegOperation::Kind::kDeleteValue)
        fields.push_back({"name", JsonString(op.value.name)});
      if (op.kind == RegOperation::Kind::kSetValue)
        fields.push_back({"value", ValueJson(op.value)});
      if (op.kind == RegOperation::Kind::kDeleteValue || op.kind == RegOperation::Kind::kDeleteKey)
        fields.push_back({"found", JsonBool(op.found)});
      break;
    }
    case PlanStep::Kind::kWriteFile: {
      std::vector<std::string> lines;
      for (const std::string& line : step.lines) lines.push_back(JsonString(line));
      fields.push_back({"kind", JsonString("write-file")});
      fields.push_back({"file", JsonString(step.target)});
      fields.push_back({"lines", JsonArray(lines)});
      break;
    }
    case PlanStep::Kind::kDeleteFile:
      fields.push_back({"kind", JsonString("delete-file")});
      fields.push_back({"file", JsonString(step.target)});
      fields.push_back({"exists", JsonBool(step.exists)});
      break;
    case PlanStep::Kind::kProcess:
      fields.push_back({"kind", JsonString("process")});
      fields.push_back({"command", JsonString(step.target)});
      fields.push_back({"wait", JsonBool(step.wait)});
      fields.push_back({"previewable", JsonBool(step.previewable)});
      fields.push_back({"note", JsonString(step.note)});
      break;
  }
  return JsonObject(fields);
}

std::string ChangeText(const RegChange& change) {
  const std::string key = FullKeyName(change.item.root, change.item.path);
  if (change.item.isKey) return "  " + key + (change.existsAfter ? "  key added" : "  key removed");
  return "  " + key + "  " + ValueNameText(change.item.name) + ": " +
         PresentOr(change.existedBefore, change.before, "(none)") + " -> " +
         PresentOr(change.existsAfter, change.after, "(none)");
}

std::string ChangeJson(const RegChange& change) {
  JsonFields fields = {{"key", JsonString(FullKeyName(change.item.root, change.item.path))}};
  if (change.item.isKey) {
    fields.push_back({"kind", JsonString("key")});
    fields.push_back({"before", JsonBool(change.existedBefore)});
    fields.push_back({"after", JsonBool(change.existsAfter)});
  } else {
    fields.push_back({"kind", JsonString("value")});
    fields.push_back({"name", JsonString(change.item.name)});
    fields.push_back({"before", change.existedBefore ? ValueJson(change.before) : "null"});
    fields.push_back({"after", change.existsAfter ? ValueJson(change.after) : "null"});
  }
  return JsonObject(fields);
}

std::string MismatchText(const Mismatch& m) {
  if (m.isFile)
    return "  file " + m.item.path + (m.expectedPresent ? ": missing" : ": still there");
  const std::string key = FullKeyName(m.item.root, m.item.path);
  if (m.item.isKey) return "  " + key + (m.expectedPresent ? "  key missing" : "  key still there");
  return "  " + key + "  " + ValueNameText(m.item.name) + ": " +
         PresentOr(m.actualPresent, m.actual, "(none)") + ", expected " +
         PresentOr(m.expectedPresent, m.expected, "(none)");
}

std::string MismatchJson(const Mismatch& m) {
  if (m.isFile)
    return JsonObject({{"file", JsonString(m.item.path)},
                       {"expected", JsonBool(m.expectedPresent)},
                       {"actual", JsonBool(m.actualPresent)}});
  JsonFields fields = {{"key", JsonString(FullKeyName(m.item.root, m.item.path))}};
  if (m.item.isKey) {
    fields.push_back({"expected", JsonBool(m.expectedPresent)});
    fields.push_back({"actual", JsonBool(m.actualPresent)});
  } else {
    fields.push_back({"name", JsonString(m.item.name)});
    fields.push_back({"expected", m.expectedPresent ? ValueJson(m.expected) : "null"});
    fields.push_back({"actual", m.actualPresent ? ValueJson(m.actual) : "null"});
  }
  return JsonObject(fields);
}

}  // namespace velotune
