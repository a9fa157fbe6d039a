#include "configdlg/PanelColorSchemeConfigurator.h"

#include "chart/QxColorScheme.h"
#include "chart/QxColorSchemeRegistry.h"
#include "chart/QxDrawable.h"
#include "configdlg/DlgGraphicConfigurator.h"
#include "core/QxIndicSeriesSelector.h"
#include "core/QxIndicator.h"
#include "ui/QxMessages.h"

#include <wx/choice.h>
#include <wx/clrpicker.h>
#include <wx/intl.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

// Series roles get a selector; other data roles keep the prototype's binding.
bool isSeriesRole(const QxDataInfo& role) { return role.kind >= QxSeriesId::eSeriesIndicator; }

} // namespace

PanelColorSchemeConfigurator::PanelColorSchemeConfigurator(QxIndicator* indicator, QxDrawable* drawable,
                                                           wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(300, 272), wxTAB_TRAVERSAL), m_indicator(indicator),
      m_drawable(drawable)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY,
                              wxString::Format(_("Configure color scheme of %s."), drawable->getDisplayText())),
             0, wxALIGN_CENTER | wxALL, 5);
    m_grid = new wxFlexGridSizer(0, 2, 0, 0);
    m_grid->AddGrowableCol(1);
    addRowLabel(this, m_grid, _("Color Scheme:"));
    m_choice = new wxChoice(this, wxID_ANY);
    m_grid->Add(m_choice, 0, wxEXPAND | wxALIGN_CENTER_VERTICAL | wxRIGHT | wxTOP | wxBOTTOM, 5);
    top->Add(m_grid, 0, wxEXPAND);
    SetSizer(top);

    QxColorSchemeRegistry& registry = QxColorSchemeRegistry::instance();
    for (const QxAtom& name : registry.getNames()) {
        const QxColorScheme* prototype = registry.find(name);
        if (!prototype)
            continue;
        m_choice->Append(prototype->getDisplayText());
        m_schemes.push_back(name);
    }
    const QxColorScheme* current = drawable->getColorScheme();
    if (!current)
        current = registry.find(QxAtom("UniColorScheme"));
    for (size_t i = 0; current && i < m_schemes.size(); ++i)
        if (m_schemes[i] == current->getName()) {
            m_choice->SetSelection(static_cast<int>(i));
            rebuildRows();
            break;
        }
    m_choice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { rebuildRows(); });
}

PanelColorSchemeConfigurator::~PanelColorSchemeConfigurator() = default;

void PanelColorSchemeConfigurator::rebuildRows()
{
    const int sel = m_choice->GetSelection();
    if (sel == wxNOT_FOUND || static_cast<size_t>(sel) >= m_schemes.size())
        return;
    Freeze();
    // The first two items are the scheme's own label and choice.
    while (m_grid->GetItemCount() > 2) {
        wxWindow* window = m_grid->GetItem(size_t(2))->GetWindow();
        m_grid->Remove(2);
        if (window)
            window->Destroy();
    }
    m_seriesRows.clear();
    m_colourRows.clear();

    const QxAtom& name = m_schemes[sel];
    const QxColorScheme* own = m_drawable->getColorScheme();
    const QxColorScheme* shown =
        own && own->getName() == name ? own : QxColorSchemeRegistry::instance().find(name);
    for (const QxDataInfo& role : shown->getDataParamInfos()) {
        if (!isSeriesRole(role))
            continue;
        addRowLabel(this, m_grid, role.text + ":");
        auto* selector = new QxIndicSeriesSelector(m_indicator, this);
        selector->setSelectedSeries(shown->getSeries(role.name));
        m_grid->Add(selector, 0, wxEXPAND | wxALIGN_CENTER_VERTICAL | wxRIGHT | wxTOP | wxBOTTOM, 5);
        m_seriesRows.push_back(selector);
    }
    for (const QxColorEntry& entry : shown->getColorParamInfos()) {
        addRowLabel(this, m_grid, entry.description + ":");
        auto* picker = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
        picker->SetColour(entry.colour);
        m_grid->Add(picker, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT | wxTOP | wxBOTTOM, 5);
        m_colourRows.push_back(picker);
    }
    fitToRows();
    Thaw();
}

void PanelColorSchemeConfigurator::fitToRows()
{
    // Grown to what the rows need, never shrunk.
    wxSize size = GetSize();
    size.IncTo(GetSizer()->GetMinSize());
    SetSize(size);
    Layout();
    if (wxWindow* dialog = wxGetTopLevelParent(this)) {
        wxSize outer = dialog->GetSize();
        outer.IncTo(dialog->GetBestSize());
        dialog->SetSize(outer);
        dialog->Layout();
    }
}

bool PanelColorSchemeConfigurator::Validate()
{
    const int sel = m_choice->GetSelection();
    if (sel == wxNOT_FOUND || static_cast<size_t>(sel) >= m_schemes.size()) {
        qxShowError(_("No Color Scheme selected."), this);
        return false;
    }
    const QxColorScheme* prototype = QxColorSchemeRegistry::instance().find(m_schemes[sel]);
    if (!prototype)
        return false;
    QxObjectSmartPtr<QxColorScheme> scheme(prototype->clone());
    size_t row = 0;
    for (const QxDataInfo& role : scheme->getDataParamInfos()) {
        if (!isSeriesRole(role))
            continue;
        QxIndicSeriesSelector* selector = row < m_seriesRows.size() ? m_seriesRows[row++] : nullptr;
        // The selector's own id: its positions also list source outputs, so
        // a position is no output number.
        const QxSeriesId id = selector ? selector->getSelectedSeries() : QxSeriesId();
        if (!selector || selector->GetSelection() == wxNOT_FOUND || !id.isValid()) {
            if (auto* book = dynamic_cast<wxNotebook*>(GetParent())) {
                const int page = book->FindPage(this);
                if (page != wxNOT_FOUND && book->GetSelection() != page)
                    book->SetSelection(page);
            }
            if (selector)
                selector->SetFocus();
            qxShowError(wxString::Format("%s:%s", role.text, _("No data source is selected.")), this);
            return false;
        }
        scheme->setSeries(role.name, id);
    }
    const std::vector<QxColorEntry> entries = scheme->getColorParamInfos();
    for (size_t i = 0; i < entries.size() && i < m_colourRows.size(); ++i)
        scheme->setColor(entries[i].name, m_colourRows[i]->GetColour());
    m_drawable->setColorScheme(scheme.get());
    return true;
}
