#pragma once
#include "common/CFileLock.h"
#include <windows.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One save into the settings file. Its keys go into a copy beside the file,
// which then takes the file's place in one step: wherever the program is
// stopped, the file on disk is the one before the save or the one after it,
// never a part of either.
// - A file that is itself a symbolic link is saved where the link leads,
//   and the link stays; a link that leads nowhere is kept and nothing is
//   saved. A second hard link keeps the file as it was.
// - Saves of one file run one at a time across all processes (CFileLock),
//   by whichever name or link they reach it, and each starts from the file
//   as the last one left it, so saves by several instances merge and other
//   sections and keys stay.
// - Every copy has a name of its own, and fits wherever the file does
//   (IniSaveCopies.h); a save removes the copies that stopped saves of its
//   file left behind, read-only ones too.
// - The copy replaces the file only when every step succeeded and it reads
//   back whole: the system's profile writes report success on a full disk.
// - Without the lock (another process held it past the wait) a save still
//   never mixes with another: it fails where the file changed under it.
// - The file is compared with what the check read as the last step before
//   the move, and the name must still lead to that same file: a change
//   another program made meanwhile stays, and the save fails. Only a change
//   made in the move's own instant is lost. Neither the file's size nor the number of its lines fail a save;
//   memory that runs out does, and no exception leaves it.
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
    // Puts the copy in the file's place. False, with the file as it was and
    // no copy left, when any step of the save failed.
    bool Commit();

private:
    enum class WriteKind { Text, Struct };
    struct Written {
        WriteKind kind;
        std::string section, key, value; // a structure's bytes as they are
    };

    bool StartCopy();
    bool FlushCopy() const;
    bool Record(WriteKind kind, const char* section, const char* key, std::string_view value);
    bool CopyHoldsTheSave(std::string& before, bool& existed) const;
    bool WroteStruct() const;
    bool StructReadsBack(const Written& written) const;
    void Discard();

    std::string m_path;
    std::optional<CFileLock> m_lock; // taken once the file a link leads to is known
    std::string m_copyPath;
    std::vector<Written> m_written;
    bool m_ok;
    bool m_pending; // the copy may exist and is not yet in place
};
