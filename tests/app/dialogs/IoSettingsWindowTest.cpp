#include "DialogTestSupport.h"
#include "app/dialogs/CIoSettingsWindow.h"
#include "gui/controls/ControlCommand.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/window/CWindowMenu.h"
#include "gui/window/WindowEvent.h"
#include "tests/common/FakeTicks.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const char kHint[] = "Press OK to apply settings.";

struct SettingsHost {
    SettingsHost() : ini(FreshIniPath()), window(ini.c_str()) { window.SetController(&controller); }
    int Open(bool applyPending = false)
    {
        const int created = window.Open(applyPending);
        PumpMessages();
        return created;
    }
    void Tick() { SendMessageA(Hwnd(), WM_TIMER, CIoSettingsWindow::kStatusTimer, 0); }
    HWND Hwnd() { return window.GetWindow().GetHwnd(); }
    bool IsOpen() { return window.GetWindow().IsCreated(); }
    // As the user's pick through the box: the selection moves, then the box tells its listener.
    void Pick(CDropListControl& list, int index) { list.Step(true, index - list.GetSelectedIndex()); }
    void Ok()
    {
        Click(window.GetOkButton());
        PumpMessages();
    }
    void Write(const char* key, const char* value) { WritePrivateProfileStringA("Input", key, value, ini.c_str()); }

    StandInWaveDevices devices;
    FakeController controller;
    std::string ini;
    CIoSettingsWindow window;
};

std::string Shown(CControl& control)
{
    char text[256] = "";
    GetWindowTextA(control.GetWindow()->GetHwnd(), text, sizeof(text));
    return text;
}

std::vector<std::string> Names(CDropListControl& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetItems().Count(); ++i)
        names.push_back(list.GetItems().ItemAt(i)->name + "|" + list.GetItems().ItemAt(i)->key + "|" +
                        std::to_string(list.GetItems().ItemAt(i)->value));
    return names;
}

// Its text (a static text's record, else the window text) and its place.
std::string Describe(CControl& control)
{
    const RECT r = ClientRectOf(control.GetWindow()->GetHwnd());
    CStaticTextControl* text = dynamic_cast<CStaticTextControl*>(&control);
    return (text ? text->GetTextBuffer()->text : Shown(control)) + "@" + std::to_string(r.left) + "," +
           std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

// Items that show their number and hold it as their value.
std::vector<std::string> Numbers(std::initializer_list<int> numbers)
{
    std::vector<std::string> names;
    for (int n : numbers)
        names.push_back(std::to_string(n) + "||" + std::to_string(n));
    return names;
}

std::string FileText(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        text.assign(buffer, std::fread(buffer, 1, sizeof(buffer), f));
        std::fclose(f);
    }
    return text;
}

const char* const kPerInterfaceKeys[] = {"buffersize_", "buffercount_", "devicename_", "flags_",
                                         "samplerate_", "channels_",    "src_"};

} // namespace

