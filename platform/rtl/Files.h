#pragma once
// File-name and file-system helpers. Paths use '/'.
#include "platform/rtl/Types.h"

constexpr char PathDelim = '/';

bool FileExists(const String& fileName);  // a file (not a directory)
bool DirectoryExists(const String& dirName);
bool DeleteFile(const String& fileName);
bool RenameFile(const String& oldName, const String& newName);
bool CreateDir(const String& dirName);
bool ForceDirectories(const String& dirName);
String GetCurrentDir();
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
