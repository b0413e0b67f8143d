// The failure raised when a property is given a value it refuses.
#pragma once

#include "platform/errors.h"

namespace velotune {

class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace velotune