// A fresh .ini: the window proposes "KS" with the fixed defaults; every
// control at its place with its text and range; the reports the controls
// make themselves change nothing; a second Open only activates.
TEST(IoSettingsWindow, ControlsListsAndSecondOpen)
{
    SettingsHost h;
    ASSERT_EQ(h.Open(), 1);
    CIoSettingsWindow& w = h.window;
    RECT frame = {};
    GetWindowRect(h.Hwnd(), &frame);
    EXPECT_EQ(frame.right - frame.left, 640);
    EXPECT_EQ(frame.bottom - frame.top, 350);

    h.Tick(); // the status as the timer shows it, whether or not it ran already
    std::vector<std::string> shown;
    for (CControl* c : std::vector<CControl*>{&w.GetInterfaceList(), &w.GetDeviceList(), &w.GetBufferSizeList(),
                                              &w.GetBufferCountList(), &w.GetStatusText(), &w.GetDcBlockButton(),
                                              &w.GetInputGainControl(), &w.GetScopeLinesControl(),
                                              &w.GetItuReferenceControl(), &w.GetRtaTargetControl(), &w.GetOkButton()})
        shown.push_back(Describe(*c));
    for (CControl* child : w.GetContainer().GetChildren())
        if (dynamic_cast<CStaticTextControl*>(child) && child != &w.GetStatusText())
            shown.push_back(Describe(*child));
    EXPECT_EQ(shown,
              std::vector<std::string>(
                  {"Kernel Streaming@20,70,140,95", "No Item@150,70,400,95", "480@410,70,510,95", "8@520,70,620,95",
                   "Ready@20,110,620,200", "DC Block@20,215,120,240", "Input Gain: 0 dB@130,215,270,240",
                   "Scope Lines: +0.0 dB@280,215,410,240", "ITU Reference Level: -24 dB@420,215,620,240",
                   "RTA Target Level: -42 dB@20,250,220,275", "OK@520,295,620,330", "Interface@20,45,140,65",
                   "Input Device@150,45,400,65", "Buffer Size@410,45,510,65", "Buffer Count@520,45,620,65"}));
    EXPECT_EQ(w.GetScopeLinesControl().PositionToValue(CValueControl::kLimit), 3.0);
    EXPECT_EQ(w.GetScopeLinesControl().PositionToValue(-CValueControl::kLimit), -20.0);
    EXPECT_EQ(Names(w.GetInterfaceList()),
              std::vector<std::string>({"Wave In|Wave|0", "DirectSound|DS|0", "Kernel Streaming|KS|0"}));
    EXPECT_EQ(Names(w.GetBufferSizeList()),
              Numbers({96, 120, 128, 192, 240, 256, 384, 441, 480, 512, 768, 882, 960, 1024, 1536, 2048}));
    EXPECT_EQ(Names(w.GetBufferCountList()), Numbers({2, 3, 4, 6, 8, 12, 16}));
    const AudioDeviceConfig& c = w.GetConfig();
    EXPECT_EQ(c.interfaceName + " " + c.flags + " " + std::to_string(c.sampleRate), "KS default 48000");
    EXPECT_EQ(h.controller.listing.GetDriverType(), 3);

    EXPECT_EQ(h.controller.defaultStatus, 1);
    EXPECT_EQ(h.controller.applies, 0) << "the controls' own reports";
    EXPECT_EQ(h.controller.settings.iInputGain, 0);
    EXPECT_FALSE(w.IsApplyPending());

    HWND first = h.Hwnd();
    EXPECT_EQ(h.Open(true), 0);
    EXPECT_EQ(h.Hwnd(), first);
    EXPECT_EQ(CountWindows("NewGuiSettings"), 1);
    EXPECT_FALSE(w.IsApplyPending());
    EXPECT_EQ(h.controller.defaultStatus, 1);
}

// The Wave list starts with the default device; a configured device, size
// or count that no item holds leaves that list without a selection, and OK
// saves what the config holds. OK with nothing pending writes nothing; a
// failed reopen keeps the window with the driver's text.
TEST(IoSettingsWindow, WaveListsOkAndFailedReopen)
{
    SettingsHost h;
    h.Write("Interface", "Wave");
    h.Write("devicename_Wave", "Gone Device");
    h.Write("buffersize_Wave", "448");
    h.Write("buffercount_Wave", "5");
    ASSERT_EQ(h.Open(), 1);
    CIoSettingsWindow& w = h.window;
    EXPECT_EQ(Names(w.GetDeviceList()),
              std::vector<std::string>({"Default Device|WAVE_MAPPER|0", "Desk Mic|Desk Mic|0", "Line In|Line In|0"}));
    for (CDropListControl* list : {&w.GetDeviceList(), &w.GetBufferSizeList(), &w.GetBufferCountList()}) {
        EXPECT_EQ(list->GetSelectedIndex(), -1);
        EXPECT_EQ(Shown(*list), "No Item");
    }
    const std::string before = FileText(h.ini);
    h.Ok();
    EXPECT_FALSE(h.IsOpen());
    EXPECT_EQ(FileText(h.ini), before);
    EXPECT_EQ(h.controller.opens, 0);

    ASSERT_EQ(h.Open(), 1);
    h.Pick(w.GetDeviceList(), 2);
    EXPECT_EQ(w.GetConfig().deviceName, "Line In");
    EXPECT_TRUE(w.IsApplyPending());
    EXPECT_EQ(h.controller.status, kHint);
    h.controller.openWorks = false;
    h.controller.failureText = "Wave device refused the format: it takes 44100 Hz only, two channels";
    h.Ok();
    EXPECT_TRUE(h.IsOpen());
    EXPECT_TRUE(w.IsApplyPending());
    EXPECT_EQ(h.controller.opens, 1);
    EXPECT_EQ(IniText(h.ini, "Interface"), "Wave");
    const char* const expected[] = {"448", "5", "Line In", "default", "48000", "2", "1"};
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(IniText(h.ini, (std::string(kPerInterfaceKeys[k]) + "Wave").c_str()), expected[k]);
    h.Tick();
    EXPECT_EQ(w.GetStatusText().GetTextBuffer()->text, h.controller.failureText);

    h.controller.openWorks = true;
    h.Pick(w.GetBufferCountList(), 5);
    h.Ok();
    EXPECT_EQ(h.controller.opens, 2);
    EXPECT_EQ(IniText(h.ini, "buffercount_Wave"), "12");
    EXPECT_FALSE(h.IsOpen());
}

