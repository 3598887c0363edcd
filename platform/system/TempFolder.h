#pragma once
// A folder for the program's temporary files (exports handed to the mail composer or the desktop's
// opener), private to this running program so that two instances never share a file name. Made on
// first use under $TMPDIR (else /tmp), readable by the user only, and removed with its contents
// when the program exits.
#include "platform/rtl/Types.h"

// The folder with a trailing '/'; empty when it cannot be made or is no longer writable.
String ProgramTempFolder();
