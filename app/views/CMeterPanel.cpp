#include "app/views/CMeterPanel.h"
#include "analysis/CLoudnessMeter.h"
#include "app/AnalyserSettings.h"
#include "app/CAppController.h"
#include "common/DebugTrace.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/graphics/CBitmapBarRenderer.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "gui/skin/CSkinFont.h"
#include "gui/skin/CSkinRenderer.h"

namespace {
const int kMargin = 5;
const int kScaleSideMargin = 1; // the scale's side keeps only this
// Room for a scale: horizontal meters above 151 x 26, vertical above 40 x 30.
const int kHorizontalScaleWidth = 151, kHorizontalScaleHeight = 26;
const int kVerticalScaleWidth = 40, kVerticalScaleHeight = 30;
const int kLastItemFactor = 95; // hundredths
const int kPeakMinPixels = 5, kPeakMaxPixels = 8;
const int kTimeConstants = 3; // the 3, 10 and 30 second windows

const MeterDisplayDesc kDisplay = {true, true, 1.0f, 54, {120, 260, 380, 520, 560, 620}};

// The scale's font slot, thickness and text offset by size: the first row
// whose size the control exceeds.
struct ScaleRow {
    int minWidth, minHeight; // exceeded, not reached
    int fontSlot, thickness, textOffset;
};
const ScaleRow kHorizontalRows[] = {{450, 70, 7, 23, 14}, {250, 45, 6, 15, 10}, {190, 35, 5, 14, 8}, {0, 0, 4, 12, 5}};
const ScaleRow kVerticalRows[] = {{90, 200, 7, 35, 14}, {65, 140, 6, 25, 10}, {50, 118, 5, 19, 8}, {0, 0, 4, 16, 5}};
const int kScaleRows = 4;             // the last row takes every size
const COLORREF kScaleText = 0x010101; // near black that still shows its shadow
const int kScaleIndent = 6;

CSkinRenderer* SkinOf(const MeterViewPhase* data)
{
    const CControlContainer* container = data->control ? data->control->GetContainer() : nullptr;
    return container ? container->GetSkinRenderer() : nullptr;
}
} // namespace

CMeterPanel::CMeterPanel()
    : m_listener(nullptr), m_controller(nullptr), m_showScale(0), m_loudnessMeter(nullptr), m_horizontal(false),
      m_segmentFlag(0), m_firstMeterBar(0), m_scaleShadowColour(0), m_reading(), m_input(InputState::Live)
{}

CMeterPanel::~CMeterPanel() = default;

void CMeterPanel::CreateControl(MeterViewCreateParams params, CListener* listener)
{
    m_listener = listener;
    params.owner = this;
    m_meterControl.Create(params);
}

int CMeterPanel::OnNotify(void* record)
{
    const ControlNotification* r = static_cast<const ControlNotification*>(record);
    if (r && r->kind == CMeterViewControl::kPhaseKind && r->code == CMeterViewControl::kPhaseCode) {
        OnMeterNotify(static_cast<MeterViewPhase*>(r->data3));
        return 0;
    }
    return m_listener ? m_listener->OnNotify(record) : 0;
}

void CMeterPanel::OnMeterNotify(MeterViewPhase* data)
{
    if (!data || !data->view)
        return;
    switch (data->phase) {
    case MeterPhase::Describe: Describe(*data); break;
    case MeterPhase::Renderers: CreateRenderers(*data); break;
    case MeterPhase::Values: Refresh(*data); break;
    default: break;
    }
}

void CMeterPanel::Describe(MeterViewPhase& data)
{
    const int w = data.width, h = data.height;
    m_horizontal = double(h) / double(w) < 1.0;
    if (CSkinRenderer* skin = SkinOf(&data)) {
        uint32_t levels[kSkinQueryLevelCount] = {};
        skin->OnEvent(data.control, EventSource::Request, kSkinQueryLevels, 0, SkinQueryParam(levels), nullptr);
        m_scaleShadowColour = levels[0];
    }
    m_showScale = 0;
    m_segmentFlag = BevelHalf;
    BarGraphViewDesc* desc = data.desc;
    if (!desc)
        return;
    desc->vertical = m_horizontal ? 1 : 0; // horizontal meters are bars lying flat, stacked
    desc->marginLeft = desc->marginTop = desc->marginRight = desc->marginBottom = kMargin;
    if (m_horizontal) {
        if (w > kHorizontalScaleWidth && h > kHorizontalScaleHeight) {
            m_showScale = 1;
            desc->marginTop = kScaleSideMargin;
        }
        DebugTrace("pData->xysize.cx=%i\n", w);
    } else if (h > kVerticalScaleHeight && w > kVerticalScaleWidth) {
        m_showScale = 1;
        desc->marginLeft = kScaleSideMargin;
    }
}

