#include "common/CIniSave.h"
#include "common/IniFile.h"
#include "common/IniSaveApi.h"
#include "common/IniSaveCopies.h"
#include "common/StringFormat.h"
#include "common/TextHash.h"
#include <winternl.h>
#include <algorithm>
#include <cstring>
#include <exception>
#include <string_view>
#include <vector>

namespace {

const DWORD kReplaceFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
// Where there was no file, one that another program made meanwhile stays.
const DWORD kNewFileFlags = MOVEFILE_WRITE_THROUGH;
// Far longer than a save of a file of several megabytes takes; past it a
// save goes on without the lock rather than hang the program's close.
const DWORD kLockWaitMs = 10000;
const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The last look at the file reads it in pieces of this size, whatever its size.
const DWORD kCompareChunk = 64 * 1024;
const char kUtf16Mark[] = "\xFF\xFE", kUtf16BigEndianMark[] = "\xFE\xFF", kUtf8Mark[] = "\xEF\xBB\xBF";
const char kDosEnd = 0x1A; // a blank to the profile functions, as to old text files
// This process's saves under way, on any thread.
LONG savesUnderWay = 0;

// Asked at the clean-up, not at the save's start: another save of this
// process may have begun meanwhile without waiting for a lock judged stuck.
OwnCopies OwnCopiesNow()
{
    return InterlockedCompareExchange(&savesUnderWay, 0, 0) == 1 ? OwnCopies::Stopped : OwnCopies::MayBeUnderWay;
}

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND;
}

bool IsReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Writes out and drops the system's cached copy of the file, so that what is
// read next comes from the disk and no cached write can land later.
void ForgetCached(const std::string& path)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

// Closes the file however the reading ends: memory can run out midway.
struct OpenFile {
    HANDLE handle;
    ~OpenFile()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

// The file's bytes as they are on disk; a missing file reads as empty.
bool ReadWhole(const std::string& path, std::string& text, bool& exists)
{
    text.clear();
    const OpenFile file{
        CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    exists = file.handle != INVALID_HANDLE_VALUE;
    if (!exists)
        return IsMissing(GetLastError());
    LARGE_INTEGER size;
    DWORD read = 0;
    // No string holds more than the address space does.
    if (!GetFileSizeEx(file.handle, &size) || ULONGLONG(size.QuadPart) > text.max_size())
        return false;
    text.resize(size_t(size.QuadPart));
    return ReadFile(file.handle, &text[0], DWORD(text.size()), &read, nullptr) && read == text.size();
}

// What tells a file from the one put in its place: its number on its volume,
// size and last write. Not the volume's serial number: Wine takes half a
// millisecond to read it, and a name that led to one volume still does.
struct FileIdentity {
    LONGLONG index, size, written;
    bool operator==(const FileIdentity& other) const
    {
        return index == other.index && size == other.size && written == other.written;
    }
};

bool Identify(HANDLE file, FileIdentity& identity)
{
    IO_STATUS_BLOCK status;
    FILE_INTERNAL_INFORMATION internal;
    FILE_STANDARD_INFO standard;
    FILE_BASIC_INFO basic;
    if (NtQueryInformationFile(file, &status, &internal, sizeof(internal), FileInternalInformation) != 0 ||
        !GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof(standard)) ||
        !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof(basic)))
        return false;
    identity = {internal.IndexNumber.QuadPart, standard.EndOfFile.QuadPart, basic.LastWriteTime.QuadPart};
    return true;
}

