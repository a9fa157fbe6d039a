#include "configdlg/QxZiagzagConfigDlg.h"

#include "app/QxApplication.h"
#include "chart/QxChartConfiguration.h"
#include "configdlg/wxPenPicker.h"
#include "core/QxUtils.h"
#include "core/platform/wxConfigEx.h"

#include <wx/msgdlg.h>

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

void QxZiagzagConfigDlg::onColourChanged(wxColourPickerEvent& event)
{
    wxPen current = m_penPicker->getPen();
    current.SetColour(event.GetColour());
    m_penPicker->setPen(current);
}

bool QxZiagzagConfigDlg::typedFilter(double& value) const
{
    const wxString text = m_filter->GetTextValue().Strip(wxString::both);
    return (text.ToCDouble(&value) || text.ToDouble(&value)) && std::isfinite(value);
}

void QxZiagzagConfigDlg::onOK(wxCommandEvent&)
{
    double value = 0;
    if (!typedFilter(value) || value <= 0 || value > 100) {
        wxMessageBox(_("Please provide valid value for noise filter."), QxApplication::appTitle(),
                     wxOK | wxICON_ERROR, this);
        m_filter->SetFocus();
        m_filter->SetSelection(-1, -1);
        return;
    }
    filter = value;
    pen = m_penPicker->getPen();
    writeZigZagDefaults(wxConfigEx::get(), *this);
    EndModal(wxID_OK);
}

void QxZiagzagConfigDlg::onHelp(wxCommandEvent&)
{
    QxUtils::showHelp("topics/pattern_detection.htm#zigzag");
}
