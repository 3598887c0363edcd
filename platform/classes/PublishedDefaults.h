#pragma once
// The stored forms leave out a property that holds its published default, so a component read
// from a stream must start from those defaults, not from the values its constructor gives where
// the two differ (a class that starts a property, or a sub-object's property, elsewhere than the
// class that publishes it). Such classes call this when their reading begins (ReadState).
class TMetaClass;
class TObject;

// Sets every published property of object and of its owned sub-objects (not components, not
// collection items, not those made on first use) that declares a default, is stored and holds
// another value, to that default. A value a setter refuses stays as it was. The properties that
// base publishes too are left as they are (a control's place, tab order and tag are no settings
// of the class that starts elsewhere). A class that makes a sub-object on first use calls this
// on it when it is made while the class is being read.
void ApplyPublishedDefaults(TObject& object, const TMetaClass* base = nullptr);
