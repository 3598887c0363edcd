#pragma once
// Per-user values of the engine's editors and print preview, kept under HKEY_CURRENT_USER.
#include "platform/rtl/Types.h"

class TCustomForm;

// The editors' key and the print preview's key.
extern const char* const EditorRegistryKey;        // "SOFTWARE\Norvik Software\Zebgraph Pro\Editor"
extern const char* const PrintPreviewRegistryKey;  // "SOFTWARE\Norvik Software\Zebgraph Pro\PrintPreview"

// The stored value when the editor key and the value exist (and, for numbers, read as one), else
// the default.
bool ReadEditorBool(const String& name, bool defaultValue);
int ReadEditorInteger(const String& name, int defaultValue);
String ReadEditorString(const String& name, const String& defaultValue);
// Create the key when missing and write.
void WriteEditorBool(const String& name, bool value);
void WriteEditorInteger(const String& name, int value);
void WriteEditorString(const String& name, const String& value);

// Reads "Left" and "Top" (each at least 0, the position becoming designed) with position, and
// "Maximized", "Width" and "Height" (each at least 100) with size; then keeps the form's left and
// top edges on the screen.
void LoadFormPlacement(TCustomForm& form, const String& key, bool position, bool size);
// Writes "Left" and "Top" unless maximized (with position); "Width" and "Height" unless maximized
// and "Maximized" always (with size).
void SaveFormPlacement(const TCustomForm& form, const String& key, bool position, bool size);

// When oldKey exists: deleted if newKey exists already, else moved to newKey.
void MoveRegistryKey(const String& oldKey, const String& newKey);
