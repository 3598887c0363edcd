#pragma once
// The port's option groups: flow control, special characters, buffers.
#include "serial/VaClasses.h"
#include "serial/VaTypes.h"

class TVaFlowControl : public TVaPersistent {
    TV_CLASS(TVaFlowControl, TVaPersistent)
public:
    TVaFlowControl() = default;
    void Assign(TPersistent* source) override;

    bool OutCtsFlow() const { return outCtsFlow_; }
    void SetOutCtsFlow(bool value) { set(outCtsFlow_, value); }
    bool OutDsrFlow() const { return outDsrFlow_; }
    void SetOutDsrFlow(bool value) { set(outDsrFlow_, value); }
    TVaControlDtr ControlDtr() const { return controlDtr_; }
    void SetControlDtr(TVaControlDtr value) { set(controlDtr_, value); }
    TVaControlRts ControlRts() const { return controlRts_; }
    void SetControlRts(TVaControlRts value) { set(controlRts_, value); }
    bool XonXoffOut() const { return xonXoffOut_; }
    void SetXonXoffOut(bool value) { set(xonXoffOut_, value); }
    bool XonXoffIn() const { return xonXoffIn_; }
    void SetXonXoffIn(bool value) { set(xonXoffIn_, value); }
    bool DsrSensitivity() const { return dsrSensitivity_; }
    void SetDsrSensitivity(bool value) { set(dsrSensitivity_, value); }
    bool TxContinueOnXoff() const { return txContinueOnXoff_; }
    void SetTxContinueOnXoff(bool value) { set(txContinueOnXoff_, value); }

private:
    template <class V> void set(V& field, V value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }

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
    void SetReadSize(TVaIntW value) { set(readSize_, value); }
    TVaIntW WriteSize() const { return writeSize_; }
    void SetWriteSize(TVaIntW value) { set(writeSize_, value); }
    // Plain fields: no notification.
    TVaIntW ReadTimeout() const { return readTimeout_; }
    void SetReadTimeout(TVaIntW value) { readTimeout_ = value; }
    TVaIntW WriteTimeout() const { return writeTimeout_; }
    void SetWriteTimeout(TVaIntW value) { writeTimeout_ = value; }
    TVaIntW XonLimit() const { return xonLimit_; }
    void SetXonLimit(TVaIntW value) { set(xonLimit_, value); }
    TVaIntW XoffLimit() const { return xoffLimit_; }
    void SetXoffLimit(TVaIntW value) { set(xoffLimit_, value); }

private:
    void set(TVaIntW& field, TVaIntW value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }

    TVaIntW readSize_ = 4096;
    TVaIntW writeSize_ = 2048;
    TVaIntW readTimeout_ = 1000;
    TVaIntW writeTimeout_ = 1000;
    TVaIntW xonLimit_ = 1024;
    TVaIntW xoffLimit_ = 1024;
};
