// Registers every control class a form description may name.
#pragma once

namespace velotune {

void RegisterStandardClasses();

}  // namespace velotune
