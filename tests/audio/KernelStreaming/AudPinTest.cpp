#include "audio/KernelStreaming/audfilter.h"
#include "audio/KernelStreaming/audpin.h"
#include "tests/audio/KernelStreaming/KsTestSupport.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

const char kPath[] = "\\\\?\\fake#audio";
// Any GUID that is neither a wave format tag nor GUID_NULL.
const GUID kOtherSubFormat = {0x12345678, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};

std::vector<BYTE> Concat(std::vector<std::vector<BYTE>> parts)
{
    std::vector<BYTE> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class AudPinTest : public ::testing::Test {
protected:
    void SetUp() override { fake.filters = {FakeKs::CaptureFilter(kPath, "Mic")}; }
    FakeKsPin& FakePin() { return fake.filters[0].pins[0]; }
    std::unique_ptr<CKsAudPin> Pin(HRESULT* phr)
    {
        filter = OpenFakeFilter(kPath);
        return std::unique_ptr<CKsAudPin>(new CKsAudCapturePin(filter.get(), 0, phr));
    }

    CFakeKsPlatform fake;
    std::unique_ptr<CKsFilter> filter;
};

TEST_F(AudPinTest, ConnectionRequestFollowsTheFormat)
{
    HRESULT hr = E_FAIL;
    auto pin = Pin(&hr);
    ASSERT_EQ(hr, S_OK);
    EXPECT_EQ(pin->GetPinType(), 2u);
    EXPECT_EQ(pin->GetConnectSize(), 146u);
    const KSPIN_CONNECT* connect = pin->GetConnect();
    EXPECT_TRUE(IsEqualGUID(connect->Interface.Set, KSINTERFACESETID_Standard));
    EXPECT_TRUE(IsEqualGUID(connect->Medium.Set, KSMEDIUMSETID_Standard));
    EXPECT_EQ(connect->Priority.PriorityClass, (ULONG)KSPRIORITY_NORMAL);
    EXPECT_EQ(connect->Priority.PrioritySubClass, 1u);
    EXPECT_EQ(pin->GetDataFormat()->FormatSize, 82u);

    WAVEFORMATEX pcm = FakeKs::Pcm(2, 48000);
    EXPECT_EQ(pin->SetFormat(&pcm), S_OK);
    EXPECT_EQ(pin->GetConnectSize(), 146u);
    EXPECT_EQ(pin->GetDataFormat()->SampleSize, 4u);
    EXPECT_EQ(memcmp(pin->GetDataFormat() + 1, &pcm, 18), 0);

    WAVEFORMATEXTENSIBLE ext = FakeKs::Extensible(6, 48000, 16, KSDATAFORMAT_SUBTYPE_PCM, 0x3F);
    EXPECT_EQ(pin->SetFormat(&ext.Format), S_OK);
    EXPECT_EQ(pin->GetConnectSize(), 168u);
    EXPECT_EQ(pin->GetDataFormat()->FormatSize, 104u);
    EXPECT_EQ(pin->GetDataFormat()->SampleSize, 12u);
    EXPECT_EQ(memcmp(pin->GetDataFormat() + 1, &ext, 40), 0);
    EXPECT_EQ(pin->GetConnect()->PinId, 0u);
    EXPECT_TRUE(IsEqualGUID(pin->GetDataFormat()->SubFormat, KSDATAFORMAT_SUBTYPE_PCM));

    EXPECT_EQ(pin->SetFormat(&pcm), S_OK);
    EXPECT_EQ(pin->GetConnectSize(), 146u);
    EXPECT_EQ(pin->GetDataFormat()->FormatSize, 82u);
    EXPECT_EQ(memcmp(pin->GetFormat(), &pcm, 18), 0);
    EXPECT_EQ(pin->SetFormat(nullptr), E_FAIL);
}

TEST_F(AudPinTest, RangesBoundChannelsBitsAndRate)
{
    HRESULT hr = E_FAIL;
    auto pin = Pin(&hr);
    struct Case {
        WORD channels;
        DWORD rate;
        WORD bits;
        bool supported;
    };
    for (const Case& c :
         {Case{1, 48000, 16, true}, Case{2, 48000, 16, true}, Case{3, 48000, 16, false}, Case{2, 48001, 16, false},
          Case{2, 44100, 16, true}, Case{2, 44099, 16, false}, Case{2, 48000, 24, false}}) {
        WAVEFORMATEX format = FakeKs::Pcm(c.channels, c.rate, c.bits);
        EXPECT_EQ(pin->IsFormatSupported(&format) != FALSE, c.supported)
            << c.channels << " " << c.rate << " " << c.bits;
    }
    EXPECT_FALSE(pin->IsFormatSupported(nullptr));
}

TEST_F(AudPinTest, ExtensibleFormatsMatchBySubFormat)
{
    FakePin().dataRanges = {FakeKs::AudioRange(2, 32, 32, 8000, 96000, KSDATAFORMAT_SUBTYPE_IEEE_FLOAT)};
    HRESULT hr = E_FAIL;
    auto pin = Pin(&hr);
    ASSERT_EQ(hr, S_OK);
    WAVEFORMATEXTENSIBLE floats = FakeKs::Extensible(2, 48000, 32, KSDATAFORMAT_SUBTYPE_IEEE_FLOAT);
    EXPECT_TRUE(pin->IsFormatSupported(&floats.Format));
    WAVEFORMATEXTENSIBLE pcm = FakeKs::Extensible(2, 48000, 32, KSDATAFORMAT_SUBTYPE_PCM);
    EXPECT_FALSE(pin->IsFormatSupported(&pcm.Format));
    WAVEFORMATEX tagged = FakeKs::Pcm(2, 48000, 32);
    tagged.wFormatTag = WAVE_FORMAT_IEEE_FLOAT;
    EXPECT_TRUE(pin->IsFormatSupported(&tagged));
    floats.Format.cbSize = 0;
    EXPECT_FALSE(pin->IsFormatSupported(&floats.Format));
}

TEST_F(AudPinTest, RangeListsAreWalkedUntilTheyEndOrBreak)
{
    const std::vector<BYTE> pcm = FakeKs::AudioRange(2, 16, 16, 44100, 48000);
    const std::vector<BYTE> other = FakeKs::AudioRange(8, 8, 32, 1, 192000, kOtherSubFormat);
    std::vector<BYTE> oversized = pcm, unsized = pcm, shortRange = pcm;
    ((KSDATARANGE*)oversized.data())->FormatSize = 100000;
    ((KSDATARANGE*)unsized.data())->FormatSize = 0;
    shortRange.resize(sizeof(KSDATARANGE));
    ((KSDATARANGE*)shortRange.data())->FormatSize = sizeof(KSDATARANGE);
    const struct {
        ULONG count;
        std::vector<BYTE> ranges;
        HRESULT result;
        ULONG kept;
        const char* what;
    } cases[] = {
        {3, Concat({other, pcm, other}), S_OK, 2, "kept from the first wave sub-format on"},
        {2, Concat({pcm, oversized}), S_OK, 1, "a range past the block ends the walk"},
        {3, unsized, E_FAIL, 0, "a range without a size is refused"},
        {1, shortRange, S_OK, 0, "a range too short for audio is passed over"},
    };
    for (const auto& c : cases) {
        FakePin().rawAnswers = {{KSPROPERTY_PIN_DATARANGES, FakeKs::MultipleItem(c.count, c.ranges)}};
        HRESULT hr = E_UNEXPECTED;
        auto pin = Pin(&hr);
        EXPECT_EQ(hr, c.result) << c.what;
        if (c.result == S_OK) {
            EXPECT_EQ(pin->GetAudioRangeCount(), c.kept) << c.what;
        }
    }
}

TEST_F(AudPinTest, PinsWithoutStandardStreamingAreRefused)
{
    FakePin().interfaces = {FakeKs::Identifier(KSINTERFACESETID_Standard, KSINTERFACE_STANDARD_LOOPED_STREAMING)};
    HRESULT hr = S_OK;
    auto pin = Pin(&hr);
    EXPECT_EQ(hr, E_FAIL);
    FakePin().interfaces = {FakeKs::Identifier(KSINTERFACESETID_Standard, KSINTERFACE_STANDARD_STREAMING)};
    FakePin().mediums = {FakeKs::Identifier(KSMEDIUMSETID_Standard, 7)};
    auto noMedium = Pin(&hr);
    EXPECT_EQ(hr, E_FAIL);
    FakePin().mediums = {FakeKs::Identifier(KSMEDIUMSETID_Standard, 0)};
    FakePin().dataRanges = {FakeKs::AudioRange(2, 16, 16, 1, 2, kOtherSubFormat)};
    auto noRange = Pin(&hr);
    EXPECT_EQ(hr, E_FAIL);
}

TEST_F(AudPinTest, AudioFilterBuildsAudioPinsByKind)
{
    FakeKsPin bad = FakeKs::CapturePin();
    bad.interfaces.clear();
    FakeKsPin none = FakeKs::CapturePin();
    none.communication = KSPIN_COMMUNICATION_NONE;
    fake.filters[0].pins = {FakeKs::CapturePin(), FakeKs::RenderPin(), none, bad};
    auto audio = OpenFakeFilter<CKsAudCaptureFilter>(kPath);
    EXPECT_EQ(audio->GetFilterKind(), 2u);
    EXPECT_EQ(audio->EnumeratePins(), S_OK);
    ASSERT_EQ(audio->m_listPins.GetCount(), 2u);
    EXPECT_EQ(audio->m_listOutSinkPins.GetHead()->pData->GetPinType(), 2u);
    EXPECT_EQ(audio->m_listInSinkPins.GetHead()->pData->GetPinType(), 1u);
    fake.filters[0].pins = {none, bad};
    auto empty = OpenFakeFilter<CKsAudCaptureFilter>(kPath);
    EXPECT_EQ(empty->EnumeratePins(), E_FAIL);
}

// Ids past the real pins fail their queries (the audio filter skips them); a count past the bound
// is not walked at all.
TEST_F(AudPinTest, UnbelievablePinCountsAreBadAnswers)
{
    const struct {
        ULONG claimed;
        HRESULT result;
    } cases[] = {{CKsFilter::MaxPinCount, S_OK},
                 {CKsFilter::MaxPinCount + 1, E_FAIL},
                 {0x80000000u, E_FAIL},
                 {0xFFFFFFFFu, E_FAIL}};
    for (const auto& c : cases) {
        fake.filters[0].claimedPinCount = c.claimed;
        auto audio = OpenFakeFilter<CKsAudCaptureFilter>(kPath);
        auto plain = OpenFakeFilter(kPath);
        EXPECT_EQ(audio->EnumeratePins(), c.result) << c.claimed;
        EXPECT_EQ(plain->EnumeratePins(), c.result) << c.claimed;
        EXPECT_EQ(audio->m_listPins.GetCount(), c.result == S_OK ? 1u : 0u);
        // The plain filter keeps a pin object for every id it was told of.
        ASSERT_EQ(plain->m_listPins.GetCount(), c.result == S_OK ? c.claimed : 0u) << c.claimed;
    }
}

TEST_F(AudPinTest, RenderPinFallsBackToAPinThatAcceptsWhenConnected)
{
    FakeKsPin render = FakeKs::RenderPin();
    render.dataRanges = {FakeKs::AudioRange(2, 16, 16, 8000, 44100)};
    fake.filters[0].pins = {render};
    auto filter = OpenFakeFilter<CKsAudRenderFilter>(kPath);
    ASSERT_EQ(filter->EnumeratePins(), S_OK);
    WAVEFORMATEX format = FakeKs::Pcm(2, 48000);
    CKsAudPin* pin = filter->CreateRenderPin(&format, FALSE);
    ASSERT_NE(pin, nullptr);
    EXPECT_STREQ(filter->m_pszLastError, "Could not find a Render pin that supports the given wave format");
    EXPECT_TRUE(filter->m_listPins.IsEmpty());
    EXPECT_TRUE(filter->m_listInSinkPins.IsEmpty());
    EXPECT_TRUE(CKsIrpTarget::IsValidHandle(pin->GetHandle()));
    delete pin;
    EXPECT_EQ(fake.OpenHandleCount(), 1);
}

TEST_F(AudPinTest, RenderPinOpensDirectlyWhenARangeMatches)
{
    fake.filters[0].pins = {FakeKs::RenderPin()};
    fake.filters[0].pins[0].accepts = [](const WAVEFORMATEX* f) { return f->nChannels == 2; };
    auto filter = OpenFakeFilter<CKsAudRenderFilter>(kPath);
    ASSERT_EQ(filter->EnumeratePins(), S_OK);
    WAVEFORMATEX mono = FakeKs::Pcm(1, 48000);
    EXPECT_EQ(filter->CreateRenderPin(&mono, FALSE), nullptr);
    EXPECT_STREQ(filter->m_pszLastError, "Failed to instantiate Render Pin");
    WAVEFORMATEX stereo = FakeKs::Pcm(2, 48000);
    std::unique_ptr<CKsAudPin> pin(filter->CreateRenderPin(&stereo, FALSE));
    ASSERT_TRUE(pin);
    EXPECT_STREQ(filter->m_pszLastError, "");
}

TEST_F(AudPinTest, CapturePinIsCreatedOnlyForASupportedFormat)
{
    auto filter = OpenFakeFilter<CKsAudCaptureFilter>(kPath);
    ASSERT_EQ(filter->EnumeratePins(), S_OK);
    CKsAudPin* listed = static_cast<CKsAudPin*>(filter->m_listOutSinkPins.GetHead()->pData);
    int calls = fake.ioctlCalls;
    WAVEFORMATEX unsupported = FakeKs::Pcm(2, 96000);
    EXPECT_EQ(filter->CreateCapturePin(&unsupported, FALSE), nullptr);
    EXPECT_EQ(fake.ioctlCalls, calls);
    EXPECT_EQ(listed->GetFormat(), nullptr);
    EXPECT_TRUE(fake.lastConnect.empty());
    WAVEFORMATEX format = FakeKs::Pcm(2, 48000);
    EXPECT_EQ(filter->CreateCapturePin(&format, FALSE), listed);
    EXPECT_EQ(filter->m_listPins.GetCount(), 1u);
    EXPECT_TRUE(CKsIrpTarget::IsValidHandle(listed->GetHandle()));
    fake.filters[0].pins[0].createResult = ERROR_BUSY;
    listed->ClosePin();
    EXPECT_EQ(filter->CreateCapturePin(&format, FALSE), nullptr);
}
} // namespace
