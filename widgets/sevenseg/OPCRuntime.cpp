// The platform's component-object runtime. Linux has neither the runtime nor OPC Data Access
// servers: every look-up fails and every creation raises, so a connect always reports failure.
#include "widgets/sevenseg/OPCInterfaces.h"

#include "platform/rtl/Exceptions.h"

namespace {

class TNoComRuntime : public IOPCRuntime {
public:
    HRESULT CLSIDFromProgID(const String&, TOPCGuid& clsid) override
    {
        clsid = {};
        return CO_E_CLASSSTRING;
    }
    std::shared_ptr<IOPCServer> CreateLocalServer(const TOPCGuid&) override
    {
        throw Exception("Unable to convert ProgID to CLSID");
    }
    std::shared_ptr<IOPCServer> CreateRemoteServer(const String&, const TOPCGuid&) override
    {
        throw Exception("Unable to convert ProgID to CLSID");
    }
    std::shared_ptr<IOPCServerList> CreateServerList(const String&) override { return nullptr; }
};

std::shared_ptr<IOPCRuntime>& Replacement()
{
    static std::shared_ptr<IOPCRuntime> runtime;
    return runtime;
}

}  // namespace

IOPCRuntime& OPCRuntime()
{
    static TNoComRuntime platform;
    if (auto& r = Replacement()) return *r;
    return platform;
}

std::shared_ptr<IOPCRuntime> SetOPCRuntime(std::shared_ptr<IOPCRuntime> runtime)
{
    std::swap(Replacement(), runtime);
    return runtime;
}
