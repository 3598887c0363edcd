#pragma once
// Where the per-user files of the program live: $XDG_CONFIG_HOME/tiltviewer
// (~/.config/tiltviewer when the variable is unset or empty).
#include "platform/rtl/Types.h"

String UserConfigDir();
// Creates the folder (and its parents) when missing; false when it cannot.
bool ForceUserConfigDir();

// Replaces the file with text as one step: written beside it, then renamed over
// it, under an exclusive lock on "<path>.lock" that edit() also holds while it
// reads the current contents. edit gets the old text ("" when none) and returns
// the new one. False (errno kept) on failure.
bool EditFileAtomically(const String& path, String (*edit)(const String& old, void* context), void* context);
