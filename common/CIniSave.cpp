#include "common/CIniSave.h"
#include "common/IniSaveApi.h"
#include "common/StringFormat.h"
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

namespace {

// A copy is "<file>.new-<process>-<count>"; "<file>.new" is the one name
// every copy had before, so stopped saves may have left it too.
const char kCopyMark[] = ".new";
const char kCopyNameSeparator = '-';
const DWORD kReplaceFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
// Far longer than a save of a file of several megabytes takes; past it a
// save goes on without the lock rather than hang the program's close.
const DWORD kLockWaitMs = 10000;
// Far beyond any settings file: the profile functions too hold a file whole
// in memory, and twice over.
const LONGLONG kLargestFile = 64LL * 1024 * 1024;
const char kUtf16Mark[] = "\xFF\xFE", kUtf16BigEndianMark[] = "\xFE\xFF", kUtf8Mark[] = "\xEF\xBB\xBF";
const char kDosEnd = 0x1A; // a blank to the profile functions, as to old text files

LONG copyCount = 0;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND;
}

std::string CopyPathFor(const std::string& path)
{
    char tail[64];
    SafeSprintf(tail, sizeof(tail), "%s%c%lu%c%ld", kCopyMark, kCopyNameSeparator, GetCurrentProcessId(),
                kCopyNameSeparator, InterlockedIncrement(&copyCount));
    return path + tail;
}

bool IsReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

void DeleteEvenReadOnly(const std::string& path)
{
    if (IsReadOnly(path))
        SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) & ~FILE_ATTRIBUTE_READONLY);
    DeleteFileA(path.c_str());
}

// Writes out and drops the system's cached copy of the file, so that what is
// read next comes from the disk and no cached write can land later.
void ForgetCached(const std::string& path)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

// Steps past a separator and the digits after it; false without a digit.
bool SkipNumber(const char*& text)
{
    if (*text != kCopyNameSeparator)
        return false;
    const char* digits = ++text;
    while (std::isdigit(static_cast<unsigned char>(*text)))
        ++text;
    return text > digits;
}

// Only the names CopyPathFor gives, in any case as the system matches names:
// a user's "<file>.new-backup" is no copy.
bool IsCopyOf(const char* name, const std::string& fileName)
{
    const size_t markLength = sizeof(kCopyMark) - 1;
    if (_strnicmp(name, fileName.c_str(), fileName.size()) != 0 ||
        _strnicmp(name + fileName.size(), kCopyMark, markLength) != 0)
        return false;
    const char* tail = name + fileName.size() + markLength;
    return *tail == '\0' || (SkipNumber(tail) && SkipNumber(tail) && *tail == '\0');
}

// Only while holding the file's lock: no other save is under way then.
void RemoveLeftovers(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string fileName = path.substr(folder.size());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + kCopyMark + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsCopyOf(found.cFileName, fileName))
            DeleteEvenReadOnly(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The file's bytes as they are on disk; a missing file reads as empty.
bool ReadWhole(const std::string& path, std::string& text)
{
    text.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return IsMissing(GetLastError());
    LARGE_INTEGER size;
    DWORD read = 0;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kLargestFile;
    if (ok) {
        text.resize(size_t(size.QuadPart));
        ok = ReadFile(file, &text[0], DWORD(text.size()), &read, nullptr) && read == text.size();
    }
    CloseHandle(file);
    return ok;
}

bool StartsWith(const std::string& text, const char* mark)
{
    return text.compare(0, std::strlen(mark), mark) == 0;
}

// The text as the profile functions' ANSI calls give it: a file that starts
// with a UTF-16 or UTF-8 mark is read in that encoding.
std::string AsAnsi(const std::string& bytes)
{
    std::wstring wide;
    if (StartsWith(bytes, kUtf16Mark) || StartsWith(bytes, kUtf16BigEndianMark)) {
        const bool swap = StartsWith(bytes, kUtf16BigEndianMark);
        for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const unsigned char first = bytes[at], second = bytes[at + 1];
            wide += wchar_t(swap ? first << 8 | second : second << 8 | first);
        }
    } else if (StartsWith(bytes, kUtf8Mark)) {
        const std::string text = bytes.substr(std::strlen(kUtf8Mark));
        wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0));
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], int(wide.size()));
    } else {
        return bytes;
    }
    std::string ansi(WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &ansi[0], int(ansi.size()), nullptr, nullptr);
    return ansi;
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
    // Views into the file's text: two sections of one name lie apart.
    std::string_view section, key, value;
    bool operator==(const ProfileLine& other) const
    {
        return kind == other.kind && section == other.section && key == other.key && value == other.value;
    }
};

