#include "chartview/QxPointAndFigureConfigDlg.h"

#include "ui/QxMessages.h"


#include <climits>
#include <cmath>

namespace {

bool readReal(const wxString& text, double& value)
{
    const wxString t = wxString(text).Trim(true).Trim(false);
    return !t.empty() && (t.ToCDouble(&value) || t.ToDouble(&value)) && std::isfinite(value);
}

} // namespace

int checkPnfConfigTexts(const wxString& minBox, const wxString& percent, const wxString& reversal,
                        const wxString& factor, QxPointAndFigureParam& params, double highest)
{
    double v = 0.0;
    if (!readReal(minBox, v) || !(v > 0.0))
        return 1;
    params.minAbsBoxSize = v;
    if (!readReal(percent, v) || !(v >= 0.0 && v < 100.0))
        return 2;
    params.minPercChange = v / 100.0;
    long n = 0;
    const wxString r = wxString(reversal).Trim(true).Trim(false);
    if (r.empty() || !r.ToLong(&n, 10) || n < 1 || n > INT32_MAX)
        return 3;
    params.nBoxReversal = static_cast<int32_t>(n);
    if (!readReal(factor, v) || !(v >= 0.0))
        return 4;
    params.boxSizeFactor = v;
    if (QxPnf::firstBrokenRule(params) == 5)
        return 5;
    return QxPnf::ladderReaches(params, highest) ? 0 : 6;
}

wxString pnfCheckMessage(int check)
{
    switch (check) {
    case 1: return _("Please provide valid value for minimum box size");
    case 2: return _("Please provide valid value for minimum percentage price change");
    case 3: return _("Please provide valid value for minimum number of box for considering price reversal");
    case 4: return _("Please provide valid value for box size factor");
    case 5: return _("'Minimum absolute box size' should be multiple of 'Price change factor'.");
    case 6: return QxPointAndFigure::tooManyLevelsText();
    default: return wxString();
    }
}

QxPnfField pnfCheckField(int check)
{
    switch (check) {
    case 2: return ePnfPercent;
    case 3: return ePnfReversal;
    case 4: return ePnfFactor;
    default: return ePnfMinBox;
    }
}

QxPointAndFigureConfigDlg::QxPointAndFigureConfigDlg(wxWindow* parent, const QxPointAndFigureParam& params)
    : FBPointAndFigureConfigDlg(parent), m_params(params)
{
    m_minBox->SetValue(wxString::Format("%2.4f", params.minAbsBoxSize));
    m_percent->SetValue(wxString::Format("%2.4f", params.minPercChange * 100.0));
    m_reversal->SetValue(wxString::Format("%d", params.nBoxReversal));
    m_factor->SetValue(wxString::Format("%2.4f", params.boxSizeFactor));
    m_setDefault->SetValue(false);
}

QxPointAndFigureConfigDlg::~QxPointAndFigureConfigDlg() = default;

wxTextCtrl* QxPointAndFigureConfigDlg::field(QxPnfField f) const
{
    switch (f) {
    case ePnfPercent: return m_percent;
    case ePnfReversal: return m_reversal;
    case ePnfFactor: return m_factor;
    default: return m_minBox;
    }
}

void QxPointAndFigureConfigDlg::onOK(wxCommandEvent&)
{
    QxPointAndFigureParam edited = m_params;
    const int failed = checkPnfConfigTexts(m_minBox->GetValue(), m_percent->GetValue(), m_reversal->GetValue(),
                                           m_factor->GetValue(), edited, m_highest);
    if (failed != 0) {
        qxShowError(pnfCheckMessage(failed), this);
        wxTextCtrl* text = field(pnfCheckField(failed));
        text->SelectAll();
        text->SetFocus();
        return;
    }
    m_params = edited;
    EndModal(wxID_OK);
}

void QxPointAndFigureConfigDlg::onHelp(wxCommandEvent&) {}
