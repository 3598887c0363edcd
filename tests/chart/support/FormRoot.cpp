#include "tests/chart/support/FormRoot.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TFormRoot) {}

void TFormRoot::GetChildren(const TGetChildProc& proc, TComponent*)
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (!Components(i)->GetParentComponent()) proc(Components(i));
}
