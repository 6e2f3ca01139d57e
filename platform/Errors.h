#pragma once

#include <stdexcept>
#include <string>

// The program's errors. Messages are UTF-8 and are shown to the user as they stand.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// A failure of the print system or the operating system, with its code and the system's own text.
class EOSError : public Exception {
public:
    EOSError(int code, const std::string& systemText);
    int code() const { return code_; }

private:
    int code_;
};

class EMathError : public Exception {
public:
    using Exception::Exception;
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp();
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide();
};

class EOverflow : public EMathError {
public:
    EOverflow();
};

// A picture or other built-in resource that does not hold what it should.
class EResourceError : public Exception {
public:
    using Exception::Exception;
};

// A file that could not be written, with the system's reason.
class EFCreateError : public Exception {
public:
    EFCreateError(const std::string& path, const std::string& reason);
};

// A write that failed where a file could not be replaced whole: a device, a pipe, standard output.
class EFWriteError : public Exception {
public:
    EFWriteError(const std::string& target, const std::string& reason);
};

namespace PrinterMessages {
inline constexpr const char* NoDefaultPrinter = "There is no default printer currently selected";
inline constexpr const char* IndexOutOfRange = "Printer index out of range";
inline constexpr const char* PrintingInProgress = "Printing in progress";
inline constexpr const char* NotPrinting = "Printer is not currently printing";
inline constexpr const char* InvalidPrinter = "Printer selected is not valid";
inline constexpr const char* NotSupported = "Operation not supported on selected printer";
} // namespace PrinterMessages
