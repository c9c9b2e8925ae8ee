#include "app/dialogs/CIoSettingsWindow.h"
#include "app/AnalyserSettings.h"
#include "app/CAppController.h"
#include "app/WindowLook.h"
#include "app/dialogs/DialogControls.h"
#include "audio/AudioDeviceEntry.h"
#include "audio/CAudioInterface.h"
#include "common/CIniSave.h"
#include "common/IniFile.h"
#include "gui/controls/CDropList.h"
#include "gui/controls/ControlCommand.h"
#include "gui/window/WindowEvent.h"
#include <string>

namespace {

const char kSection[] = "Input";
const char kApplyHint[] = "Press OK to apply settings.";
const char kNoItemText[] = "No Item";

// The window's copy starts from fixed defaults, whatever the Windows version.
const int kDefaultSampleRate = 48000;

// 441 and 882 are 10 and 20 ms at 44100 Hz.
const int kBufferSizes[] = {96, 120, 128, 192, 240, 256, 384, 441, 480, 512, 768, 882, 960, 1024, 1536, 2048};
const int kBufferCounts[] = {2, 3, 4, 6, 8, 12, 16};

const int kColumnTop = 45; // captions; the lists sit 25 pixels lower
const int kListOffset = 25;
const int kCaptionHeight = 20;
const int kListHeight = 25;
const int kOkWidth = 100;
const int kOkHeight = 35;
const int kOkBottomGap = 55 - kOkHeight; // the button's bottom above the container's
const int kOkLeft = 520;

struct Column {
    int x;
    int width;
};
const Column kInterfaceColumn = {20, 120};
const Column kDeviceColumn = {150, 250};
const Column kBufferSizeColumn = {410, 100};
const Column kBufferCountColumn = {520, 100};
const RECT kStatusBox = {20, 110, 620, 200};
const RECT kDcBlockPlace = {20, 215, 120, 240};
const RECT kInputGainPlace = {130, 215, 270, 240};
const RECT kScopeLinesPlace = {280, 215, 410, 240};
const RECT kItuReferencePlace = {420, 215, 620, 240};
const RECT kRtaTargetPlace = {20, 250, 220, 275};

TopLevelWindowParams Descriptor()
{
    TopLevelWindowParams p = SecondaryWindowDescriptor();
    p.native.width = 640;
    p.native.height = 350;
    p.caption = "NewGuiSettings";
    ApplyLook(p, kMainWindowLook);
    p.native.dragAnywhere = 0;
    // The controls keep their places: the window keeps its size.
    p.native.resizable = 0;
    p.native.maximizable = 0;
    return p;
}

// Items show their number; the value is the number.
template <int Count>
void FillNumbers(CDropListControl& list, const int (&numbers)[Count])
{
    list.GetItems().Clear();
    for (int i = 0; i < Count; ++i) {
        CDropListItem* item = new CDropListItem;
        item->name = std::to_string(numbers[i]);
        item->value = numbers[i];
        list.GetItems().Add(item);
    }
}

} // namespace

CIoSettingsWindow::CIoSettingsWindow()
    : m_controller(nullptr), m_applyPending(false), m_okOpen(OkOpen::None), m_devicesPending(false), m_settings(nullptr)
{
    ::GetIniPath(m_iniPath);
}

CIoSettingsWindow::CIoSettingsWindow(const char* iniPath)
    : m_controller(nullptr), m_applyPending(false), m_okOpen(OkOpen::None), m_devicesPending(false), m_settings(nullptr)
{
    lstrcpynA(m_iniPath, iniPath ? iniPath : "", MAX_PATH);
}

int CIoSettingsWindow::Open(bool applyPending)
{
    if (BroughtToFrontIfOpen(*this))
        return 0;
    m_applyPending = applyPending;
    return Create(Descriptor()) ? 1 : 0;
}

int CIoSettingsWindow::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    if (IsCreation(source, code))
        OnCreated();
    else if (source == EventSource::Window && code == WindowEvent::Timer && UINT_PTR(p1) == kStatusTimer)
        RefreshStatus();
    else if (source == EventSource::Window && code == WindowEvent::Destroyed)
        OnClosed();
    return CTopLevelWindow::OnEvent(sender, source, code, p1, p2, data);
}

