#pragma once
// TZebPictureComponent: a component that only holds a picture, so a form can keep one picture
// for the charts on it to share.
#include <memory>

#include "platform/classes/Component.h"
#include "platform/graphics/Graphic.h"

class TZebPictureComponent : public TComponent {
    TV_CLASS(TZebPictureComponent, TComponent)
public:
    explicit TZebPictureComponent(TComponent* owner);
    ~TZebPictureComponent() override;

    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* value) { picture_->Assign(value); }

private:
    std::unique_ptr<TPicture> picture_;
};
