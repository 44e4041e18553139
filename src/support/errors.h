#pragma once
#include <stdexcept>
#include <string>

namespace tetsuro {

// Root of the stream layer's errors.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Input/output failure: a file that cannot be opened, read or written.
class IOException : public Exception {
public:
    using Exception::Exception;
};

// A file that does not exist or cannot be opened for reading.
class FileNotFoundException : public IOException {
public:
    using IOException::IOException;
};

// The data ended before a value could be read whole. Derived from
// IOException so that every input/output handler also catches it.
class EOFException : public IOException {
public:
    using IOException::IOException;
};

// Text that is not a number where a number was expected.
class NumberFormatException : public Exception {
public:
    using Exception::Exception;
};

}  // namespace tetsuro
