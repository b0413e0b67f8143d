// The failure raised when a property is given a value it refuses.
#pragma once

#include "platform/errors.h"

namespace velotune {

#ifndef VELOTUNE_HAS_EINVALIDOPERATION
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};
#endif

}  // namespace velotune
