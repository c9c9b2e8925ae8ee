#include "common/CDllLoader.h"
#include "common/DebugTrace.h"
#include "common/ProcessSetup.h"
#include "TraceCapture.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

TEST(DllLoader, CallsFunctionsOfTheLoadedLibraryAndASecondLoadReplacesIt)
{
    TraceCapture trace;
    CDllLoader dll;
    EXPECT_EQ(dll.CallFunction("GetCurrentProcessId"), 0);
    EXPECT_EQ(trace.Text(), "");
    ASSERT_TRUE(dll.Load("kernel32.dll"));
    EXPECT_EQ(dll.CallFunction("GetCurrentProcessId"), (int)GetCurrentProcessId());
    EXPECT_EQ(dll.GetFunction("NoSuchFunctionHere"), nullptr);
    EXPECT_EQ(trace.Text(), "!!!DLL FUNCTION NOT FOUND!!! 'NoSuchFunctionHere'\n");
    // A second load replaces the first.
    ASSERT_TRUE(dll.Load("user32.dll"));
    EXPECT_EQ(dll.GetModule(), GetModuleHandleA("user32.dll"));
    EXPECT_FALSE(dll.Load("no_such_library_here.dll"));
    EXPECT_EQ(dll.GetModule(), nullptr);
    EXPECT_EQ(dll.GetFunction("GetCurrentProcessId"), nullptr);
}

TEST(ProcessSetup, DpiAwarenessCanBeAskedRepeatedly)
{
    TraceCapture trace;
    EnableDpiAwareness();
    EnableDpiAwareness();
    EnableDpiAwareness();
    EXPECT_EQ(trace.Text(), "");
}

TEST(ProcessSetup, ErrorTextIsBoundedAndEmptyWhenUnknown)
{
    char text[300];
    GetLastErrorText(ERROR_FILE_NOT_FOUND, text, sizeof(text));
    EXPECT_GT(strlen(text), 0u);
    char small[8];
    memset(small, 'Z', sizeof(small));
    GetLastErrorText(ERROR_FILE_NOT_FOUND, small, 6);
    EXPECT_EQ(strlen(small), 5u);
    EXPECT_EQ(small[6], 'Z');
    strcpy(text, "old");
    GetLastErrorText(0x2FFFFFFF, text, sizeof(text));
    EXPECT_STREQ(text, "");
}

TEST(DebugTrace, WritesNothingUntilASinkIsOnThenCutsAndConverts)
{
    // Nothing is formatted while the sinks are off, so mismatched arguments do no harm.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
    DebugTrace("%s %s %d\n", (const char*)nullptr, "x");
#pragma GCC diagnostic pop
    TraceCapture trace;
    DebugTrace("value %i of '%s'\n", 5, "ring");
    DebugTrace("no newline");
    EXPECT_EQ(trace.Text(), "value 5 of 'ring'\nno newline");
    // Long lines are cut; Latin letters move to the console's code page.
    TraceCapture cut;
    std::string longText(2000, 'q');
    DebugTrace("%s", longText.c_str());
    EXPECT_EQ(cut.Text(), std::string(1023, 'q'));
    TraceCapture second;
    DebugTrace("\xC4\xC5\xD6\xE4\xE5\xF6!");
    EXPECT_EQ(second.Text(), "\x8E\x8F\x99\x84\x86\x94!");
}
