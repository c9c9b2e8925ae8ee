#pragma once
#include "audio/KernelStreaming/ksdefs.h"
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// What a stand-in Kernel Streaming filter answers: the description a real audio
// driver gives of its pins, its interface classes and its registry names.
struct FakeKsPin {
    ULONG communication = KSPIN_COMMUNICATION_SINK;
    ULONG dataFlow = KSPIN_DATAFLOW_OUT;
    std::vector<KSIDENTIFIER> interfaces;
    std::vector<KSIDENTIFIER> mediums;
    std::vector<std::vector<BYTE>> dataRanges; // each range as its raw bytes
    GUID category = GUID_NULL;
    std::wstring name = L"Capture";
    std::set<ULONG> failingProperties;                           // KSPROPSETID_Pin ids that fail
    std::vector<std::pair<ULONG, std::vector<BYTE>>> rawAnswers; // replaces an answer whole
    // Decides what KsCreatePin accepts; by default every format.
    std::function<bool(const WAVEFORMATEX*)> accepts;
    DWORD createResult = 0; // returned by KsCreatePin instead of creating the pin
    bool refuseRun = false; // the RUN state is refused
};

struct FakeKsFilter {
    std::string path;
    std::string friendlyName;
    bool hasFriendlyName = true;
    bool unterminatedName = false;               // the registry gives the name without its terminator
    std::vector<std::pair<GUID, DWORD>> classes; // interface classes with their alias flags
    std::vector<FakeKsPin> pins;
    std::vector<GUID> nodes;
    bool failPinCount = false;
    ULONG claimedPinCount = 0; // when not 0, the pin count answered in place of the real one
    bool openFails = false;
    std::string usbKey; // key under HKLM of the USB device, when there is one
    std::vector<std::pair<std::string, std::pair<DWORD, std::string>>> usbValues;
};

// Builders for the usual shapes of answers.
namespace FakeKs {
std::vector<BYTE> AudioRange(ULONG maxChannels, ULONG minBits, ULONG maxBits, ULONG minRate, ULONG maxRate,
                             const GUID& subFormat = KSDATAFORMAT_SUBTYPE_PCM);
std::vector<BYTE> MultipleItem(ULONG count, const std::vector<BYTE>& items);
std::vector<BYTE> MultipleItem(ULONG count, const void* items, size_t bytes);
KSIDENTIFIER Identifier(const GUID& set, ULONG id);
// A standard streaming capture pin taking 1..2 channels of 16 bits at 44100..48000 Hz.
FakeKsPin CapturePin();
// A standard streaming render pin with the same range.
FakeKsPin RenderPin();
// An audio capture filter listed in KSCATEGORY_AUDIO with an active capture alias.
FakeKsFilter CaptureFilter(const std::string& path, const std::string& name);
WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits = 16);
WAVEFORMATEXTENSIBLE Extensible(WORD channels, DWORD rate, WORD bits, const GUID& subFormat, DWORD mask = 0x3);
} // namespace FakeKs
