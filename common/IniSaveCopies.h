#pragma once
#include <string>

// The copies a settings save writes beside the file, and those that stopped
// saves left there. A copy is "<file>.new-<process>-<count>" in the file's
// folder, since only a move within one folder replaces a file in one step.
// Where that path would pass the longest one the profile functions take, the
// file's name is cut short just enough: a copy fits wherever the file does.

// A new copy's path for the file; empty where not one character of the
// file's name would be left.
std::string NewCopyPath(const std::string& iniPath);
// Removes the copies of the file that stopped saves left, read-only ones and
// ones whose path passes the limit (older saves made such) too. Only while
// holding the file's lock: no other save is under way then.
void RemoveLeftoverCopies(const std::string& iniPath);
// Deletes a copy NewCopyPath named, read-only or not.
void DeleteEvenReadOnly(const std::string& copyPath);
