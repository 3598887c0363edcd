#pragma once
// TZebPictureComponent: a component that only holds a picture, so a form can keep one picture
// for the charts on it to share; a series' stored points carry their pictures in one each.
#include <memory>

#include "chart/canvas/ZebPicture.h"
#include "platform/classes/Component.h"

class TZebPictureComponent : public TComponent {
    TV_CLASS(TZebPictureComponent, TComponent)
public:
    explicit TZebPictureComponent(TComponent* owner);
    ~TZebPictureComponent() override;

    TZebPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* value) { picture_->Assign(value); }

private:
    std::unique_ptr<TZebPicture> picture_;
};
