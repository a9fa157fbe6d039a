#include "configdlg/QxIndicGraphicsConfiguratorPanel.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/sizer.h>

QxIndicGraphicsConfiguratorPanel::QxIndicGraphicsConfiguratorPanel(QxIndicator* indicator, wxWindow* parent)
    : wxPanel(parent, wxID_ANY), m_indicator(indicator), m_drawables(indicator->drawables(true))
{
    m_list = new wxListBox(this, wxID_ANY);
    auto* remove = new wxButton(this, wxID_ANY, _("&Remove"));
    remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        const int sel = m_list->GetSelection();
        if (sel != wxNOT_FOUND)
            removeDrawable(static_cast<unsigned>(sel));
    });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_list, 1, wxEXPAND | wxALL, 10);
    sizer->Add(remove, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(sizer);
}

bool QxIndicGraphicsConfiguratorPanel::TransferDataToWindow()
{
    if (m_drawables.empty())
        return false;
    for (const auto& d : m_drawables)
        m_list->Append(d ? d->getDisplayText() : wxString());
    m_list->SetSelection(0);
    return true;
}

void QxIndicGraphicsConfiguratorPanel::deleteAllRows() { m_list->Clear(); }

void QxIndicGraphicsConfiguratorPanel::resetGraphics()
{
    m_drawables = m_indicator->createDefaultDrawables();
    deleteAllRows();
    TransferDataToWindow();
}

bool QxIndicGraphicsConfiguratorPanel::removeDrawable(unsigned index)
{
    if (index >= m_drawables.size())
        return false;
    m_drawables.erase(m_drawables.begin() + index);
    deleteAllRows();
    TransferDataToWindow();
    return true;
}