// Picking another interface writes the left one's keys at once and lists
// the new one's devices with its stored keys; a title-bar close then saves
// nothing more. No interface selected: no listing driver, no devices.
TEST(IoSettingsWindow, InterfacePickTitleCloseAndNoInterface)
{
    SettingsHost h;
    h.Write("buffercount_Wave", "16");
    ASSERT_EQ(h.Open(), 1);
    CIoSettingsWindow& w = h.window;
    h.Pick(w.GetInterfaceList(), 0);
    EXPECT_EQ(IniText(h.ini, "buffersize_KS"), "480");
    EXPECT_EQ(IniText(h.ini, "devicename_KS"), "");
    EXPECT_EQ(IniText(h.ini, "Interface"), "(none)");
    EXPECT_EQ(w.GetConfig().interfaceName, "Wave");
    EXPECT_EQ(w.GetConfig().bufferCount, 16);
    EXPECT_EQ(Shown(w.GetBufferCountList()), "16");
    EXPECT_EQ(w.GetDeviceList().GetItems().Count(), 3);
    EXPECT_EQ(h.controller.listing.GetDriverType(), 1);
    EXPECT_EQ(h.controller.status, kHint);
    SendMessageA(h.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_FALSE(h.IsOpen());
    EXPECT_EQ(IniText(h.ini, "Interface"), "(none)");
    EXPECT_EQ(h.controller.opens, 0);

    h.Write("Interface", "Bogus");
    ASSERT_EQ(h.Open(), 1);
    EXPECT_EQ(w.GetInterfaceList().GetSelectedIndex(), -1);
    EXPECT_EQ(w.GetDeviceList().GetItems().Count(), 0);
    EXPECT_EQ(h.controller.listing.GetDriverType(), 0);
    h.Ok();
    EXPECT_FALSE(h.IsOpen());

    CIoSettingsWindow alone(h.ini.c_str());
    ASSERT_EQ(alone.Open(false), 1) << "without a controller";
    PumpMessages();
    EXPECT_EQ(alone.GetDeviceList().GetItems().Count(), 0);
    Click(alone.GetOkButton());
    PumpMessages();
    EXPECT_FALSE(alone.GetWindow().IsCreated());

    h.controller.jobRunning = true; // nothing listed to pick: a type never chosen keeps its default device
    ASSERT_EQ(h.Open(), 1);
    h.Pick(w.GetInterfaceList(), 1);
    h.Ok();
    EXPECT_EQ(IniText(h.ini, "devicename_DS"), "WAVE_MAPPER");
}

// Opened after a failed start the window shows why and OK reopens with
// nothing changed. Status texts wrap past 40 characters or at a line feed.
TEST(IoSettingsWindow, FailedStartAndStatusLines)
{
    SettingsHost h;
    h.controller.status = "Unknown error opening CAudioInterface internal driver!";
    ASSERT_EQ(h.Open(true), 1);
    h.Tick();
    EXPECT_EQ(h.controller.defaultStatus, 0);
    EXPECT_EQ(h.window.GetStatusText().GetTextBuffer()->text, h.controller.status);
    struct Case {
        std::string text;
        uint8_t multiLine;
    };
    const Case cases[] = {{std::string(40, 'x'), 0}, {std::string(41, 'x'), 1}, {"Line\nfeed", 1}, {"", 0}};
    for (const Case& c : cases) {
        h.controller.status = c.text;
        h.Tick();
        const CTextBuffer& shown = *h.window.GetStatusText().GetTextBuffer();
        EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ(shown.multiLine, c.multiLine) << c.text;
        EXPECT_EQ(shown.verticalAlignment, kTextAlignCentre);
    }
    h.Ok();
    EXPECT_EQ(h.controller.opens, 1);
    EXPECT_EQ(IniText(h.ini, "Interface"), "KS");
    EXPECT_EQ(IniText(h.ini, "buffercount_KS"), "8");
    EXPECT_FALSE(h.IsOpen());
}

// DC Block acts at once, with no hint; drags give tenths on the scope line
// control and whole decibels on the others, each applied.
TEST(IoSettingsWindow, DcBlockAndLevelDrags)
{
    FakeTicks ticks(1000); // outlives the window's controls
    SettingsHost h;
    ASSERT_EQ(h.Open(), 1);
    CIoSettingsWindow& w = h.window;
    h.Tick();
    Click(w.GetDcBlockButton());
    EXPECT_EQ(h.controller.settings.iDCBlock, 1);
    Click(w.GetDcBlockButton());
    EXPECT_EQ(h.controller.settings.iDCBlock, 0);
    EXPECT_EQ(h.controller.status, "Ready");
    EXPECT_FALSE(w.IsApplyPending());
    EXPECT_EQ(h.controller.applies, 0);

    struct Drag {
        CValueControl* control;
        int pixels; // the first move after a press: 128 positions a pixel
    };
    const Drag drags[] = {{&w.GetScopeLinesControl(), -10}, {&w.GetInputGainControl(), 100}};
    RECT r = {};
    GetWindowRect(w.GetScopeLinesControl().GetWindow()->GetHwnd(), &r);
    for (const Drag& d : drags) {
        d.control->SetTickSource(&ticks);
        ASSERT_TRUE(MoveCursorTo(r.left + 10, r.top + 10));
        d.control->OnEvent(nullptr, EventSource::Window, WindowEvent::LeftButtonDown, 0, 0, nullptr);
        const POINT park = d.control->GetParkPoint();
        ticks.now += 200;
        ASSERT_TRUE(MoveCursorTo(park.x + d.pixels, park.y));
        d.control->OnEvent(nullptr, EventSource::Window, WindowEvent::MouseMove, 0, 0, nullptr);
        d.control->OnEvent(nullptr, EventSource::Window, WindowEvent::LeftButtonUp, 0, 0, nullptr);
    }
    for (const Drag& d : drags)
        d.control->SetTickSource(nullptr);
    EXPECT_FLOAT_EQ(h.controller.settings.fScopeLines_dB, -0.2f) << "1280 positions of 131072 over 23 dB";
    EXPECT_EQ(h.controller.settings.iInputGain, 3) << "12800 positions over 30 dB: 2.93";
    EXPECT_GE(h.controller.applies, 2);
    EXPECT_FALSE(w.IsApplyPending());
}

// Each opening with a pick of every interface and a device, ended by the title bar's X or by OK, leaves no
// window, bitmap or menu behind: what the next opening makes replaces it.
TEST(IoSettingsWindow, OpeningsKeepNothing)
{
    enum class End { TitleClose, Ok };
    SettingsHost h;
    for (End end : {End::TitleClose, End::Ok}) {
        int sections = 0, menus = 0, windows = 0;
        for (int round = 0; round < 10; ++round) {
            ASSERT_EQ(h.Open(), 1);
            CIoSettingsWindow& w = h.window;
            for (int type = 0; type < CAudioInterface::GetNumInterfaceTypes(); ++type) {
                h.Pick(w.GetInterfaceList(), type);
                h.Pick(w.GetDeviceList(), 0);
            }
            if (end == End::Ok)
                h.Ok();
            else
                SendMessageA(h.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
            PumpMessages();
            ASSERT_FALSE(h.IsOpen());
            if (round == 0) {
                sections = CBitmapDC::GetLiveSectionCount();
                menus = CWindowMenu::GetLiveCount();
                windows = CountWindows("NewGuiSettings");
            }
        }
        EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), sections);
        EXPECT_EQ(CWindowMenu::GetLiveCount(), menus);
        EXPECT_EQ(CountWindows("NewGuiSettings"), windows);
    }
}
