#include "configdlg/DlgInputTaker.h"
#include "ui/QxMessages.h"

#include <wx/valtext.h>

DlgInputTaker::DlgInputTaker(const wxString& title, const wxString& message, const wxString& label,
                             const wxString& initialValue, wxWindow* parent)
    : FBDlgInputTaker(parent, wxID_ANY, _("Provide Input"), wxDefaultPosition, wxSize(319, 135))
{
    SetTitle(title);
    m_message->SetLabel(message);
    m_label->SetLabel(label);
    m_field->ChangeValue(initialValue);
    m_ok->SetDefault();
    Layout();
}

DlgInputTaker::DlgInputTaker(const wxString& title, const wxString& message, const wxString& label,
                             wxWindow* parent)
    : DlgInputTaker(title, message, label, wxString(), parent)
{
}

DlgInputTaker::~DlgInputTaker() = default;

void DlgInputTaker::onInitDialog(wxInitDialogEvent& event)
{
    m_field->SetFocus();
    m_field->SelectAll();
    event.Skip(); // the framework's own initialisation transfers validator data
}

bool DlgInputTaker::inputAccepted()
{
    if (m_field->GetValue().empty())
        return false;
    // A text validator is asked directly, so the user sees one message (ours)
    // rather than the validator's own box followed by ours.
    if (auto* text = dynamic_cast<wxTextValidator*>(m_field->GetValidator()))
        return text->IsValid(m_field->GetValue()).empty();
    return Validate();
}

void DlgInputTaker::onOK(wxCommandEvent&)
{
    if (inputAccepted() && TransferDataFromWindow()) {
        EndModal(wxID_OK);
        return;
    }
    qxShowError(_("Please provide a valid input."), nullptr);
}
