// The game's exception classes. Messages are kept in the object, never pointed into temporaries.
#pragma once

#include <stdexcept>
#include <string>

// Any I/O failure of a data file; also the class of "Read beyond end of file".
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& message) : std::runtime_error(message) {}
};

// The file does not exist: "File \"<name>\" not found."
class EFileNotFound : public EInOutError {
public:
    explicit EFileNotFound(const std::string& message) : EInOutError(message) {}
};

// The file exists but could not be opened: "File open failed: <reason>"
class EFileOpenFailed : public EInOutError {
public:
    explicit EFileOpenFailed(const std::string& message) : EInOutError(message) {}
};

// A value or index outside one of the game's fixed limits.
class ERangeError : public std::range_error {
public:
    ERangeError() : std::range_error("Range check error") {}
    explicit ERangeError(const std::string& message) : std::range_error(message) {}
};

// An abstract operation was called: a fault of the program, not of the data.
class EAbstractError : public std::logic_error {
public:
    EAbstractError() : std::logic_error("Abstract Error") {}
};
