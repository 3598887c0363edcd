#pragma once
// Mail through the desktop's composer (xdg-email on the search path). The composer returns before
// the user sends the message, so an attached file must outlive the call.
#include "platform/rtl/Types.h"

// Whether xdg-email is on the search path (looked up on every call).
bool MailComposerAvailable();
// The composer's status when the desktop has no program to compose mail with.
constexpr int MailComposerFoundNoProgram = 3;
// Opens a new message with the subject, no recipient and the file attached. 0 when the composer
// took it, -1 when it could not be started, else its exit code. Waits at most a few seconds: a
// composer still running then has opened the message and is left to run.
int ComposeMailWithAttachment(const String& file, const String& subject);
