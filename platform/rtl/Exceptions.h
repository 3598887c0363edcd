#pragma once
// The runtime library's exception hierarchy: every failure carries a message text.
#include <exception>

#include "platform/rtl/Types.h"

class Exception : public std::exception {
public:
    explicit Exception(String message) : message_(std::move(message)) {}
    const String& Message() const { return message_; }
    void SetMessage(String message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    String message_;
};

class EAbort : public Exception {
public:
    using Exception::Exception;
};  // silent: never reported to the user
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
class EInOutError : public Exception {
public:
    using Exception::Exception;
};
class EOutOfMemory : public Exception {
public:
    using Exception::Exception;
};
class EMathError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidOp : public EMathError {
public:
    using EMathError::EMathError;
};
class EZeroDivide : public EMathError {
public:
    using EMathError::EMathError;
};
class EOverflow : public EMathError {
public:
    using EMathError::EMathError;
};
class EListError : public Exception {
public:
    using Exception::Exception;
};
class EStringListError : public Exception {
public:
    using Exception::Exception;
};
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFileStreamError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};
class EFOpenError : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFilerError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EClassNotFound : public EFilerError {
public:
    using EFilerError::EFilerError;
};
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};
class EInvalidPointer : public Exception {
public:
    using Exception::Exception;
};
class EOSError : public Exception {
public:
    using Exception::Exception;
};
class EThread : public Exception {
public:
    using Exception::Exception;
};
class EComponentError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};
