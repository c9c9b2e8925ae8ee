#include "tests/audio/KernelStreaming/FakeKsDevice.h"
#include <cstring>

namespace FakeKs {

std::vector<BYTE> AudioRange(ULONG maxChannels, ULONG minBits, ULONG maxBits, ULONG minRate, ULONG maxRate,
                             const GUID& subFormat)
{
    KSDATARANGE_AUDIO range = {};
    range.DataRange.FormatSize = sizeof(range);
    range.DataRange.MajorFormat = KSDATAFORMAT_TYPE_AUDIO;
    range.DataRange.SubFormat = subFormat;
    range.DataRange.Specifier = KSDATAFORMAT_SPECIFIER_WAVEFORMATEX;
    range.MaximumChannels = maxChannels;
    range.MinimumBitsPerSample = minBits;
    range.MaximumBitsPerSample = maxBits;
    range.MinimumSampleFrequency = minRate;
    range.MaximumSampleFrequency = maxRate;
    const BYTE* bytes = (const BYTE*)&range;
    return std::vector<BYTE>(bytes, bytes + sizeof(range));
}

std::vector<BYTE> MultipleItem(ULONG count, const void* items, size_t bytes)
{
    KSMULTIPLE_ITEM header = {(ULONG)(sizeof(header) + bytes), count};
    std::vector<BYTE> block(sizeof(header) + bytes);
    memcpy(block.data(), &header, sizeof(header));
    if (bytes)
        memcpy(block.data() + sizeof(header), items, bytes);
    return block;
}

std::vector<BYTE> MultipleItem(ULONG count, const std::vector<BYTE>& items)
{
    return MultipleItem(count, items.data(), items.size());
}

KSIDENTIFIER Identifier(const GUID& set, ULONG id)
{
    KSIDENTIFIER identifier = {};
    identifier.Set = set;
    identifier.Id = id;
    return identifier;
}

FakeKsPin CapturePin()
{
    FakeKsPin pin;
    pin.interfaces = {Identifier(KSINTERFACESETID_Standard, KSINTERFACE_STANDARD_STREAMING)};
    pin.mediums = {Identifier(KSMEDIUMSETID_Standard, KSMEDIUM_TYPE_ANYINSTANCE)};
    pin.dataRanges = {AudioRange(2, 16, 16, 44100, 48000)};
    return pin;
}

FakeKsPin RenderPin()
{
    FakeKsPin pin = CapturePin();
    pin.dataFlow = KSPIN_DATAFLOW_IN;
    pin.name = L"Render";
    return pin;
}

FakeKsFilter CaptureFilter(const std::string& path, const std::string& name)
{
    FakeKsFilter filter;
    filter.path = path;
    filter.friendlyName = name;
    filter.classes = {{KSCATEGORY_AUDIO, SPINT_ACTIVE}, {KSCATEGORY_CAPTURE, SPINT_ACTIVE}};
    filter.pins = {CapturePin()};
    return filter;
}

WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = bits;
    format.nBlockAlign = (WORD)(channels * bits / 8);
    format.nAvgBytesPerSec = format.nBlockAlign * rate;
    return format;
}

WAVEFORMATEXTENSIBLE Extensible(WORD channels, DWORD rate, WORD bits, const GUID& subFormat, DWORD mask)
{
    WAVEFORMATEXTENSIBLE format = {};
    format.Format = Pcm(channels, rate, bits);
    format.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
    format.Format.cbSize = sizeof(format) - sizeof(WAVEFORMATEX);
    format.Samples.wValidBitsPerSample = bits;
    format.dwChannelMask = mask;
    format.SubFormat = subFormat;
    return format;
}
} // namespace FakeKs
