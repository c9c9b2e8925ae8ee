#pragma once
#include <string>

// The copies a settings save writes beside the file, and those that stopped
// saves left there. A copy is "<file>~<name hash><process>-<count>" in the
// file's folder, since only a move within one folder replaces a file in
// one step. Where that path would pass the longest one the profile functions
// take, the file's name is cut short just enough: a copy fits wherever the
// file does, and the hash of the whole name still tells whose copy it is.

// A new copy's path for the file; empty where not one character of the
// file's name would be left.
std::string NewCopyPath(const std::string& iniPath);
// Removes the copies of the file that stopped saves left, read-only ones and
// ones whose path passes the limit (older saves made such) too, and ones cut
// short in a folder since renamed shorter. Only while holding the file's
// lock; a copy whose process still runs stays (it may be saving unlocked),
// unless that process is this one and no other save of its own is under way.
enum class OwnCopies { Stopped, MayBeUnderWay };
void RemoveLeftoverCopies(const std::string& iniPath, OwnCopies own);
// Deletes a copy NewCopyPath named, read-only or not.
void DeleteEvenReadOnly(const std::string& copyPath);
