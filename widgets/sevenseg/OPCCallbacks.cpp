#include "widgets/sevenseg/OPCCallbacks.h"

#include "widgets/sevenseg/OPCFunctions.h"

HRESULT TiOPCShutdownCallback::ShutdownRequest(const String&)
{
    // A copy: the handler may silence this object while it runs.
    if (auto handler = onShutdown_) handler(*this);
    return S_OK;
}

HRESULT TiOPCDataCallback::TakeFirst(const std::vector<TOPCItemState>& items)
{
    if (items.empty()) return S_OK;
    const TOPCItemState& first = items.front();  // each group of the binding holds one item
    Value = first.Value;
    Quality = first.Quality;
    TimeStamp = OPCFileTimeToDateTime(first.TimeStamp, time_);
    if (auto handler = onData_) handler(*this);
    return S_OK;
}

HRESULT TiOPCDataCallback::OnDataChange(Cardinal, OPCHANDLE, HRESULT, HRESULT, const std::vector<TOPCItemState>& items)
{
    return TakeFirst(items);
}

HRESULT TiOPCDataCallback::OnReadComplete(Cardinal, OPCHANDLE, HRESULT, HRESULT,
                                          const std::vector<TOPCItemState>& items)
{
    return TakeFirst(items);
}

void TiOPCAdviseSink::OnDataChange(const TFormatEtc& format, const TStgMedium& medium)
{
    const bool timeForm = format.ClipFormat == OPCStreamFormatDataTime();
    if (!timeForm && format.ClipFormat != OPCStreamFormatData()) return;
    if (!medium.HGlobal) return;
    const Byte* block = medium.HGlobal->Lock();
    if (!block) return;
    struct Unlocker {
        IGlobalMemory* memory;
        ~Unlocker() { memory->Unlock(); }
    } unlock{medium.HGlobal};
    DecodeOPCDataStream(
        block, medium.HGlobal->Size(), timeForm,
        [this](const TOPCStreamItem& item) {
            Value = item.Value;
            Quality = item.Quality;
            TimeStamp = item.TimeStamp;
            if (auto handler = onData_) handler(*this);
        },
        time_);
}
