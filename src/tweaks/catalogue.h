// A page's catalogue as data: each row reads one control and performs the
// registry operations given for that control's state. Rows whose work does not
// fit the pattern carry a step function instead.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "tweaks/control_states.h"

namespace velotune {

// The registry operation a row performs for one state.
enum class Op {
  kNothing,
  kDwordBoth,      // WriteDwordBoth: HKLM, then HKCU
  kDwordUser,      // WriteDwordUser
  kDwordMachine,   // WriteDwordMachine
  kDwordUsers,     // WriteDwordUsers
  kStringUser,     // WriteStringUser
  kStringMachine,  // WriteStringMachine
  kStringUsers,    // WriteStringUsers
  kStringClasses,  // WriteStringClasses
  kDeleteUser,     // DeleteRegValue under HKCU
  kDeleteMachine,  // DeleteRegValue under HKLM
  kPolicy,         // SetSystemPolicy with the target's policy index
};

// One state's operation and value. With fromControl the value is the
// control's own (its text, position or item index).
struct Action {
  Op op = Op::kNothing;
  std::int32_t number = 0;
  const char* text = "";
  bool fromControl = false;
};

inline Action Nothing() {
  return Action{};
}
inline Action Dword(Op op, std::int32_t value) {
  return Action{op, value, "", false};
}
inline Action Str(Op op, const char* text) {
  return Action{op, 0, text, false};
}
inline Action Delete(Op op) {
  return Action{op, 0, "", false};
}
inline Action ControlValue(Op op) {
  return Action{op, 0, "", true};
}

// How a row reads its control. Every kind but kChecked always performs the
// row's "checked" action, with the control's value.
enum class Read {
  kChecked,      // check box or radio button: checked or unchecked action
  kText,         // edit text, as typed
  kNumericText,  // edit text that must be a whole decimal number
  kPosition,     // up-down or track bar position (DWORD, or decimal text)
  kItemIndex,    // combo box item index
  kAlways,       // no control; the checked action with its fixed value
};

struct Target {
  std::string key;
  std::string name;
  Action checked;
  Action unchecked;
  unsigned policyIndex = 0;  // only for Op::kPolicy
};

using Step = std::function<void(const ControlStates&)>;

struct Row {
  std::string control;
  Read read = Read::kChecked;
  std::vector<Target> targets;
  Step step;  // when set, the row is this step alone
  // Why what the row writes holds only on this machine (MachineSpecificWrites);
  // null for rows whose writes hold on any machine.
  const char* machineSpecific = nullptr;
};

// A check-box row with one target.
Row Check(const std::string& control, const std::string& key, const std::string& name,
          Action checked, Action unchecked);
// A check-box row with several targets written in order.
Row Check(const std::string& control, std::vector<Target> targets);
// A row that writes a control's value (text, position, index) whatever its state.
Row Value(const std::string& control, Read read, Op op, const std::string& key,
          const std::string& name);
// A row done by a step of its own.
Row Custom(const std::string& control, Step step);

// Raised when an edit that must hold a number holds something else.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Applies the rows in order. The first failing row ends the run; what was
// written before it stays.
void ApplyRows(const std::vector<Row>& rows, const ControlStates& states);

}  // namespace velotune
