#include "chart/core/PictureComponent.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TZebPictureComponent)
{
    Prop("Picture", &TZebPictureComponent::Picture, &TZebPictureComponent::SetPicture);
}

TZebPictureComponent::TZebPictureComponent(TComponent* owner)
    : TComponent(owner), picture_(std::make_unique<TZebPicture>())
{
}

TZebPictureComponent::~TZebPictureComponent() = default;
