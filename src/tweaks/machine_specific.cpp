#include "tweaks/machine_specific.h"

namespace velotune {

namespace {
// Actions run on the user-interface thread alone.
const char* current = nullptr;
}  // namespace

MachineSpecificWrites::MachineSpecificWrites(const char* why) : previous_(current) {
  if (why) current = why;
}

MachineSpecificWrites::~MachineSpecificWrites() {
  current = previous_;
}

const char* MachineSpecificWrites::Current() {
  return current;
}

}  // namespace velotune
