#include "serial/VaPrst.h"

#include <exception>

#include "platform/classes/Published.h"

namespace {

// BeginUpdate/EndUpdate around a copy, EndUpdate also when a setter raises.
class UpdateScope {
public:
    explicit UpdateScope(TVaPersistent& group) : group_(group), unwinding_(std::uncaught_exceptions())
    {
        group_.BeginUpdate();
    }
    ~UpdateScope() noexcept(false)
    {
        if (std::uncaught_exceptions() == unwinding_) {
            group_.EndUpdate();
            return;
        }
        try {
            group_.EndUpdate();  // the setter's exception is the one that travels on
        } catch (...) {
        }
    }

private:
    TVaPersistent& group_;
    int unwinding_;
};

}  // namespace

TV_PUBLISHED(TVaFlowControl)
{
    Prop("OutCtsFlow", &TVaFlowControl::OutCtsFlow, &TVaFlowControl::SetOutCtsFlow);
    Prop("OutDsrFlow", &TVaFlowControl::OutDsrFlow, &TVaFlowControl::SetOutDsrFlow);
    PropEnum("ControlDtr", &TVaFlowControl::ControlDtr, &TVaFlowControl::SetControlDtr, TVaControlDtrNames);
    PropEnum("ControlRts", &TVaFlowControl::ControlRts, &TVaFlowControl::SetControlRts, TVaControlRtsNames);
    Prop("XonXoffOut", &TVaFlowControl::XonXoffOut, &TVaFlowControl::SetXonXoffOut);
    Prop("XonXoffIn", &TVaFlowControl::XonXoffIn, &TVaFlowControl::SetXonXoffIn);
    Prop("DsrSensitivity", &TVaFlowControl::DsrSensitivity, &TVaFlowControl::SetDsrSensitivity);
    Prop("TxContinueOnXoff", &TVaFlowControl::TxContinueOnXoff, &TVaFlowControl::SetTxContinueOnXoff);
}

TV_PUBLISHED(TVaEventChars)
{
    Prop("XonChar", &TVaEventChars::XonChar, &TVaEventChars::SetXonChar, char(17));
    Prop("XoffChar", &TVaEventChars::XoffChar, &TVaEventChars::SetXoffChar, char(19));
    Prop("ErrorChar", &TVaEventChars::ErrorChar, &TVaEventChars::SetErrorChar, char(0));
    Prop("EofChar", &TVaEventChars::EofChar, &TVaEventChars::SetEofChar, char(0));
    Prop("EventChar", &TVaEventChars::EventChar, &TVaEventChars::SetEventChar, char(0));
}

TV_PUBLISHED(TVaBuffers)
{
    Prop("ReadSize", &TVaBuffers::ReadSize, &TVaBuffers::SetReadSize, 4096);
    Prop("WriteSize", &TVaBuffers::WriteSize, &TVaBuffers::SetWriteSize, 2048);
    Prop("ReadTimeout", &TVaBuffers::ReadTimeout, &TVaBuffers::SetReadTimeout, 1000);
    Prop("WriteTimeout", &TVaBuffers::WriteTimeout, &TVaBuffers::SetWriteTimeout, 1000);
    Prop("XonLimit", &TVaBuffers::XonLimit, &TVaBuffers::SetXonLimit, 1024);
    Prop("XoffLimit", &TVaBuffers::XoffLimit, &TVaBuffers::SetXoffLimit, 1024);
}

void TVaFlowControl::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TVaFlowControl*>(source);
    if (!s || &s->ClassType() != &ClassType()) {
        inherited::Assign(source);
        return;
    }
    UpdateScope scope(*this);
    SetOutCtsFlow(s->OutCtsFlow());
    SetOutDsrFlow(s->OutDsrFlow());
    SetControlDtr(s->ControlDtr());
    SetControlRts(s->ControlRts());
    SetXonXoffOut(s->XonXoffOut());
    SetXonXoffIn(s->XonXoffIn());
    SetDsrSensitivity(s->DsrSensitivity());
    SetTxContinueOnXoff(s->TxContinueOnXoff());
}

void TVaEventChars::SetChar(int index, char value)
{
    switch (index) {
    case 1: xonChar_ = value; break;
    case 2: xoffChar_ = value; break;
    case 3: errorChar_ = value; break;
    case 4: eventChar_ = value; break;
    case 5: eofChar_ = value; break;
    default: return;
    }
    Changed();
}

void TVaEventChars::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TVaEventChars*>(source);
    if (!s || &s->ClassType() != &ClassType()) {
        inherited::Assign(source);
        return;
    }
    UpdateScope scope(*this);
    SetXonChar(s->XonChar());
    SetXoffChar(s->XoffChar());
    SetErrorChar(s->ErrorChar());
    SetEventChar(s->EventChar());
    SetEofChar(s->EofChar());
}

void TVaBuffers::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TVaBuffers*>(source);
    if (!s || &s->ClassType() != &ClassType()) {
        inherited::Assign(source);
        return;
    }
    UpdateScope scope(*this);
    readSize_ = s->readSize_;
    writeSize_ = s->writeSize_;
    readTimeout_ = s->readTimeout_;
    writeTimeout_ = s->writeTimeout_;
    xonLimit_ = s->xonLimit_;
    xoffLimit_ = s->xoffLimit_;
}
