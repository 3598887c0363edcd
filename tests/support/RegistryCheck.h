#pragma once
// A check any test binary can run over the classes it registers: each class is created, written to
// a component stream, read back into a fresh instance and written again, and the two streams must
// be equal (a class the stream names must be registered); a fresh instance writes each property
// once and none whose value is its published default; a property whose new value is not its
// published default must still come back when set to that default (the writer leaves the default
// out, so the reader would otherwise give the new value); and a class with an Assign copies every
// property to a fresh instance.
#include <functional>
#include <vector>

#include "platform/classes/Object.h"

class TComponent;

namespace testsupport {

struct StreamCheckOptions {
    // "TClass.Property" entries (TClass: the class or one of its parents) left as they are, for
    // properties whose value acts outside the stream when it is read (opening a device).
    std::vector<String> Untouched;
    // Called on each component the check creates, before it is written or read (a control may
    // want a parent, as on a form).
    std::function<void(TComponent*)> Place;
    // Collection items are checked too, each made without a collection (classes registered to be
    // created by name inside their own stream form, such as picture filters).
    bool CollectionItems = false;
    // Entries for what Assign leaves as it is by design, which the comparison of an assigned
    // instance leaves out (a component's Name always): "TClass.Property" where the holder is a
    // TClass, "TClass.*" every property TClass publishes itself, "TClass.Path.Property" by its
    // path below a TClass; a sub-object's entry covers everything below it.
    std::vector<String> NotAssigned;
    // Classes made from a stored description of their own (editor forms): their components and
    // settings come from it, so they are looked up by name but never read into another stream.
    std::vector<String> OwnDescription;
    // Further checks of a component's written stream (its other stored forms); returns their
    // faults.
    std::function<std::vector<String>(const String& stream)> StoredForms;
};

// What is wrong with one class; empty when it passes. Components are created with an owner;
// before the round trip every writable published property (sub-objects included) is moved away
// from its value, so that each one travels through the stream. A value the class refuses (an
// exception from its setter) is left as it was. Abstract classes pass. Collections get an item,
// whose properties are checked as the owner's.
std::vector<String> CheckStreamedClass(const TMetaClass& cls, const StreamCheckOptions& options = {});

// The program's own design exceptions: what its classes leave to the target on Assign and the
// properties whose value acts outside the stream. Every module's check starts from these.
StreamCheckOptions DesignStreamCheckOptions();

// CheckStreamedClass over every registered class (RegisteredClasses()), as gtest failures that
// name the class and list its faults.
void ExpectRegisteredClassesRoundTrip(const StreamCheckOptions& options = {});

}  // namespace testsupport
