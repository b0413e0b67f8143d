// How the command line shows values, plan steps, changes and read-back
// results: a line of text each, or a JSON value.
#pragma once

#include <string>

#include "cli/json_text.h"
#include "platform/layered_registry.h"
#include "tweaks/action_plan.h"

namespace velotune {

// The text and blanks up to the width (one blank at least): a column.
std::string Padded(const std::string& text, std::size_t width);
// "create-key", "set-value", "delete-value" or "delete-key".
const char* OperationName(RegOperation::Kind kind);
// "REG_DWORD", "REG_SZ", ... or "type 42".
std::string TypeName(std::uint32_t type);
// The data as a registry script writes it (dword:0000000b, "text", hex:01,02), a
// DWORD's decimal value after it: dword:0000000b (11).
std::string ValueText(const RegValue& value);
// {"type":"REG_DWORD","data":"dword:00000001","number":1}; strings add "text".
std::string ValueJson(const RegValue& value);
JsonFields ValueFields(const RegValue& value);
// "NoRun", or "@" for the default value, quoted for text output.
std::string ValueNameText(const std::string& name);

// One line (lines of a written file follow it, indented).
std::string PlanStepText(const PlanStep& step, std::size_t number);
std::string PlanStepJson(const PlanStep& step, std::size_t number);

std::string ChangeText(const RegChange& change);
std::string ChangeJson(const RegChange& change);

std::string MismatchText(const Mismatch& mismatch);
std::string MismatchJson(const Mismatch& mismatch);

}  // namespace velotune
