#pragma once
// Objects that can be assigned to each other and written to component streams.
#include "platform/classes/Object.h"

class TFiler;

class TPersistent : public TObject {
    TV_CLASS(TPersistent, TObject)
public:
    // Copies source into this object; the default hands over to source->AssignTo(this) and, when
    // that refuses too, raises EConvertError "Cannot assign a %s to a %s". A null source is a
    // "nil" in the message.
    virtual void Assign(TPersistent* source);
    // Object path for messages and editors: "Form1.Chart1.Title.Font".
    virtual String GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent* dest);
    // Extra stream data beyond the published properties: filer.DefineProperty(...).
    virtual void DefineProperties(TFiler& filer);
    // The object that contains this one (used by GetNamePath); nullptr for a top object.
    virtual TPersistent* GetOwner() const { return nullptr; }

    friend class TReader;
    friend class TWriter;
};
