#pragma once

// Declares the process DPI-aware where the system offers it; only the first
// call does any work.
void EnableDpiAwareness();

// The system's message text for errorCode in text (size bytes, always
// terminated); "" when the system has none.
void GetLastErrorText(int errorCode, char* text, unsigned size);
