#pragma once
// Registry access in the class library's shape. HKEY_CURRENT_USER keys live in
// an INI file (<UserConfigDir>/registry.ini, one section per key path);
// HKEY_LOCAL_MACHINE serves only "hardware\devicemap\serialcomm", read-only,
// from the serial device map (value name: device path, data: "COMn").
#include <cstdint>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Types.h"

using HKEY = std::uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TRegistry {
public:
    TRegistry();  // HKEY_CURRENT_USER, no key open
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return root_; }
    void SetRootKey(HKEY root);  // closes an open key
    // The key path without leading backslash; "" when none is open.
    const String& CurrentPath() const { return path_; }

    // A key name with a leading backslash is absolute, else relative to the open key.
    bool OpenKey(const String& key, bool canCreate);
    bool OpenKeyReadOnly(const String& key);
    void CloseKey();
    bool KeyExists(const String& key);
    bool DeleteKey(const String& key);
    // Copies a key with its values and subkeys to a new name, then deletes the old key when asked.
    // Nothing happens (false) when the old key is missing, the new one exists already, or the new
    // one lies inside the old one.
    bool MoveKey(const String& oldName, const String& newName, bool deleteOld);

    bool ValueExists(const String& name);
    void GetValueNames(TStrings& names);
    void GetKeyNames(TStrings& names);
    // "" for a missing value.
    String ReadString(const String& name);
    // ERegistryException "Invalid data type for '%s'" when missing or not a number / Boolean.
    int ReadInteger(const String& name);
    bool ReadBool(const String& name);
    // ERegistryException "Failed to set data for '%s'" on a read-only key or a failed write.
    void WriteString(const String& name, const String& value);
    void WriteInteger(const String& name, int value);
    void WriteBool(const String& name, bool value);
    bool DeleteValue(const String& name);

    // Redirects HKEY_CURRENT_USER (tests); "" restores <UserConfigDir>/registry.ini.
    static void SetUserFile(const String& path);
    static String UserFile();

private:
    String Resolve(const String& key) const;
    bool IsSerialComm() const;

    HKEY root_ = HKEY_CURRENT_USER;
    String path_;
    bool open_ = false;
    bool readOnly_ = false;
};
