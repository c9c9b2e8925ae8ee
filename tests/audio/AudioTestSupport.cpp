#include "AudioTestSupport.h"
#include <malloc.h>
#include <cstring>

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limitMs) {
        if (condition())
            return true;
        Sleep(1);
    }
    return condition();
}

void RecordingClient::OnInputPlanar(CAudioInterface*, int32_t** channels, int frames)
{
    if (closed)
        afterClose++;
    if (expected)
        for (int f = 0; f < frames; f++)
            for (int c = 0; c < 2; c++)
                if (channels[c][f] != expected(c, nextFrame + f))
                    mismatches++;
    nextFrame += frames;
    blocks++;
}

void RecordingClient::OnInputInterleaved(CAudioInterface*, void*, int bytes)
{
    lastBytes = bytes;
    interleavedBlocks++;
}

void RecordingClient::OnFifoNotify(CAudioInterface*)
{
    fifoNotes++;
}

void RecordingOwner::OnAudioBlock(CAudioDriver*, void* deviceBuffer, int bytes)
{
    if (fill)
        fill(deviceBuffer, bytes);
    std::lock_guard<std::mutex> hold(lock);
    data.emplace_back((char*)deviceBuffer, (char*)deviceBuffer + bytes);
    count++;
}

std::string ErrorText(const CAudioDriver& driver)
{
    char text[260];
    driver.GetErrorText(text, sizeof(text));
    return text;
}

void OwnDriver(CAudioDriver& driver, RecordingOwner& owner)
{
    driver.SetOwner(&owner);
    driver.SetAllowDefaultDevice(true);
}

void OpenCloseCycles(CAudioInterface& ai, RecordingClient& client, int typeId, const AudioDriverSettings& s, int cycles,
                     bool restartSequence)
{
    for (int cycle = 0; cycle < cycles; cycle++) {
        if (!ai.GetDriverType())
            ai.CreateDriver(true, typeId);
        client.closed = false;
        if (restartSequence)
            client.nextFrame = 0;
        int start = client.blocks;
        ASSERT_EQ(ai.Open(&s), AudioOpenOk) << ai.GetErrorText();
        ASSERT_TRUE(WaitUntil([&] { return client.blocks - start >= 2; }));
        if (cycle % 2)
            ai.DestroyDriver();
        else
            ai.Close();
        client.closed = true;
    }
    ai.CreateDriver(true, typeId);
}

TempIni::TempIni()
{
    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "qin", 0, file);
    m_path = file;
}

TempIni::~TempIni()
{
    DeleteFileA(m_path.c_str());
}

ResourceUse ResourceUse::Now()
{
    ResourceUse use = {};
    // Wine answers GetProcessHandleCount with 0, so the open handles are probed.
    DWORD flags;
    for (UINT_PTR h = 4; h < 0x10000; h += 4)
        if (GetHandleInformation((HANDLE)h, &flags))
            use.handles++;
    _HEAPINFO entry = {};
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY)
            use.heapBytes += entry._size;
    return use;
}

AudioDriverSettings StereoSettings(const char* device, int frames, int count, int bits)
{
    AudioDriverSettings s;
    s.deviceName = device;
    s.sampleRate = 48000;
    s.channels = 2;
    s.bufferFrames = frames;
    s.bufferCount = count;
    s.bits = bits;
    return s;
}

const std::vector<StallCase>& StallCases()
{
    static const std::vector<StallCase> cases = {
        {48000, 480, 2, 2500, nullptr}, // a ring of 20 ms
        {48000, 480, 2, 3500, "Error: no audio from the device for 3 seconds\n"},
        {8000, 4096, 16, 30000, nullptr}, // a ring of 8.2 s
        {8000, 4096, 16, 35000, "Error: no audio from the device for 32 seconds\n"},
    };
    return cases;
}

namespace {

// Moves the device's clock on; returns once the device thread has judged a whole pass at the new time.
void PassTime(CAudioDriver& driver, FakeDevice& device, DWORD ms)
{
    for (DWORD step : {ms, 0ul}) {
        int reads = device.clockReads;
        device.Advance(step);
        ASSERT_TRUE(WaitUntil([&] { return device.clockReads > reads || driver.HasFailed(); }));
    }
}

} // namespace

void RunStallCase(CAudioDriver& driver, FakeDevice& device, RecordingOwner& owner, const StallCase& c,
                  const std::function<void()>& deliverBlock)
{
    const int firstBlocks = 3, laterBlocks = 4;
    SCOPED_TRACE(c.gap);
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", c.frames, c.count);
    s.sampleRate = c.rate;
    owner.count = 0;
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    for (int block = 1; block <= firstBlocks + laterBlocks && !driver.HasFailed(); block++) {
        if (block > firstBlocks) {
            ASSERT_NO_FATAL_FAILURE(PassTime(driver, device, c.gap));
        }
        if (!driver.HasFailed())
            deliverBlock();
        ASSERT_TRUE(WaitUntil([&] { return owner.count == block || driver.HasFailed(); }));
    }
    EXPECT_EQ(driver.HasFailed(), c.text != nullptr);
    if (c.text) {
        EXPECT_EQ(ErrorText(driver), c.text);
        EXPECT_EQ(owner.count, firstBlocks);
        EXPECT_EQ(driver.IsOpen(), 1); // the owner closes it
    }
    driver.Close();
}