void CIoSettingsWindow::OnCreated()
{
    LoadInputSettings();
    m_settings = m_controller ? m_controller->GetSettings() : nullptr;
    CreateControls();
    FillInterfaceList();
    FillDeviceList();
    FillNumbers(m_bufferSizeList, kBufferSizes);
    FillNumbers(m_bufferCountList, kBufferCounts);
    SelectCurrentValues();
    m_window.SetTimer(kStatusTimer, kStatusPeriodMs);
}

void CIoSettingsWindow::LoadInputSettings()
{
    m_config.alternateSampleRate = kDefaultSampleRate;
    m_config.useAlternateDefaults = true;
    m_config.SetDefaults();
    m_config.LoadInterface(m_iniPath, kSection);
    m_config.LoadInterfaceSettings(m_iniPath, kSection);
    // Opened because audio failed, the status says why: the user must see it.
    if (m_controller && !m_applyPending)
        m_controller->SetDefaultStatusText();
}

void CIoSettingsWindow::CreateControls()
{
    const AnalyserSettings fallback = {};
    const AnalyserSettings& s = m_settings ? *m_settings : fallback;
    CreateLabel(m_interfaceLabel, kInterfaceColumn.x, kInterfaceColumn.width, "Interface");
    CreateList(m_interfaceList, kInterfaceColumn.x, kInterfaceColumn.width);
    CreateLabel(m_deviceLabel, kDeviceColumn.x, kDeviceColumn.width, "Input Device");
    CreateList(m_deviceList, kDeviceColumn.x, kDeviceColumn.width);
    CreateLabel(m_bufferSizeLabel, kBufferSizeColumn.x, kBufferSizeColumn.width, "Buffer Size");
    CreateList(m_bufferSizeList, kBufferSizeColumn.x, kBufferSizeColumn.width);
    CreateLabel(m_bufferCountLabel, kBufferCountColumn.x, kBufferCountColumn.width, "Buffer Count");
    CreateList(m_bufferCountList, kBufferCountColumn.x, kBufferCountColumn.width);

    StaticTextParams status = TextParams(m_container, this, kStatusBox, "");
    status.kind = kSkinTextBox;
    status.text.verticalAlignment = kTextAlignCentre;
    m_statusText.Create(status);

    PushButtonParams dcBlock = ButtonParams(m_container, this, kDcBlockPlace, "DC Block");
    dcBlock.mode = PushButtonMode::Toggle;
    m_dcBlockButton.Create(dcBlock);
    m_dcBlockButton.SetState(s.iDCBlock != 0);

    CreateValueControl(m_inputGainControl, kInputGainPlace, "Input Gain: %.0f dB", 0, 30, 1, float(s.iInputGain));
    CreateValueControl(m_scopeLinesControl, kScopeLinesPlace, "Scope Lines: %+.01f dB", -20, 3, 10, s.fScopeLines_dB);
    CreateValueControl(m_ituReferenceControl, kItuReferencePlace, "ITU Reference Level: %.0f dB", -31, 0, 1,
                       float(s.iItuRefLevel));
    CreateValueControl(m_rtaTargetControl, kRtaTargetPlace, "RTA Target Level: %.0f dB", -80, 0, 1,
                       float(s.iRtaTargetLevel));

    const int okTop = m_container.GetHeight() - kOkBottomGap - kOkHeight;
    const RECT ok = {kOkLeft, okTop, kOkLeft + kOkWidth, okTop + kOkHeight};
    m_okButton.Create(ButtonParams(m_container, this, ok, "OK"));
}

void CIoSettingsWindow::CreateLabel(CStaticTextControl& label, int x, int width, const char* text)
{
    const RECT place = {x, kColumnTop, x + width, kColumnTop + kCaptionHeight};
    label.Create(TextParams(m_container, this, place, text));
}

// All four lists are made alike.
void CIoSettingsWindow::CreateList(CDropListControl& list, int x, int width)
{
    const int top = kColumnTop + kListOffset;
    DropListBoxParams p = PlacedParams<DropListBoxParams>(m_container, this, {x, top, x + width, top + kListHeight});
    p.emptyText1 = kNoItemText;
    list.Create(p);
}

