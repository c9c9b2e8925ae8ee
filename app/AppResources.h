#pragma once
// Resource ids, read by both the resource script and the code (so plain
// defines: the resource compiler knows no enums).

#define IDS_APP_TITLE 103 // the program's title
#define IDM_ABOUT 104     // what both accelerators send; no window handles it
#define IDI_QUILLMERE 107 // the main window's and the tray's icon
#define IDC_QUILLMERE 109 // the accelerator table and the window-class name string
