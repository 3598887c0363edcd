#pragma once
// Layer-private: a test hook that lets a test drive the running program from outside.
//
// When the environment variable TV_TEST_DRIVER names a FIFO, the message loop takes commands from
// it, one a line, and answers each on standard output once it has run:
//   click NAME   a mouse click on the main form's control NAME, as input arrives   -> "clicked NAME"
//   close        the main form's window closed by the window system (its close box) -> "closing"
// "ready" is written once the main form is shown. Without the variable nothing happens.

namespace tvforms {

void StartTestDriver();
void StopTestDriver();

}  // namespace tvforms
