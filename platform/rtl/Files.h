#pragma once
// File-name and file-system helpers. Paths use '/'.
#include <vector>

#include "platform/rtl/Types.h"

constexpr char PathDelim = '/';

bool FileExists(const String& fileName);  // a file (not a directory)
bool DirectoryExists(const String& dirName);
bool DeleteFile(const String& fileName);
bool RenameFile(const String& oldName, const String& newName);
bool CreateDir(const String& dirName);
bool ForceDirectories(const String& dirName);
String GetCurrentDir();
// Names (without folder) of the files in a folder that match a pattern, sorted; folders are left
// out. The pattern is "folder/name": '*' stands for any run of characters and '?' for one, "*.*"
// for every name; names compare with case, as the file system does. Empty when the folder is
// missing.
std::vector<String> ListFiles(const String& pathPattern);
String ExpandFileName(const String& fileName);

String ExtractFilePath(const String& fileName);  // with the trailing '/'
String ExtractFileDir(const String& fileName);   // without it
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);  // ".ext", "" when none
String ChangeFileExt(const String& fileName, const String& extension);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);

// ParamStr(0) is the program's full file name; 1.. the command-line arguments.
String ParamStr(int index);
int ParamCount();
// The program's folder with a trailing '/'.
String ProgramFolder();
