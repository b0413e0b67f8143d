// Writes that hold only on the machine they are made on: values whose keys
// name this machine's own identifiers (its network interfaces), which differ
// on every machine. A catalogue row marked so (Row::machineSpecific) writes
// under a MachineSpecificWrites mark; a plan notes the mark on every step made
// meanwhile, and an export leaves those steps out, saying why.
#pragma once

namespace velotune {

class MachineSpecificWrites {
 public:
  // `why` says what makes the writes this machine's own; null marks nothing.
  explicit MachineSpecificWrites(const char* why);
  ~MachineSpecificWrites();
  MachineSpecificWrites(const MachineSpecificWrites&) = delete;
  MachineSpecificWrites& operator=(const MachineSpecificWrites&) = delete;

  // The reason of the innermost mark alive, or null.
  static const char* Current();

 private:
  const char* previous_;
};

}  // namespace velotune
