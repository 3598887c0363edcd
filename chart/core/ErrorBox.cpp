#include "chart/core/ErrorBox.h"

#include "platform/forms/Forms.h"
#include "platform/forms/MessageBoxCodes.h"

void ShowErrorBox(const String& text) { Application->MessageBox(text, String(), MB_OK | MB_ICONERROR); }
