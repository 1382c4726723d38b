#include "platform/VbError.h"

namespace vb {

VbError::VbError(int number)
    : std::runtime_error("run-time error " + std::to_string(number)), number_(number) {}

void Raise(int number) { throw VbError(number); }

}  // namespace vb