void AddLine(std::string_view line, std::string_view& section, std::vector<ProfileLine>& lines)
{
    const size_t close = line.rfind(']');
    if (line[0] == '[' && close != std::string_view::npos) {
        const std::string_view name = Blankless(UpToNul(line.substr(1, close - 1)));
        if (!name.empty())
            lines.push_back({LineKind::Header, section = name, {}, {}});
        return;
    }
    const size_t equals = line.find('=');
    const std::string_view key = Blankless(UpToNul(line.substr(0, equals)));
    if (key.empty())
        return;
    if (equals != std::string_view::npos)
        lines.push_back({LineKind::NameAndValue, section, key, Blankless(UpToNul(line.substr(equals + 1)))});
    else
        lines.push_back({LineKind::Name, section, key, {}});
}

// A line ends at a CR or an LF, each alone as well.
std::vector<ProfileLine> ProfileLines(std::string_view text)
{
    std::vector<ProfileLine> lines;
    std::string_view section;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view line = Blankless(text.substr(start, end - start));
        if (!line.empty())
            AddLine(line, section, lines);
        start = end + 1;
    }
    return lines;
}

bool IsKeyLine(const ProfileLine& line, const std::string& section, const std::string& key)
{
    return line.kind != LineKind::Header && SameName(line.section, section) && SameName(line.key, key);
}

// The system reads a key from its first line in the first section of that
// name; a later section of the same name is not read.
bool HoldsValue(const std::vector<ProfileLine>& lines, const std::string& section, const std::string& key,
                const std::string& value)
{
    const auto header = std::find_if(lines.begin(), lines.end(), [&](const ProfileLine& line) {
        return line.kind == LineKind::Header && SameName(line.section, section);
    });
    const auto found = std::find_if(header, lines.end(), [&](const ProfileLine& line) {
        return IsKeyLine(line, section, key) && line.section.data() == header->section.data();
    });
    return found != lines.end() && found->kind == LineKind::NameAndValue && found->value == Blankless(value);
}

// Drops key's lines, and the header of its section, which the save may have added.
void DropWritten(std::vector<ProfileLine>& lines, const std::string& section, const std::string& key)
{
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const ProfileLine& line) {
                                   return IsKeyLine(line, section, key) ||
                                          (line.kind == LineKind::Header && SameName(line.section, section));
                               }),
                lines.end());
}

} // namespace

CIniSave::CIniSave(const char* iniPath) : m_lock(iniPath, kLockWaitMs), m_ok(false), m_pending(false)
{
    if (!iniPath || !iniPath[0])
        return;
    m_path = iniPath;
    m_copyPath = CopyPathFor(m_path);
    if (m_lock.IsHeld())
        RemoveLeftovers(m_path);
    m_pending = true;
    m_ok = StartCopy();
}

CIniSave::~CIniSave()
{
    Discard();
}

void CIniSave::WriteString(const char* section, const char* key, const char* value)
{
    if (!m_ok)
        return;
    m_ok = section && key && value && CurrentIniSaveApi().writeString(section, key, value, m_copyPath.c_str());
    if (m_ok)
        Record({WriteKind::Text, section, key, value});
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
           CurrentIniSaveApi().writeStruct(section, key, const_cast<void*>(data), size, m_copyPath.c_str());
    if (m_ok)
        Record({WriteKind::Struct, section, key, std::string(static_cast<const char*>(data), size)});
}

bool CIniSave::Commit()
{
    if (!m_pending)
        return false;
    ForgetCached(m_copyPath);
    m_ok = m_ok && FlushCopy() && CopyHoldsTheSave();
    ForgetCached(m_copyPath);
    m_ok = m_ok && CurrentIniSaveApi().moveFile(m_copyPath.c_str(), m_path.c_str(), kReplaceFlags);
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
void CIniSave::Record(const Written& written)
{
    m_written.erase(
        std::remove_if(m_written.begin(), m_written.end(),
                       [&](const Written& earlier) { return IsWritten(written, earlier.section, earlier.key); }),
        m_written.end());
    m_written.push_back(written);
}

// Read from the disk, each file once: every key this save wrote, and every
// line of the file it did not write. A copy cut short, or a file another
// process changed meanwhile, fails here.
bool CIniSave::CopyHoldsTheSave() const
{
    std::string before, after;
    if (!ReadWhole(m_path, before) || !ReadWhole(m_copyPath, after))
        return false;
    before = AsAnsi(before);
    after = AsAnsi(after);
    std::vector<ProfileLine> was = ProfileLines(before), is = ProfileLines(after);
    const bool landed = std::all_of(m_written.begin(), m_written.end(), [&](const Written& written) {
        return written.kind == WriteKind::Text ? HoldsValue(is, written.section, written.key, written.value)
                                               : StructReadsBack(written);
    });
    if (!landed)
        return false;
    for (const Written& written : m_written) {
        DropWritten(was, written.section, written.key);
        DropWritten(is, written.section, written.key);
    }
    return was == is;
}

bool CIniSave::IsWritten(const Written& written, const std::string& section, const std::string& key)
{
    return SameName(written.section, section) && SameName(written.key, key);
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
