// Every component class the program's form descriptions name: the framework's
// standard controls, the resize kit and the skin holder.
#pragma once

namespace velotune {

void RegisterProgramClasses();

}  // namespace velotune
