// Where the system keeps its files: the data folder beside the program and
// the files in it, plus the folder listing and file size helpers other parts
// use, and the dictionary descriptions read from dictionaries.info.
#pragma once

#include "platform/StringList.h"

#include <cstdint>
#include <string>

namespace qm {

// The folder of the running program file, with a trailing "/".
std::string ProgramFolder();

// ProgramFolder() + "data/", unless SetDataFolder chose another folder.
std::string DataFolder();
// A folder for the data files instead of the one beside the program (a "/"
// is added when missing); an empty path goes back to the default.
void SetDataFolder(const std::string& folder);

std::string ConfigFile();          // DataFolder() + "config.dat"
std::string DictionariesFile();    // DataFolder() + "dictionaries.dat"
std::string DictionaryInfoFile();  // DataFolder() + "dictionaries.info"
std::string TraceFile();           // DataFolder() + "assertions.dat"

// Appends to list folder + name for every regular file of one folder whose
// name matches the pattern part of mask ("*" and "?"); an empty folder part
// means the program's folder. Folders and hidden (dot) files are skipped,
// sub-folders are not searched, the names come in byte order, and errors end
// the listing silently. The list is not cleared first.
void FindFiles(const std::string& mask, TStringList& list);

// The file's size in bytes; -1 when it cannot be opened for reading.
int64_t FileSizeOf(const std::string& path);

// The lines of dictionaries.info ("name=description"); names are looked up
// ignoring case, the first match wins.
TStringList& DictionaryDescriptions();
// Replaces DictionaryDescriptions() with the lines of DictionaryInfoFile();
// any error leaves it empty.
void LoadDictionaryDescriptions();
// The description of a dictionary section, else the section name itself.
std::string DictionaryTitle(const std::string& sectionName);

} // namespace qm
