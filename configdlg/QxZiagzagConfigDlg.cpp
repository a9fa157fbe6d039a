#include "configdlg/QxZiagzagConfigDlg.h"

#include "chart/QxChartConfiguration.h"
#include "configdlg/QxOptParamCheck.h"
#include "configdlg/wxPenPicker.h"
#include "core/QxUtils.h"
#include "core/platform/QxSpinText.h"
#include "core/platform/wxConfigEx.h"
#include "ui/QxMessages.h"


#include <cmath>

namespace {
const char* const kConfigPath = "/preferences/pattern_configs/zigzag/";
}

QxZiagzagConfigDlg::QxZiagzagConfigDlg(wxWindow* parent, const QxZigZagPatternConfig& initial)
    : FBZiagzagConfigDlg(parent, wxID_ANY, _("Zigzag configuration"), wxDefaultPosition, wxSize(315, 147)),
      QxZigZagPatternConfig(initial)
{
    if (!(filter > 0 && filter < 100) || !pen.IsOk())
        static_cast<QxZigZagPatternConfig&>(*this) = readZigZagDefaults(wxConfigEx::get());
    m_filter->SetRange(0.1, 100);
    m_filter->SetIncrement(0.1);
    m_filter->SetDigits(1);
    qxWatchSpinText(m_filter);
    m_ok->SetDefault();
}

QxZiagzagConfigDlg::~QxZiagzagConfigDlg() = default;

QxZigZagPatternConfig QxZiagzagConfigDlg::readZigZagDefaults(wxConfigBase& config)
{
    QxConfigPathGuard guard(config);
    config.SetPath(kConfigPath);
    QxZigZagPatternConfig settings;
    config.Read("filter", &settings.filter, 5.0);
    settings.pen = readConfigPen(config, "line_style", *wxBLACK_DASHED_PEN);
    return settings;
}

void QxZiagzagConfigDlg::writeZigZagDefaults(wxConfigBase& config, const QxZigZagPatternConfig& settings)
{
    QxConfigPathGuard guard(config);
    config.SetPath(kConfigPath);
    config.Write("filter", settings.filter);
    writeConfigPen(config, "line_style", settings.pen);
}

bool QxZiagzagConfigDlg::TransferDataToWindow()
{
    m_filter->SetValue(filter);
    m_colourPicker->SetColour(pen.GetColour());
    m_penPicker->setPen(pen);
    return true;
}

void QxZiagzagConfigDlg::recolour(wxPenPicker* picker, const wxColour& colour)
{
    wxPen current = picker->getPen();
    current.SetColour(colour);
    picker->setPen(current);
}

void QxZiagzagConfigDlg::onColourChanged(wxColourPickerEvent& event)
{
    recolour(m_penPicker, event.GetColour());
}

bool QxZiagzagConfigDlg::acceptTypedFilter(wxWindow* dialog, wxSpinCtrlDouble* field, double& value)
{
    // What was typed, not what the control made of it when the focus left.
    if (qxReadRealNumber(qxTypedSpinText(field), value) && value > 0 && value <= 100)
        return true;
    qxShowError(_("Please provide valid value for noise filter."), dialog);
    field->SetFocus();
    field->SetSelection(-1, -1);
    return false;
}

void QxZiagzagConfigDlg::onOK(wxCommandEvent&)
{
    double value = 0;
    if (!acceptTypedFilter(this, m_filter, value))
        return;
    filter = value;
    pen = m_penPicker->getPen();
    writeZigZagDefaults(wxConfigEx::get(), *this);
    EndModal(wxID_OK);
}

void QxZiagzagConfigDlg::onHelp(wxCommandEvent&)
{
    QxUtils::showHelp("topics/pattern_detection.htm#zigzag");
}
