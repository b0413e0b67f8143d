// Two registries set side by side at chosen keys and values, to tell whether
// a script put back what it should.
#pragma once

#include <string>
#include <vector>

#include "platform/layered_registry.h"

namespace velotune {

// The first place where `actual` does not hold what `expected` holds at the
// items, described ("HKEY_CURRENT_USER\Software\X "name": ..."); empty when
// they agree. A key item compares the whole key: whether it exists, its
// values and all its sub-keys.
std::string FirstDifference(RegistryBackend& expected, RegistryBackend& actual,
                            const std::vector<RegItem>& items);

}  // namespace velotune
