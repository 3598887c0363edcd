#pragma once
// The port's option groups: flow control, special characters, buffers.
#include "platform/classes/Assign.h"
#include "serial/VaClasses.h"
#include "serial/VaTypes.h"

class TVaFlowControl : public TVaPersistent {
    TV_CLASS(TVaFlowControl, TVaPersistent)
public:
    TVaFlowControl() = default;
    void Assign(TPersistent* source) override;

    bool OutCtsFlow() const { return outCtsFlow_; }
    void SetOutCtsFlow(bool value)
    {
        if (AssignIfChanged(outCtsFlow_, value)) Changed();
    }
    bool OutDsrFlow() const { return outDsrFlow_; }
    void SetOutDsrFlow(bool value)
    {
        if (AssignIfChanged(outDsrFlow_, value)) Changed();
    }
    TVaControlDtr ControlDtr() const { return controlDtr_; }
    void SetControlDtr(TVaControlDtr value)
    {
        if (AssignIfChanged(controlDtr_, value)) Changed();
    }
    TVaControlRts ControlRts() const { return controlRts_; }
    void SetControlRts(TVaControlRts value)
    {
        if (AssignIfChanged(controlRts_, value)) Changed();
    }
    bool XonXoffOut() const { return xonXoffOut_; }
    void SetXonXoffOut(bool value)
    {
        if (AssignIfChanged(xonXoffOut_, value)) Changed();
    }
    bool XonXoffIn() const { return xonXoffIn_; }
    void SetXonXoffIn(bool value)
    {
        if (AssignIfChanged(xonXoffIn_, value)) Changed();
    }
    bool DsrSensitivity() const { return dsrSensitivity_; }
    void SetDsrSensitivity(bool value)
    {
        if (AssignIfChanged(dsrSensitivity_, value)) Changed();
    }
    bool TxContinueOnXoff() const { return txContinueOnXoff_; }
    void SetTxContinueOnXoff(bool value)
    {
        if (AssignIfChanged(txContinueOnXoff_, value)) Changed();
    }

private:
    bool outCtsFlow_ = false;
    bool outDsrFlow_ = false;
    TVaControlDtr controlDtr_ = dtrDisabled;
    TVaControlRts controlRts_ = rtsDisabled;
    bool xonXoffOut_ = false;
    bool xonXoffIn_ = false;
    bool dsrSensitivity_ = false;
    bool txContinueOnXoff_ = false;
};

class TVaEventChars : public TVaPersistent {
    TV_CLASS(TVaEventChars, TVaPersistent)
public:
    TVaEventChars() = default;
    void Assign(TPersistent* source) override;

    // index 1..5: XonChar, XoffChar, ErrorChar, EventChar, EofChar. Notifies on every call.
    void SetChar(int index, char value);
    char XonChar() const { return xonChar_; }
    void SetXonChar(char value) { SetChar(1, value); }
    char XoffChar() const { return xoffChar_; }
    void SetXoffChar(char value) { SetChar(2, value); }
    char ErrorChar() const { return errorChar_; }
    void SetErrorChar(char value) { SetChar(3, value); }
    char EventChar() const { return eventChar_; }
    void SetEventChar(char value) { SetChar(4, value); }
    char EofChar() const { return eofChar_; }
    void SetEofChar(char value) { SetChar(5, value); }

private:
    char xonChar_ = 17;
    char xoffChar_ = 19;
    char errorChar_ = 0;
    char eventChar_ = 0;
    char eofChar_ = 0;
};

class TVaBuffers : public TVaPersistent {
    TV_CLASS(TVaBuffers, TVaPersistent)
public:
    TVaBuffers() = default;
    void Assign(TPersistent* source) override;

    TVaIntW ReadSize() const { return readSize_; }
    void SetReadSize(TVaIntW value)
    {
        if (AssignIfChanged(readSize_, value)) Changed();
    }
    TVaIntW WriteSize() const { return writeSize_; }
    void SetWriteSize(TVaIntW value)
    {
        if (AssignIfChanged(writeSize_, value)) Changed();
    }
    // Plain fields: no notification.
    TVaIntW ReadTimeout() const { return readTimeout_; }
    void SetReadTimeout(TVaIntW value) { readTimeout_ = value; }
    TVaIntW WriteTimeout() const { return writeTimeout_; }
    void SetWriteTimeout(TVaIntW value) { writeTimeout_ = value; }
    TVaIntW XonLimit() const { return xonLimit_; }
    void SetXonLimit(TVaIntW value)
    {
        if (AssignIfChanged(xonLimit_, value)) Changed();
    }
    TVaIntW XoffLimit() const { return xoffLimit_; }
    void SetXoffLimit(TVaIntW value)
    {
        if (AssignIfChanged(xoffLimit_, value)) Changed();
    }

private:
    TVaIntW readSize_ = 4096;
    TVaIntW writeSize_ = 2048;
    TVaIntW readTimeout_ = 1000;
    TVaIntW writeTimeout_ = 1000;
    TVaIntW xonLimit_ = 1024;
    TVaIntW xoffLimit_ = 1024;
};
