#pragma once
// The root of the antialiased object layer's wrappers. A wrapper owns one object of the layer; a
// call that fails stores its status as the wrapper's last status (a later success does not clear
// it) and never raises. A wrapper whose object could not be made answers every call with the
// status of that failure.
#include "platform/graphics/GPTypes.h"

class TGdiplusBase {
public:
    virtual ~TGdiplusBase() = default;
    TGdiplusBase(const TGdiplusBase&) = delete;
    TGdiplusBase& operator=(const TGdiplusBase&) = delete;

    TGPStatus GetLastStatus() const { return lastStatus_; }
    // The last status, which becomes Ok.
    TGPStatus ReadAndClearStatus()
    {
        TGPStatus s = lastStatus_;
        lastStatus_ = Ok;
        return s;
    }

protected:
    TGdiplusBase() = default;
    TGdiplusBase(TGdiplusBase&&) noexcept = default;
    TGdiplusBase& operator=(TGdiplusBase&&) noexcept = default;
    // Stores a failure and passes the status on.
    TGPStatus SetStatus(TGPStatus status) const
    {
        if (status != Ok) lastStatus_ = status;
        return status;
    }
    // Stores every status, success included (the font collections do so).
    TGPStatus StoreStatus(TGPStatus status) const { return lastStatus_ = status; }
    // A constructor that could not make its object; later calls answer the same status.
    void CreationFailed(TGPStatus status) { SetStatus(createStatus_ = status); }
    TGPStatus NotMade() const { return SetStatus(createStatus_ == Ok ? InvalidParameter : createStatus_); }

private:
    mutable TGPStatus lastStatus_ = Ok;
    TGPStatus createStatus_ = Ok;
};
