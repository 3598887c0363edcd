#include "platform/classes/Published.h"

#include "platform/rtl/Strings.h"

TPropInfo& TClassTableBuilder::AddProperty(std::unique_ptr<TPropInfo> info)
{
    for (auto& p : Props)
        if (SameText(p->Name, info->Name)) {
            p = std::move(info);
            return *p;
        }
    Props.push_back(std::move(info));
    return *Props.back();
}

void TClassTableBuilder::AddMethod(TMethodInfo info) { Methods.push_back(std::move(info)); }
