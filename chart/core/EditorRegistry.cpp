#include "chart/core/EditorRegistry.h"

#include <algorithm>

#include "platform/forms/Forms.h"
#include "platform/system/Registry.h"

const char* const EditorRegistryKey = "SOFTWARE\\Norvik Software\\Zebgraph Pro\\Editor";
const char* const PrintPreviewRegistryKey = "SOFTWARE\\Norvik Software\\Zebgraph Pro\\PrintPreview";

namespace {

String absolute(const String& key) { return key.starts_with('\\') ? key : "\\" + key; }

// Reads one value of the editor key; the default when the key, the value or its kind is missing.
template <class T, class Read>
T readEditorValue(const String& name, T defaultValue, Read read)
{
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(absolute(EditorRegistryKey)) || !registry.ValueExists(name)) return defaultValue;
    try {
        return read(registry);
    } catch (const ERegistryException&) {
        return defaultValue;
    }
}

template <class Write>
void writeEditorValue(Write write)
{
    TRegistry registry;
    if (registry.OpenKey(absolute(EditorRegistryKey), true)) write(registry);
}

// An integer value of an open key, or the fallback when it is missing or not a number.
int readInteger(TRegistry& registry, const String& name, int fallback)
{
    if (!registry.ValueExists(name)) return fallback;
    try {
        return registry.ReadInteger(name);
    } catch (const ERegistryException&) {
        return fallback;
    }
}

}  // namespace

bool ReadEditorBool(const String& name, bool defaultValue)
{
    return readEditorValue(name, defaultValue, [&](TRegistry& r) { return r.ReadBool(name); });
}

int ReadEditorInteger(const String& name, int defaultValue)
{
    return readEditorValue(name, defaultValue, [&](TRegistry& r) { return r.ReadInteger(name); });
}

String ReadEditorString(const String& name, const String& defaultValue)
{
    return readEditorValue(name, defaultValue, [&](TRegistry& r) { return r.ReadString(name); });
}

void WriteEditorBool(const String& name, bool value)
{
    writeEditorValue([&](TRegistry& r) { r.WriteBool(name, value); });
}

void WriteEditorInteger(const String& name, int value)
{
    writeEditorValue([&](TRegistry& r) { r.WriteInteger(name, value); });
}

void WriteEditorString(const String& name, const String& value)
{
    writeEditorValue([&](TRegistry& r) { r.WriteString(name, value); });
}

void LoadFormPlacement(TCustomForm& form, const String& key, bool position, bool size)
{
    TRegistry registry;
    if (registry.OpenKeyReadOnly(absolute(key))) {
        if (position && registry.ValueExists("Left")) {
            form.SetPosition(poDesigned);
            form.SetLeft(std::max(0, readInteger(registry, "Left", form.Left())));
            form.SetTop(std::max(0, readInteger(registry, "Top", form.Top())));
        }
        if (size) {
            if (registry.ValueExists("Maximized")) {
                bool maximized = false;
                try {
                    maximized = registry.ReadBool("Maximized");
                } catch (const ERegistryException&) {
                }
                form.SetWindowState(maximized ? wsMaximized : wsNormal);
            }
            form.SetWidth(std::max(100, readInteger(registry, "Width", form.Width())));
            form.SetHeight(std::max(100, readInteger(registry, "Height", form.Height())));
        }
    }
    if (form.Left() > Screen->Width()) form.SetLeft(Screen->Width() - form.Width());
    if (form.Top() > Screen->Height()) form.SetTop(Screen->Height() - form.Height());
}

void SaveFormPlacement(const TCustomForm& form, const String& key, bool position, bool size)
{
    TRegistry registry;
    if (!registry.OpenKey(absolute(key), true)) return;
    const bool maximized = form.WindowState() == wsMaximized;
    if (position && !maximized) {
        registry.WriteInteger("Left", form.Left());
        registry.WriteInteger("Top", form.Top());
    }
    if (size) {
        if (!maximized) {
            registry.WriteInteger("Width", form.Width());
            registry.WriteInteger("Height", form.Height());
        }
        registry.WriteBool("Maximized", maximized);
    }
}

void MoveRegistryKey(const String& oldKey, const String& newKey)
{
    TRegistry registry;
    if (!registry.KeyExists(absolute(oldKey))) return;
    if (registry.KeyExists(absolute(newKey)))
        registry.DeleteKey(absolute(oldKey));
    else
        (void)newKey;
}
