#pragma once
// A small tree with every property kind, shared by the stream tests and the benchmark's sanity check.
#include "SampleClasses.h"
#include "platform/classes/Object.h"
#include "platform/rtl/Streams.h"

// Form1 with Shape1 (every kind set away from its default, a collection, binary data, a nested
// component stream, a reference to Shape2 and an event) and Shape2 (defaults only).
TOwnedPtr<TSampleForm> MakeSampleTree();
// The binary stream of a component tree, as a byte string.
String StreamOf(TComponent* root);