void CMeterPanel::CreateRenderers(MeterViewPhase& data)
{
    CBarGraphView& view = *data.view;
    m_meterDisplay.Setup(&kDisplay);
    if (m_showScale) {
        if (auto* scale = static_cast<CBitmapBarRenderer*>(view.CreateRenderer(BarRendererType::Bitmap))) {
            scale->scaleStart = 0.0f;
            m_meterDisplay.ConfigureMeterScale(scale);
            ConfigureScale(scale, &data);
        }
    }
    m_firstMeterBar = view.GetRendererCount();
    if (!m_controller)
        return;
    const int meters = m_controller->GetSettings()->iItuChannelMode == 0 ? 1 : 2;
    for (int i = 0; i < meters; ++i) {
        auto* bar = static_cast<CSegmentBarRenderer*>(view.CreateRenderer(BarRendererType::Segment));
        if (!bar)
            return;
        bar->bevel[0] = bar->bevel[1] = bar->bevel[2] = m_segmentFlag;
        bar->fillFactor = kLastItemFactor;
        bar->peakMinThickness = kPeakMinPixels;
        bar->peakMaxThickness = kPeakMaxPixels;
    }
}

void CMeterPanel::Refresh(MeterViewPhase& data)
{
    if (!m_loudnessMeter || !m_controller)
        return;
    // Read even while stopped: the reader keeps up with the history.
    const bool read = m_loudnessMeter->ReadLatest(&m_reading);
    if (m_input == InputState::Stopped)
        m_loudnessMeter->ResetReading(&m_reading);
    else if (!read)
        return;
    const float ref = float(m_controller->GetItuRefLevel());
    const int constant = m_controller->GetSettings()->iItuTimeConstant;
    const int window = constant >= 0 && constant < kTimeConstants ? constant : 0; // the stored value stays
    CBarGraphView& view = *data.view;
    CSegmentBarRenderer* first = view.GetSegmentRenderer(m_firstMeterBar);
    CSegmentBarRenderer* second = view.GetSegmentRenderer(m_firstMeterBar + 1);
    if (second) {
        m_meterDisplay.UpdateMeter(first, &m_reading, window, 0);
        m_meterDisplay.SetReference(first, ref);
        m_meterDisplay.UpdateMeter(second, &m_reading, window, 1);
        m_meterDisplay.SetReference(second, ref);
    } else {
        m_meterDisplay.UpdateMeter(first, &m_reading, window, -1);
        m_meterDisplay.SetReference(first, ref);
    }
}

void CMeterPanel::ConfigureScale(CBitmapBarRenderer* scale, const MeterViewPhase* data) const
{
    if (!scale || !data)
        return;
    const int w = data->width, h = data->height;
    scale->gapWeight = 0;
    scale->labelColor = kScaleText;
    scale->labelShadow = true;
    scale->shadowColor = m_scaleShadowColour;
    scale->labelInset = kScaleIndent;
    if (m_horizontal)
        DebugTrace("meters horizontal height pixels=%i\n", h);
    else {
        scale->labelAlign = CBitmapBarRenderer::AlignRight;
        DebugTrace("meters width=%i length=%i\n", w, h);
    }
    const ScaleRow* row = m_horizontal ? kHorizontalRows : kVerticalRows;
    for (int i = 1; i < kScaleRows && !(w > row->minWidth && h > row->minHeight); ++i)
        ++row;
    if (CSkinRenderer* skin = SkinOf(data))
        if (CSkinFont* font = skin->GetFont(row->fontSlot, 0))
            scale->labelFont = font->GetHandle();
    scale->fixedSize = row->thickness;
    scale->labelOffset = row->textOffset;
}