// Whether the name leads to the file as it was when first looked at. Share
// modes do not stop a program outside the system (one beside Wine) from
// putting another file in its place, or writing into it, meanwhile.
bool NameLeadsTo(const std::string& path, const FileIdentity& was)
{
    FileIdentity is;
    const OpenFile named{
        CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    return named.handle != INVALID_HANDLE_VALUE && Identify(named.handle, is) && is == was;
}

// The last step before the move: the file must still hold the bytes the
// check read, so that a change another program made since then stays. From
// here to the move, others can neither write nor rename the file, so only
// the move itself is left to lose a change.
bool StillAsRead(const std::string& path, const std::string& bytes, bool existed)
{
    const OpenFile file{CurrentIniSaveApi().openFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        return !existed && IsMissing(GetLastError());
    FileIdentity was;
    std::vector<char> chunk(kCompareChunk);
    size_t at = 0;
    bool same = existed && Identify(file.handle, was);
    for (DWORD read = 1; same && read > 0; at += read)
        same = ReadFile(file.handle, chunk.data(), kCompareChunk, &read, nullptr) && read <= bytes.size() - at &&
               std::memcmp(chunk.data(), bytes.data() + at, read) == 0;
    return same && at == bytes.size() && NameLeadsTo(path, was);
}

bool StartsWith(const std::string& text, const char* mark)
{
    return text.compare(0, std::strlen(mark), mark) == 0;
}

// The text as the profile functions' ANSI calls give it: a file that starts
// with a UTF-16 or UTF-8 mark is read in that encoding, into converted.
std::string_view AsAnsi(const std::string& bytes, std::string& converted)
{
    std::wstring wide;
    if (StartsWith(bytes, kUtf16Mark) || StartsWith(bytes, kUtf16BigEndianMark)) {
        const bool swap = StartsWith(bytes, kUtf16BigEndianMark);
        for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const unsigned char first = bytes[at], second = bytes[at + 1];
            wide += wchar_t(swap ? first << 8 | second : second << 8 | first);
        }
    } else if (StartsWith(bytes, kUtf8Mark)) {
        wide = Widened(std::string_view(bytes).substr(std::strlen(kUtf8Mark)), CP_UTF8);
    } else {
        return bytes;
    }
    converted = Narrowed(wide);
    return converted;
}

// What the profile functions trim around a line, a name or a value.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == kDosEnd;
}

std::string_view Blankless(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

bool SameName(std::string_view a, const std::string& b)
{
    return a.size() == b.size() && _strnicmp(a.data(), b.data(), a.size()) == 0;
}

// One line of the file as the profile functions read it. Their rewrite of a
// file keeps no blank line, no blanks around a line, a section's or key's
// name or a value, no text after a NUL and no header without a name (its
// lines join the section before), and drops some lines without a key name
// (no key can read them; they are left out here): a line reads here the
// same before and after any number of such rewrites.
enum class LineKind { Header, Name, NameAndValue };
struct ProfileLine {
    LineKind kind;
    // Views into the file's text.
    std::string_view section, key, value;
    bool operator==(const ProfileLine& other) const
    {
        return kind == other.kind && section == other.section && key == other.key && value == other.value;
    }
};

// Where a walk through a text's lines stands; it holds no line of its own,
// so its memory does not grow with the file.
struct LineWalk {
    explicit LineWalk(std::string_view whole) : text(whole) {}
    std::string_view text;
    size_t at = 0;
    std::string_view section;
};

// False for a line no key can read (left out).
bool ParseLine(std::string_view text, std::string_view& section, ProfileLine& line)
{
    const size_t close = text[0] == '[' ? text.rfind(']') : std::string_view::npos;
    if (close != std::string_view::npos) {
        const std::string_view name = Blankless(UpToNul(text.substr(1, close - 1)));
        if (name.empty())
            return false;
        line = {LineKind::Header, section = name, {}, {}};
        return true;
    }
    const size_t equals = text.find('=');
    const std::string_view key = Blankless(UpToNul(text.substr(0, equals)));
    if (key.empty())
        return false;
    if (equals != std::string_view::npos)
        line = {LineKind::NameAndValue, section, key, Blankless(UpToNul(text.substr(equals + 1)))};
    else
        line = {LineKind::Name, section, key, {}};
    return true;
}

// The walk's next line; false at the text's end. A line ends at a CR or an
// LF, each alone as well.
bool NextLine(LineWalk& walk, ProfileLine& line)
{
    while (walk.at < walk.text.size()) {
        const auto start = walk.text.begin() + walk.at;
        const size_t end =
            std::find_if(start, walk.text.end(), [](char c) { return c == '\r' || c == '\n'; }) - walk.text.begin();
        const std::string_view text = Blankless(walk.text.substr(walk.at, end - walk.at));
        walk.at = end + 1;
        if (!text.empty() && ParseLine(text, walk.section, line))
            return true;
    }
    return false;
}

// Whether a save wrote the line: one of its keys, or the header of a section
// it wrote into (which it may have added). Written: CIniSave's own record.
template <typename Written>
bool IsWrittenLine(const ProfileLine& line, const std::vector<Written>& written)
{
    return std::any_of(written.begin(), written.end(), [&](const Written& write) {
        return SameName(line.section, write.section) &&
               (line.kind == LineKind::Header || SameName(line.key, write.key));
    });
}

// The walk's next line that the save did not write; each line on the way,
// written or not, goes to passed.
template <typename Written, typename Passed>
bool NextKeptLine(LineWalk& walk, ProfileLine& line, const std::vector<Written>& written, Passed passed)
{
    while (NextLine(walk, line)) {
        passed(line);
        if (!IsWrittenLine(line, written))
            return true;
    }
    return false;
}

// One key's search through the copy's lines. The system reads a key from its
// first line in the first section of that name; a later section of the same
// name is not read.
struct KeySearch {
    enum class Where { BeforeSection, InSection, PastSection } where = Where::BeforeSection;
    bool seen = false, holds = false;
};

void Follow(KeySearch& search, const std::string& section, const std::string& key, const std::string& value,
            const ProfileLine& line)
{
    if (line.kind == LineKind::Header) {
        if (search.where == KeySearch::Where::InSection)
            search.where = KeySearch::Where::PastSection;
        else if (search.where == KeySearch::Where::BeforeSection && SameName(line.section, section))
            search.where = KeySearch::Where::InSection;
    } else if (search.where == KeySearch::Where::InSection && !search.seen && SameName(line.key, key)) {
        search.seen = true;
        search.holds = line.kind == LineKind::NameAndValue && line.value == Blankless(value);
    }
}

} // namespace

