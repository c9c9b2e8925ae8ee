#pragma once

// Messages at or below this level reach the debugger; nothing raises it by default.
extern int g_nKsTraceLevel;

void KsTrace(int level, const char* format, ...);

#define KS_STRINGIZE_(x) #x
#define KS_STRINGIZE(x) KS_STRINGIZE_(x)
// Every operation ends with a line naming its file, line and result.
#define KS_EXIT_TRACE(file, hr) KsTrace(6, "%s, line %s, returning %#08x", file, KS_STRINGIZE(__LINE__), (unsigned)(hr))
