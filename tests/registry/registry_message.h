// The message of the ERegistryException an action raises, or "(no exception)".
#pragma once

#include <functional>
#include <string>

#include "platform/errors.h"

namespace velotune {

inline std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ERegistryException& e) {
    return e.what();
  }
  return "(no exception)";
}

}  // namespace velotune