CIniSave::CIniSave(const char* iniPath) : m_ok(false), m_pending(false)
{
    InterlockedIncrement(&savesUnderWay);
    if (!iniPath || !iniPath[0])
        return;
    try {
        SaveTarget target;
        if (!FindSaveTarget(iniPath, target))
            return;
        m_path = target.path;
        // Saves by every name of the file, through a link too, meet here.
        m_lock.emplace(CaseBlindHash(target.identity), kLockWaitMs);
        if (m_lock->IsHeld())
            RemoveLeftoverCopies(m_path, OwnCopiesNow());
        m_copyPath = NewCopyPath(m_path);
        if (m_copyPath.empty())
            return;
        m_pending = true;
        m_ok = StartCopy();
    } catch (const std::exception&) { // memory ran out: the save fails, not the program
        m_ok = false;
    }
}

CIniSave::~CIniSave()
{
    Discard();
    InterlockedDecrement(&savesUnderWay);
}

void CIniSave::WriteString(const char* section, const char* key, const char* value)
{
    if (!m_ok)
        return;
    m_ok = section && key && value && CurrentIniSaveApi().writeString(section, key, value, m_copyPath.c_str()) &&
           Record(WriteKind::Text, section, key, value);
}

void CIniSave::WriteInt(const char* section, const char* key, int value)
{
    char text[256];
    SafeSprintf(text, sizeof(text), "%i", value);
    WriteString(section, key, text);
}

void CIniSave::WriteStruct(const char* section, const char* key, const void* data, UINT size)
{
    if (!m_ok)
        return;
    m_ok = section && key && data &&
           CurrentIniSaveApi().writeStruct(section, key, const_cast<void*>(data), size, m_copyPath.c_str()) &&
           Record(WriteKind::Struct, section, key, std::string_view(static_cast<const char*>(data), size));
}

