#pragma once
#include "tests/app/SettingsFileSupport.h"
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>

const DWORD kStartMs = 15000; // a first start under Wine builds the skin and the prefix's caches
const DWORD kExitMs = 2000;   // the close must end the process within this

// The program copied into a folder of its own, so its settings file starts absent.
class ProgramCopy {
public:
    explicit ProgramCopy(const char* name)
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof(temp), temp);
        m_folder = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_folder.c_str(), nullptr);
        DeleteFileA(IniPath().c_str());
        m_copied = CopyFileA("Z:" QUILL_PROGRAM_PATH, ExePath().c_str(), FALSE) != 0;
    }
    ~ProgramCopy()
    {
        Stop();
        DeleteFileA(ExePath().c_str());
        DeleteFileA(IniPath().c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    std::string ExePath() const { return m_folder + "\\QuillmereRTA.exe"; }
    std::string IniPath() const { return m_folder + "\\QuillmereRTA.ini"; }

    // Starts the program and waits for its main window; null when none came.
    HWND Start()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        std::string exe = ExePath();
        if (!m_copied || !CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(),
                                         &startup, &m_process))
            return nullptr;
        CloseHandle(m_process.hThread);
        for (DWORD waited = 0; waited < kStartMs; waited += 50) {
            if (HWND window = MainWindow())
                return window;
            if (WaitForSingleObject(m_process.hProcess, 50) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }

    // The exit code once the process ended within kExitMs; -1 when it did not.
    long WaitForExit()
    {
        DWORD code = DWORD(-1);
        if (WaitForSingleObject(m_process.hProcess, kExitMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(m_process.hProcess, &code);
        Stop();
        return long(code);
    }

    // The key=value lines of section "Settings", in file order.
    std::vector<std::string> SettingsLines() const { return SectionLines(IniPath()); }

private:
    struct Search {
        DWORD process;
        HWND found;
    };

    // The visible "Quillmere RTA" window of the process.
    static BOOL CALLBACK Visit(HWND window, LPARAM context)
    {
        auto* search = reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char text[32] = "";
        GetWindowTextA(window, text, sizeof(text));
        if (owner != search->process || std::strcmp(text, "Quillmere RTA") || !IsWindowVisible(window))
            return TRUE;
        search->found = window;
        return FALSE;
    }

    HWND MainWindow() const
    {
        Search search = {m_process.dwProcessId, nullptr};
        EnumWindows(Visit, LPARAM(&search));
        return search.found;
    }

    void Stop()
    {
        if (!m_process.hProcess)
            return;
        if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hProcess);
        m_process.hProcess = nullptr;
    }

    std::string m_folder;
    bool m_copied = false;
    PROCESS_INFORMATION m_process = {};
};
