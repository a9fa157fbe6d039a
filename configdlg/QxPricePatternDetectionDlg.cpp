#include "configdlg/QxPricePatternDetectionDlg.h"

#include "chart/QxChartConfiguration.h"
#include "configdlg/QxZiagzagConfigDlg.h"
#include "configdlg/wxPenPicker.h"
#include "core/QxUtils.h"
#include "core/platform/QxSpinText.h"
#include "core/platform/wxConfigEx.h"
#include "ui/QxWindowFit.h"

namespace {
const char* const kConfigPath = "/preferences/pattern_configs/price_pattern/";
// Shared with the zig-zag dialog.
const char* const kFilterKey = "/preferences/pattern_configs/zigzag/filter";
} // namespace

QxPricePatternDetectionDlg::QxPricePatternDetectionDlg(wxWindow* parent, const QxPricePatternConfig& initial)
    : FBPricePatternDetectionDlg(parent), QxPricePatternConfig(initial)
{
    if (!(filter > 0 && filter < 100) || !topPen.IsOk() || !bottomPen.IsOk())
        static_cast<QxPricePatternConfig&>(*this) = readPricePatternDefaults(wxConfigEx::get());
    m_filter->SetRange(0.1, 100);
    m_filter->SetIncrement(0.1);
    m_filter->SetDigits(1);
    qxWatchSpinText(m_filter);
    m_ok->SetDefault();
    growToFittingSize(this);
}

QxPricePatternDetectionDlg::~QxPricePatternDetectionDlg() = default;

QxPricePatternConfig QxPricePatternDetectionDlg::readPricePatternDefaults(wxConfigBase& config)
{
    QxConfigPathGuard guard(config);
    config.SetPath(kConfigPath);
    QxPricePatternConfig settings;
    config.Read(kFilterKey, &settings.filter, 2.5);
    settings.topPen = readConfigPen(config, "top_pen", wxPen(wxColour(117, 0, 0), 2, wxPENSTYLE_SOLID));
    settings.bottomPen = readConfigPen(config, "bot_pen", wxPen(wxColour(0, 127, 0), 2, wxPENSTYLE_SOLID));
    return settings;
}

void QxPricePatternDetectionDlg::writePricePatternDefaults(wxConfigBase& config, const QxPricePatternConfig& settings)
{
    QxConfigPathGuard guard(config);
    config.SetPath(kConfigPath);
    config.Write(kFilterKey, settings.filter);
    writeConfigPen(config, "top_pen", settings.topPen);
    writeConfigPen(config, "bot_pen", settings.bottomPen);
}

bool QxPricePatternDetectionDlg::TransferDataToWindow()
{
    m_filter->SetValue(filter);
    m_topColour->SetColour(topPen.GetColour());
    m_bottomColour->SetColour(bottomPen.GetColour());
    m_topPenPicker->setPen(topPen);
    m_bottomPenPicker->setPen(bottomPen);
    return true;
}

void QxPricePatternDetectionDlg::setMessage(const wxString& text)
{
    m_message->SetLabel(text);
    Layout();
    growToFittingSize(this);
}

void QxPricePatternDetectionDlg::onTopColourChanged(wxColourPickerEvent& event)
{
    QxZiagzagConfigDlg::recolour(m_topPenPicker, event.GetColour());
}

void QxPricePatternDetectionDlg::onBottomColourChanged(wxColourPickerEvent& event)
{
    QxZiagzagConfigDlg::recolour(m_bottomPenPicker, event.GetColour());
}

void QxPricePatternDetectionDlg::onOK(wxCommandEvent&)
{
    double value = 0;
    if (!QxZiagzagConfigDlg::acceptTypedFilter(this, m_filter, value))
        return;
    filter = value;
    topPen = m_topPenPicker->getPen();
    bottomPen = m_bottomPenPicker->getPen();
    writePricePatternDefaults(wxConfigEx::get(), *this);
    EndModal(wxID_OK);
}

void QxPricePatternDetectionDlg::onHelp(wxCommandEvent&)
{
    QxUtils::showHelp("topics/pattern_detection.htm#double_top");
}