bool CIniSave::Commit()
{
    if (!m_pending)
        return false;
    try {
        std::string before; // the file as the check read it
        bool existed = false;
        ForgetCached(m_copyPath);
        m_ok = m_ok && FlushCopy() && CopyHoldsTheSave(before, existed);
        if (WroteStruct()) // its read-back cached the copy again
            ForgetCached(m_copyPath);
        m_ok =
            m_ok && StillAsRead(m_path, before, existed) &&
            CurrentIniSaveApi().moveFile(m_copyPath.c_str(), m_path.c_str(), existed ? kReplaceFlags : kNewFileFlags);
    } catch (const std::exception&) { // memory ran out: the save fails, not the program
        m_ok = false;
    }
    if (m_ok)
        m_pending = false;
    Discard();
    return m_ok;
}

// A missing file gives a save that starts from nothing. A read-only file is
// kept, as the system keeps it from being replaced.
bool CIniSave::StartCopy()
{
    if (IsReadOnly(m_path))
        return false;
    return CurrentIniSaveApi().copyFile(m_path.c_str(), m_copyPath.c_str(), TRUE) || IsMissing(GetLastError());
}

bool CIniSave::FlushCopy() const
{
    HANDLE file =
        CreateFileA(m_copyPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = CurrentIniSaveApi().flushFile(file) != 0;
    CloseHandle(file);
    return flushed;
}

// The last write of a key is the one the file keeps.
bool CIniSave::Record(WriteKind kind, const char* section, const char* key, std::string_view value)
{
    try {
        m_written.erase(std::remove_if(m_written.begin(), m_written.end(),
                                       [&](const Written& earlier) {
                                           return SameName(section, earlier.section) && SameName(key, earlier.key);
                                       }),
                        m_written.end());
        m_written.push_back({kind, section, key, std::string(value)});
        return true;
    } catch (const std::exception&) { // memory ran out: the save fails, not the program
        return false;
    }
}

// Read from the disk, each file once, and walked side by side: every key this
// save wrote, and every line of the file it did not write. A copy cut short,
// or a file another process changed meanwhile, fails here. before: the file's
// bytes as read.
bool CIniSave::CopyHoldsTheSave(std::string& before, bool& existed) const
{
    std::string after, beforeAnsi, afterAnsi; // the last two only for a file with a mark
    bool copied = false;
    if (!ReadWhole(m_path, before, existed) || !ReadWhole(m_copyPath, after, copied))
        return false;
    LineWalk was{AsAnsi(before, beforeAnsi)}, is{AsAnsi(after, afterAnsi)};
    std::vector<KeySearch> searches(m_written.size());
    const auto follow = [&](const ProfileLine& line) {
        for (size_t i = 0; i < m_written.size(); ++i)
            Follow(searches[i], m_written[i].section, m_written[i].key, m_written[i].value, line);
    };
    ProfileLine wasLine, isLine;
    for (bool more = true; more;) {
        more = NextKeptLine(was, wasLine, m_written, [](const ProfileLine&) {});
        if (more != NextKeptLine(is, isLine, m_written, follow) || (more && !(wasLine == isLine)))
            return false;
    }
    for (size_t i = 0; i < m_written.size(); ++i) {
        const bool landed = m_written[i].kind == WriteKind::Text ? searches[i].holds : StructReadsBack(m_written[i]);
        if (!landed)
            return false;
    }
    return true;
}

bool CIniSave::WroteStruct() const
{
    return std::any_of(m_written.begin(), m_written.end(),
                       [](const Written& written) { return written.kind == WriteKind::Struct; });
}

bool CIniSave::StructReadsBack(const Written& written) const
{
    std::vector<char> read(written.value.size() + 1); // never empty
    return GetPrivateProfileStructA(written.section.c_str(), written.key.c_str(), read.data(),
                                    UINT(written.value.size()), m_copyPath.c_str()) &&
           std::memcmp(read.data(), written.value.data(), written.value.size()) == 0;
}

void CIniSave::Discard()
{
    if (m_pending) {
        ForgetCached(m_copyPath);
        DeleteEvenReadOnly(m_copyPath);
    }
    m_pending = false;
}
