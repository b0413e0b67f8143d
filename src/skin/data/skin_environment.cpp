#include "skin/data/skin_environment.h"

namespace velotune::skin {

SkinEnvironment& ActiveSkinEnvironment() {
  static SkinEnvironment environment;
  return environment;
}

}  // namespace velotune::skin
