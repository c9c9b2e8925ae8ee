#pragma once
#include "gui/window/WindowPlacementRecord.h"
#include <windows.h>
#include <cstring>
#include <string>

// A placement file of this process's own in the temporary folder, gone before and after.
struct TempIni {
    static constexpr const char* Section = "Master";
    static constexpr const char* Key = "MainWindowState";
    TempIni()
    {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        path = std::string(folder) + "quill_placement_" + std::to_string(GetCurrentProcessId()) + ".ini";
        DeleteFileA(path.c_str());
    }
    ~TempIni() { DeleteFileA(path.c_str()); }
    bool Exists() const { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    bool Read(WindowPlacementRecord& record) const
    {
        return GetPrivateProfileStructA(Section, Key, &record, sizeof(record), path.c_str()) != 0;
    }
    void Write(const void* data, UINT size) const
    {
        WritePrivateProfileStructA(Section, Key, const_cast<void*>(data), size, path.c_str());
    }
    void Write(const WindowPlacementRecord& record) const { Write(&record, sizeof(record)); }
    std::string path;
};

// A sound record: the state with the taskbar button, the rectangle, docked 270 wide or 156 high.
inline WindowPlacementRecord PlacementRecord(uint32_t state, RECT rect = {100, 100, 500, 400})
{
    WindowPlacementRecord record = {};
    record.size = WindowPlacementRecord::kSize;
    std::memcpy(&record.magic, "vuts", 4);
    record.left = rect.left;
    record.top = rect.top;
    record.right = rect.right;
    record.bottom = rect.bottom;
    record.dockedWidth = 270;
    record.dockedHeight = 156;
    record.state = state | PlacementFlag::TaskbarButton;
    return record;
}
