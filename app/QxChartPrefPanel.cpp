#include "app/QxChartPrefPanel.h"

#include "app/QxGlobalVars.h"
#include "core/platform/QxSpinText.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/filedlg.h>

QxChartPrefPanel::QxChartPrefPanel(wxWindow* parent) : FBChartPrefPanel(parent)
{
    m_infoBitmap->SetBitmap(wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_OTHER));
    for (wxSpinCtrl* spin : {m_mainZoneHeight, m_volmZoneHeight, m_indcZoneHeight})
        qxWatchSpinText(spin);
    setValues(chartPrefsFrom(QxGlobalVars::get()));
    Layout();
    GetSizer()->Fit(this);
}

QxChartPrefValues QxChartPrefPanel::values() const
{
    QxChartPrefValues values;
    values.candle = m_candle->GetValue();
    values.bar = m_bar->GetValue();
    values.line = m_line->GetValue();
    // As typed: the control would hold 99999 to its largest height. Text
    // that is no number is a height the check refuses.
    auto typed = [](const wxSpinCtrl* spin) {
        long height = 0;
        return qxTypedSpinInteger(spin, height) ? height : -1L;
    };
    values.mainZoneHeight = typed(m_mainZoneHeight);
    values.volmZoneHeight = typed(m_volmZoneHeight);
    values.indcZoneHeight = typed(m_indcZoneHeight);
    values.templateFile = m_templateFile->GetValue();
    return values;
}

void QxChartPrefPanel::setValues(const QxChartPrefValues& values)
{
    // A stored style other than 1, 2 and 3 sets no button.
    m_candle->SetValue(values.candle);
    m_bar->SetValue(values.bar);
    m_line->SetValue(values.line);
    m_mainZoneHeight->SetValue(static_cast<int>(values.mainZoneHeight));
    m_volmZoneHeight->SetValue(static_cast<int>(values.volmZoneHeight));
    m_indcZoneHeight->SetValue(static_cast<int>(values.indcZoneHeight));
    m_templateFile->ChangeValue(values.templateFile);
}

wxWindow* QxChartPrefPanel::controlFor(QxChartPrefField field) const
{
    switch (field) {
    case QxChartPrefField::eMainZoneHeight:
        return m_mainZoneHeight;
    case QxChartPrefField::eVolmZoneHeight:
        return m_volmZoneHeight;
    case QxChartPrefField::eIndcZoneHeight:
        return m_indcZoneHeight;
    case QxChartPrefField::eTemplateFile:
        return m_templateFile;
    case QxChartPrefField::eNone:
        break;
    }
    return nullptr;
}

bool QxChartPrefPanel::Validate()
{
    const QxChartPrefValues current = values();
    const QxChartPrefCheck check = checkChartPrefs(current);
    if (!check.ok()) {
        qxShowError(check.message, this);
        if (wxWindow* control = controlFor(check.field))
            control->SetFocus();
        return false;
    }
    storeChartPrefs(current, QxGlobalVars::get());
    return true;
}

void QxChartPrefPanel::OnBrowseTemplate(wxCommandEvent&)
{
    wxFileDialog dialog(this, _("Open Template"), wxEmptyString, wxEmptyString,
                        _("Trendoria Template (*.trdt)|*.trdt"), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        m_templateFile->SetValue(dialog.GetPath());
}
