// The error classes of the platform the tool was first written for.
//
// Every failure travels as one of these exceptions; what() is the message
// exactly as the user sees it. Callers catch the family they can handle and
// let the rest reach the default handler that shows it.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// File and folder failures reported by the run-time library.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// Stream failures; the file variants carry the path and the system's reason.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Failures of the data-access layer (the song table).
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// A value that cannot be converted or assigned ("Cannot assign a nil to a TTntStringList").
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An object asked for an interface it does not offer ("Interface not supported").
class EIntfCastError : public Exception {
public:
    using Exception::Exception;
};

// A string list used with an index it does not have ("List index out of bounds (5)").
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

// The text "Unable to create directory", raised for a folder text that can
// never be made.
inline constexpr const char* kUnableToCreateDirectory = "Unable to create directory";

// 'Cannot create file "<path>". <reason>'
std::string CannotCreateFileMessage(const std::string& path, const std::string& reason);