void CIoSettingsWindow::CreateValueControl(CValueControl& control, const RECT& place, const char* format, float minimum,
                                           float maximum, int stepsPerUnit, float value)
{
    ValueControlParams p = PlacedParams<ValueControlParams>(m_container, this, place);
    p.format1 = format;
    p.minimum = minimum;
    p.maximum = maximum;
    p.stepsPerUnit = stepsPerUnit;
    p.initialValue = value;
    control.Create(p);
}

void CIoSettingsWindow::FillInterfaceList()
{
    CDropListItemList& items = m_interfaceList.GetItems();
    items.Clear();
    for (int i = 0; i < CAudioInterface::GetNumInterfaceTypes(); ++i) {
        InterfaceTypeInfo info = {};
        CAudioInterface::GetInputInterfaceType(i, &info);
        CDropListItem* item = new CDropListItem;
        item->name = info.displayName;
        item->key = info.shortName;
        item->toolTip = info.displayName;
        items.Add(item);
    }
    items.SelectByKey(m_config.interfaceName.c_str());
    m_interfaceList.SyncSelection();
}

void CIoSettingsWindow::FillDeviceList()
{
    CDropListItemList& items = m_deviceList.GetItems();
    items.Clear();
    CAudioInterface* listing = m_controller ? m_controller->GetDeviceListInterface() : nullptr;
    m_devicesPending = listing && m_controller->IsAudioJobRunning();
    if (m_devicesPending)
        listing = nullptr;
    const int type = CAudioInterface::InterfaceTypeFromIndex(m_interfaceList.GetSelectedIndex());
    if (listing) {
        // The listing driver stays for the next fill of the same type.
        if (listing->GetDriverType() != type)
            listing->CreateDriver(true, type);
        for (int i = 0; i < listing->GetNumDevices(); ++i) {
            AudioDeviceEntry entry;
            listing->GetDeviceName(&entry, i);
            if (!AudioDeviceConfig::IsDeviceListed(entry.name.c_str(), entry.identifier.c_str()))
                continue;
            CDropListItem* item = new CDropListItem;
            item->name = entry.name;
            item->key = entry.identifier;
            items.Add(item);
        }
    }
    m_deviceList.SyncSelection();
}

void CIoSettingsWindow::SelectCurrentValues()
{
    CDropListItemList& devices = m_deviceList.GetItems();
    if (!devices.SelectByKey(m_config.deviceName.c_str()))
        devices.SelectByName(m_config.deviceName.c_str());
    m_deviceList.SyncSelection();
    m_bufferSizeList.GetItems().SelectByValue(m_config.bufferSize);
    m_bufferSizeList.SyncSelection();
    m_bufferCountList.GetItems().SelectByValue(m_config.bufferCount);
    m_bufferCountList.SyncSelection();
}

void CIoSettingsWindow::RefreshStatus()
{
    if (!m_controller)
        return;
    if (m_devicesPending && !m_controller->IsAudioJobRunning()) {
        FillDeviceList();
        SelectCurrentValues();
    }
    std::string text;
    m_controller->GetStatusText(text);
    CTextBuffer& record = *m_statusText.GetTextBuffer();
    const uint8_t multiLine = text.find('\n') != std::string::npos || text.size() > kSingleLineLength;
    if (text == record.text && multiLine == record.multiLine)
        return; // nothing new to draw
    record.multiLine = multiLine;
    m_statusText.OnEvent(this, EventSource::Request, ControlCommand::SetText, 0, int(intptr_t(text.c_str())), nullptr);
}

void CIoSettingsWindow::MarkApplyPending()
{
    m_applyPending = true;
    if (m_okOpen == OkOpen::ClosesWindow)
        m_okOpen = OkOpen::KeepsWindow;
    if (!m_controller)
        return;
    std::string replaced;
    m_controller->GetStatusText(replaced);
    if (replaced != kApplyHint)
        m_hintReplaced = replaced;
    m_controller->SetStatusText(kApplyHint);
}

// An OK's wait ends with the window it was pressed in: a window opened again meanwhile is the user's.
void CIoSettingsWindow::OnClosed()
{
    if (m_okOpen == OkOpen::ClosesWindow)
        m_okOpen = OkOpen::KeepsWindow;
    DropApplyHint();
}

// The picks the hint spoke of go with the window: the text it replaced, such as why capture failed, comes back.
void CIoSettingsWindow::DropApplyHint()
{
    if (!m_controller)
        return;
    std::string shown;
    m_controller->GetStatusText(shown);
    if (shown == kApplyHint)
        m_controller->SetStatusText(m_hintReplaced.c_str());
}

