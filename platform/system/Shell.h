#pragma once
// Hands a document, folder or web address to the desktop, which opens it with the program the user
// chose for it (the desktop's "open"; xdg-open on the search path).
#include "platform/rtl/Types.h"

// Failure codes of the shell's answer; a value above 32 means the opener took the document.
enum : int {
    SE_ERR_FNF = 2,           // the document does not exist
    SE_ERR_ACCESSDENIED = 5,  // the opener failed
    SE_ERR_NOASSOC = 31       // no program for the document, or no opener on this desktop
};

// Returns 33 when the opener took the document, else one of the codes above. Waits while the
// opener runs, at most about two seconds: an opener still running then has started the program
// and is left to run.
int OpenWithShell(const String& document);
