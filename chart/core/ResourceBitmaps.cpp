#include "chart/core/ResourceBitmaps.h"

#include "platform/classes/Object.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/Resources.h"
#include "platform/rtl/Strings.h"

namespace {

// The resource as a bitmap (BMP, PNG, JPEG ...); false when there is none or it does not load.
bool loadResource(TBitmap& bitmap, const String& name)
{
    if (name.empty() || !FindResource(name)) return false;
    try {
        TResourceStream stream(name);
        TPicture picture;
        picture.LoadFromStream(stream);
        bitmap.Assign(picture.Graphic());
        return true;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

bool LoadNamedBitmapResource(TBitmap& bitmap, const String& name, const String& fallbackName)
{
    return loadResource(bitmap, name) || loadResource(bitmap, fallbackName);
}

bool LoadClassIcon(const TObject& object, TBitmap& bitmap)
{
    const TMetaClass* parent = object.ClassType().ClassParent();
    return LoadNamedBitmapResource(bitmap, object.ClassName(), parent ? parent->ClassName() : String());
}

void DrawClassBitmap(TCanvas& canvas, const TObject& object, int x, int y)
{
    TBitmap bitmap;
    for (const TMetaClass* cls = &object.ClassType(); cls; cls = cls->ClassParent())
        if (loadResource(bitmap, UpperCase(cls->ClassName()))) return canvas.Draw(x, y, &bitmap);
}
