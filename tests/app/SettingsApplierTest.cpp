#include "app/CSettingsApplier.h"
#include "app/views/CRtaPanel.h"
#include <gtest/gtest.h>
#include <climits>
#include <cstring>
#include <vector>

namespace {

TEST(SettingsApplier, GainInQ12AndOnlyChangesReachThePanel)
{
    const int gains[][2] = {{-20, 409},   {20, 40960},     {6, 8172},  {-6, 2052},        {0, 4096},
                            {30, 129526}, {1000, INT_MAX}, {-1000, 0}, {INT_MAX, INT_MAX}};
    for (const auto& c : gains)
        EXPECT_EQ(CSettingsApplier::InputGainQ12(c[0]), c[1]) << c[0] << " dB";

    // The first call passes everything, even values the panel already has.
    CRtaPanel rta;
    CSettingsApplier applier;
    AnalyserSettings s;
    LoadDefaults(&s);
    applier.Apply(s, rta);
    auto panelState = [&] {
        return std::vector<float>({float(rta.GetResolution()), float(rta.GetAverages()), rta.GetConfig().targetLow,
                                   rta.GetConfig().targetHigh, float(applier.GetInputGainQ12())});
    };
    EXPECT_EQ(panelState(), std::vector<float>({0, 25, -43.5f, -40.5f, 4096}));
    EXPECT_EQ(std::memcmp(&applier.GetLastApplied(), &s, sizeof s), 0);

    // Unchanged settings leave what was set behind the applier's back; the gain is recomputed.
    rta.Configure(1, 48000);
    rta.SetAverages(7);
    rta.SetTargetWindow(-10.0f, -7.0f);
    s.iInputGain = 6;
    applier.Apply(s, rta);
    EXPECT_EQ(panelState(), std::vector<float>({1, 7, -10.0f, -7.0f, 8172}));

    s.rta_resolution = 0;
    s.rta_averages = 5000; // hand-edited: the panel bounds it
    s.iRtaTargetLevel = -20;
    applier.Apply(s, rta);
    EXPECT_EQ(panelState(), std::vector<float>({1, 1000, -21.5f, -18.5f, 8172}));
    rta.Configure(0, 48000);
    s.rta_resolution = 9;
    applier.Apply(s, rta);
    EXPECT_EQ(rta.GetResolution(), 1);
}

} // namespace
