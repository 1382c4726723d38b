#pragma once
// Run-time errors of the forms runtime. A trapping procedure catches VbError,
// reports it under its label and leaves.
#include <stdexcept>
#include <string>

namespace vb {

enum ErrorNumber : int {
  errInvalidCall = 5,        // invalid procedure call or argument
  errOverflow = 6,           // overflow
  errTypeMismatch = 13,      // type mismatch
  errDeviceIO = 57,          // device I/O error
  errDiskFull = 61,          // disk full
  errPermissionDenied = 70,  // permission denied
  errPathFileAccess = 75,    // path/file access error
  errInvalidProperty = 380   // invalid property value
};

class VbError : public std::runtime_error {
 public:
  explicit VbError(int number);
  int Number() const { return number_; }

 private:
  int number_;
};

[[noreturn]] void Raise(int number);

}  // namespace vb
