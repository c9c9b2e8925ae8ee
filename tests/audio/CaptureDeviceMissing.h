#pragma once
#include <gtest/gtest.h>
#include <cstdlib>

// Why a test that captures for real skips: run without the tests' sound server (a bare ctest), nothing
// captures.
inline const char* const kNoSoundServer =
    "no capture device: the tests' sound server is not running (scripts/test starts it)";

// True when no capture device is offered. Where the tests' sound server runs (scripts/test names it in
// PULSE_SERVER), a missing device is a fault and fails the test as well, so no run of the scripts skips.
inline bool CaptureDeviceMissing(bool offered)
{
    if (!offered) {
        EXPECT_TRUE(getenv("PULSE_SERVER") == nullptr)
            << "the tests' sound server runs, yet no capture device is offered";
    }
    return !offered;
}