int CIoSettingsWindow::OnNotify(void* record)
{
    if (record) {
        const ControlNotification& n = *static_cast<const ControlNotification*>(record);
        if (n.kind == kButtonNotifyKind)
            OnButton(n);
        else if (n.kind == CDropListControl::kNotifyKind && n.code == DropListNotify::Selected)
            OnListPick(n);
        if (n.code == ValueControlNotify::Label && n.data1 == ValueControlNotify::kLabelTag)
            OnValueReport(n);
    }
    return CTopLevelWindow::OnNotify(record);
}

void CIoSettingsWindow::OnButton(const ControlNotification& n)
{
    // A toggle button has flipped its state before it ends the press.
    if (IsFrom(n, m_dcBlockButton) && n.code == NotifyCode::LeftUp && m_settings)
        m_settings->iDCBlock = m_dcBlockButton.GetState() != 0 ? 1 : 0;
    else if (IsFrom(n, m_okButton) && n.code == NotifyCode::Click)
        PressOk();
}

void CIoSettingsWindow::PressOk()
{
    m_okOpen = OkOpen::None;
    if (m_applyPending) {
        CIniSave save(m_iniPath);
        m_config.SaveInterface(save, kSection);
        m_config.SaveInterfaceSettings(save, kSection);
        save.Commit();
        if (!m_controller || !m_controller->OpenAudioInterface()) {
            if (m_controller && m_controller->IsAudioJobRunning())
                m_okOpen = OkOpen::ClosesWindow;
            return;
        }
    }
    m_window.PostDeferredClose();
}

void CIoSettingsWindow::OnAudioOpened()
{
    if (m_okOpen == OkOpen::ClosesWindow && m_window.IsCreated())
        m_window.PostDeferredClose();
    m_okOpen = OkOpen::None;
}

void CIoSettingsWindow::OnListPick(const ControlNotification& n)
{
    const CDropListItem* item = static_cast<const CDropListItem*>(n.data3);
    if (!item)
        return;
    if (IsFrom(n, m_interfaceList)) {
        // The keys of the interface being left are kept at once.
        CIniSave save(m_iniPath);
        m_config.SaveInterfaceSettings(save, kSection);
        save.Commit();
        m_config.SetDefaults();
        m_config.interfaceName = item->key;
        FillDeviceList();
        m_config.LoadInterfaceSettings(m_iniPath, kSection);
        KeepDefaultDevice();
        SelectCurrentValues();
    } else if (IsFrom(n, m_deviceList)) {
        m_config.deviceName = item->key;
    } else if (IsFrom(n, m_bufferSizeList)) {
        m_config.bufferSize = item->value;
    } else if (IsFrom(n, m_bufferCountList)) {
        m_config.bufferCount = item->value;
    } else {
        return;
    }
    MarkApplyPending();
}

// A type with no device stored, while the device layer is busy and its list holds nothing to pick: an OK
// would save no device at all. The driver's default device stands in, as the filled list will show it.
void CIoSettingsWindow::KeepDefaultDevice()
{
    const int type = CAudioInterface::InterfaceTypeFromIndex(m_interfaceList.GetSelectedIndex());
    if (m_config.deviceName.empty() && m_deviceList.GetItems().Count() == 0)
        m_config.deviceName = CAudioInterface::DefaultDeviceKey(type);
}

void CIoSettingsWindow::OnValueReport(const ControlNotification& n)
{
    const ValueLabel* report = static_cast<const ValueLabel*>(n.data3);
    if (!report || !report->changed || !m_settings)
        return;
    // Whole decibels are cut toward zero, as a cast does.
    if (IsFrom(n, m_inputGainControl))
        m_settings->iInputGain = int(report->value);
    else if (IsFrom(n, m_ituReferenceControl))
        m_settings->iItuRefLevel = int(report->value);
    else if (IsFrom(n, m_rtaTargetControl))
        m_settings->iRtaTargetLevel = int(report->value);
    else if (IsFrom(n, m_scopeLinesControl))
        m_settings->fScopeLines_dB = report->value;
    else
        return;
    if (m_controller)
        m_controller->ApplySettings();
}
