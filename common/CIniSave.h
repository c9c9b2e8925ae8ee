#pragma once
#include <windows.h>
#include <string>

// One save into the settings file. Its keys go into a copy beside the file,
// which then takes the file's place in one step: wherever the program is
// stopped, the file on disk is the one before the save or the one after it,
// never a part of either. Each save starts from the file as the last one left
// it, so other sections and keys stay; saves run one at a time (GUI thread).
class CIniSave {
public:
    explicit CIniSave(const char* iniPath);
    // A save not committed leaves the file as it was.
    ~CIniSave();
    CIniSave(const CIniSave&) = delete;
    CIniSave& operator=(const CIniSave&) = delete;

    void WriteString(const char* section, const char* key, const char* value);
    // Decimal text, as WriteProfileInt writes it.
    void WriteInt(const char* section, const char* key, int value);
    void WriteStruct(const char* section, const char* key, const void* data, UINT size);
    // Puts the copy in the file's place. False, with the file as it was, when
    // any step of the save failed.
    bool Commit();

private:
    void Discard();

    std::string m_path;
    std::string m_copyPath;
    bool m_ok;
    bool m_pending; // the copy exists and is not yet in place
};
