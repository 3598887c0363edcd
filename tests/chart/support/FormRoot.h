#pragma once
// A form-like root for stored-chart tests: every owned component without a parent component is
// written as its child.
#include "platform/classes/Component.h"

class TFormRoot : public TComponent {
    TV_CLASS(TFormRoot, TComponent)
public:
    using TComponent::TComponent;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
};
