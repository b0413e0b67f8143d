#include "tweaks/catalogue.h"

#include <string>

#include "tweaks/machine_specific.h"
#include "tweaks/registry.h"

namespace velotune {

namespace {

// The control's value as a row uses it.
struct Input {
  bool checked = true;
  std::int32_t number = 0;
  std::string text;
};

bool IsWholeNumber(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  // Leading zeros count for nothing; what is left must fit a signed DWORD.
  const std::string::size_type first = text.find_first_not_of('0');
  if (first == std::string::npos) return true;
  const std::string digits = text.substr(first);
  return digits.size() <= 10 && std::stoll(digits) <= 0x7FFFFFFF;
}

Input ReadInput(const Row& row, const ControlStates& states) {
  Input in;
  switch (row.read) {
    case Read::kChecked:
      in.checked = states.Checked(row.control);
      break;
    case Read::kText:
      in.text = states.Text(row.control);
      break;
    case Read::kNumericText:
      // A timeout of letters or nothing reads as 0 to Windows, which would
      // end programs without waiting; refuse it instead of storing it.
      in.text = states.Text(row.control);
      if (!IsWholeNumber(in.text)) {
        throw EConvertError(FormatMessage1("'%s' is not a valid integer value", in.text));
      }
      break;
    case Read::kPosition:
      in.number = states.Position(row.control);
      in.text = std::to_string(in.number);
      break;
    case Read::kItemIndex:
      in.number = states.ItemIndex(row.control);
      in.text = std::to_string(in.number);
      break;
    case Read::kAlways:
      break;
  }
  return in;
}

void Perform(const Target& target, const Action& action, const Input& in) {
  const std::int32_t number = action.fromControl ? in.number : action.number;
  const std::string text = action.fromControl ? in.text : std::string(action.text);
  const std::string& key = target.key;
  const std::string& name = target.name;
  switch (action.op) {
    case Op::kNothing:
      break;
    case Op::kDwordBoth:
      WriteDwordBoth(key, name, number);
      break;
    case Op::kDwordUser:
      WriteDwordUser(key, name, number);
      break;
    case Op::kDwordMachine:
      WriteDwordMachine(key, name, number);
      break;
    case Op::kDwordUsers:
      WriteDwordUsers(key, name, number);
      break;
    case Op::kStringUser:
      WriteStringUser(key, name, text);
      break;
    case Op::kStringMachine:
      WriteStringMachine(key, name, text);
      break;
    case Op::kStringUsers:
      WriteStringUsers(key, name, text);
      break;
    case Op::kStringClasses:
      WriteStringClasses(key, name, text);
      break;
    case Op::kDeleteUser:
      DeleteRegValue(RegistryRoot::CurrentUser, key, name);
      break;
    case Op::kDeleteMachine:
      DeleteRegValue(RegistryRoot::LocalMachine, key, name);
      break;
    case Op::kPolicy:
      SetSystemPolicy(target.policyIndex, static_cast<unsigned>(number));
      break;
  }
}

}  // namespace

Row Check(const std::string& control, const std::string& key, const std::string& name,
          Action checked, Action unchecked) {
  return Row{control, Read::kChecked, {Target{key, name, checked, unchecked}}, nullptr};
}

Row Check(const std::string& control, std::vector<Target> targets) {
  return Row{control, Read::kChecked, std::move(targets), nullptr};
}

Row Value(const std::string& control, Read read, Op op, const std::string& key,
          const std::string& name) {
  return Row{control, read, {Target{key, name, ControlValue(op), Nothing()}}, nullptr};
}

Row Custom(const std::string& control, Step step) {
  return Row{control, Read::kAlways, {}, std::move(step)};
}

void ApplyRows(const std::vector<Row>& rows, const ControlStates& states) {
  for (const Row& row : rows) {
    const MachineSpecificWrites mark(row.machineSpecific);
    if (row.step) {
      row.step(states);
      continue;
    }
    const Input in = ReadInput(row, states);
    for (const Target& target : row.targets) {
      Perform(target, in.checked ? target.checked : target.unchecked, in);
    }
  }
}

}  // namespace velotune
