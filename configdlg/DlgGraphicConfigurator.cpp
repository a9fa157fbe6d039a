#include "configdlg/DlgGraphicConfigurator.h"

#include "chart/QxDrawable.h"
#include "configdlg/PanelColorSchemeConfigurator.h"
#include "configdlg/QxOptParamCheck.h"
#include "core/QxIndicSeriesSelector.h"
#include "core/QxIndicator.h"
#include "ui/QxDialogLayout.h"
#include "ui/QxMessages.h"

#include <wx/intl.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

wxStaticText* addRowLabel(wxWindow* parent, wxSizer* sizer, const wxString& text)
{
    auto* label = new wxStaticText(parent, wxID_ANY, text);
    sizer->Add(label, 0, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL | wxALL, 5);
    return label;
}

namespace {

// A data role may take a price field, a constant or an existing output.
bool usableSeries(const QxSeriesId& id)
{
    const uint32_t kind = id.kind();
    if (kind == 0 || (kind & (kind - 1)) != 0)
        return false;
    return kind < QxSeriesId::eSeriesIndicator || kind == QxSeriesId::eSeriesConstant || id.isValid();
}

} // namespace

PanelGraphicObjConfigurator::PanelGraphicObjConfigurator(QxIndicator* indicator, QxDrawable* drawable,
                                                         wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(300, 250), wxTAB_TRAVERSAL), m_indicator(indicator),
      m_drawable(drawable)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* header = new wxStaticText(
        this, wxID_ANY, wxString::Format(_("Configurate data parameters of %s."), drawable->getDisplayText()));
    top->Add(header, 0, wxALIGN_CENTER | wxALL, 5);
    auto* grid = new wxFlexGridSizer(0, 2, 0, 0);
    grid->AddGrowableCol(1);
    for (const QxDataInfo& role : drawable->getParamInfos()) {
        if (role.kind < QxSeriesId::eSeriesIndicator) {
            m_controls.push_back(nullptr);
            continue;
        }
        addRowLabel(this, grid, role.text + ":");
        const QxSeriesId& bound = drawable->getSeries(role.name);
        wxWindow* control;
        if (role.kind == QxSeriesId::eSeriesIndicator) {
            auto* selector = new QxIndicSeriesSelector(indicator, this);
            // A graphic may show a price field as well as an output.
            selector->addPriceFields();
            selector->setSelectedSeries(bound);
            grid->Add(selector, 0, wxEXPAND | wxALIGN_CENTER_VERTICAL | wxRIGHT | wxTOP | wxBOTTOM, 5);
            control = selector;
        } else {
            control = new wxTextCtrl(this, wxID_ANY, wxString::Format("%.2lf", bound.value()));
            grid->Add(control, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT | wxTOP | wxBOTTOM, 5);
        }
        m_controls.push_back(control);
    }
    top->Add(grid, 0, wxEXPAND);
    SetSizer(top);
}

PanelGraphicObjConfigurator::~PanelGraphicObjConfigurator() = default;

bool PanelGraphicObjConfigurator::Validate()
{
    const std::vector<QxDataInfo>& roles = m_drawable->getParamInfos();
    std::vector<QxSeriesId> values(roles.size());
    for (size_t i = 0; i < roles.size() && i < m_controls.size(); ++i) {
        if (!m_controls[i])
            continue;
        wxString problem;
        if (roles[i].kind == QxSeriesId::eSeriesIndicator) {
            values[i] = static_cast<QxIndicSeriesSelector*>(m_controls[i])->getSelectedSeries();
            if (!usableSeries(values[i]))
                problem = _("No data source is selected.");
        } else {
            double number = 0;
            if (qxReadRealNumber(static_cast<wxTextCtrl*>(m_controls[i])->GetValue(), number))
                values[i] = QxSeriesId::constant(number);
            else
                problem = _("Value can only be a number.");
        }
        if (!problem.empty()) {
            m_controls[i]->SetFocus();
            qxShowError(wxString::Format("%s:%s", roles[i].text, problem), this);
            return false;
        }
    }
    for (size_t i = 0; i < roles.size() && i < m_controls.size(); ++i)
        if (m_controls[i])
            m_drawable->setSeries(roles[i].name, values[i]);
    return true;
}

DlgGraphicConfigurator::DlgGraphicConfigurator(QxIndicator* indicator, QxDrawable* drawable, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::Format(_("Configure %s"), drawable->getDisplayText()),
               wxDefaultPosition, wxSize(300, 242), wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_notebook = new wxNotebook(this, wxID_ANY);
    sizer->Add(m_notebook, 1, wxEXPAND | wxALL, 5);
    m_objectPage = new PanelGraphicObjConfigurator(indicator, drawable, m_notebook);
    m_notebook->AddPage(m_objectPage, drawable->getDisplayText());
    m_colourPage = new PanelColorSchemeConfigurator(indicator, drawable, m_notebook);
    m_notebook->AddPage(m_colourPage, _("Color Scheme"));
    auto* buttons = qxStandardButtons(this, {{wxID_OK, nullptr}, {wxID_CANCEL, nullptr}}, qxNoDefaultButton);
    sizer->Add(buttons, 0, wxEXPAND | wxALL, 5);
    SetSizerAndFit(sizer);
    Bind(wxEVT_BUTTON, &DlgGraphicConfigurator::onOK, this, wxID_OK);
}

void DlgGraphicConfigurator::onOK(wxCommandEvent&)
{
    // In page order: each page writes as soon as its own check passes.
    for (size_t i = 0; i < m_notebook->GetPageCount(); ++i)
        if (!m_notebook->GetPage(i)->Validate())
            return;
    EndModal(wxID_OK);
}
