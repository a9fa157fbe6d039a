#include "configdlg/QxIndicOptParamConfiguratorPanal.h"

#include "configdlg/QxOptParamCheck.h"
#include "core/QxIndicator.h"
#include "core/platform/QxSpinText.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <climits>

QxIndicOptParamConfiguratorPanal::QxIndicOptParamConfiguratorPanal(QxIndicator* indicator, wxWindow* parent)
    : FBPanalIndicOptParamConfiguratorBase(parent), m_indicator(indicator)
{
    m_bitmap->SetBitmap(wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_OTHER));
    m_fullName->SetLabel(indicator->getDescription());
}

void QxIndicOptParamConfiguratorPanal::createParamControls(const TA_OptInputParameterInfo* info)
{
    if (!info)
        return;
    m_paramGrid->SetRows(m_paramGrid->GetRows() + 1);
    m_paramGrid->Add(new wxStaticText(this, wxID_ANY, qxOptParamName(*info), wxDefaultPosition, wxDefaultSize,
                                      wxST_NO_AUTORESIZE),
                     0, wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);

    wxWindow* control = nullptr;
    switch (info->type) {
    case TA_OptInput_IntegerRange: {
        // Every integer range gets its control, whatever range it suggests:
        // a row without one would shift every later row onto the wrong
        // control.
        const auto* range = static_cast<const TA_IntegerRange*>(info->dataSet);
        const int lo = range ? range->min : INT_MIN;
        const int hi = range ? range->max : INT_MAX;
        const double def = info->defaultValue;
        const int initial = def <= INT_MIN ? INT_MIN : def >= INT_MAX ? INT_MAX : static_cast<int>(def);
        auto* spin = new wxSpinCtrl(this, wxID_ANY, wxString::Format("%.0lf", def), wxDefaultPosition,
                                    wxDefaultSize, wxSP_ARROW_KEYS, lo, hi, initial);
        qxWatchSpinText(spin); // its range is checked on what was typed
        control = spin;
        break;
    }
    case TA_OptInput_RealList:
    case TA_OptInput_IntegerList: {
        // Nothing chosen: the stored value is shown when the page is filled.
        auto* choice = new wxChoice(this, wxID_ANY);
        for (unsigned i = 0; i < qxOptParamListSize(*info); ++i)
            choice->Append(qxOptParamListText(*info, i));
        control = choice;
        break;
    }
    default:
        control = new wxTextCtrl(this, wxID_ANY, wxString::FromCDouble(info->defaultValue, 6));
        break;
    }
    control->SetClientData(const_cast<TA_OptInputParameterInfo*>(info));
    m_paramGrid->Add(control, 1, wxALL | wxALIGN_CENTER_VERTICAL | wxEXPAND, 5);

    if (wxWindow* first = this->control(0))
        first->SetFocus();
    SetSize(GetSizer()->GetMinSize());
}

unsigned QxIndicOptParamConfiguratorPanal::numRows() const { return static_cast<unsigned>(m_paramGrid->GetRows()); }

wxWindow* QxIndicOptParamConfiguratorPanal::control(unsigned index) const
{
    const size_t position = static_cast<size_t>(index) * 2 + 1;
    if (position >= m_paramGrid->GetItemCount())
        return nullptr;
    wxSizerItem* item = m_paramGrid->GetItem(position);
    return item ? item->GetWindow() : nullptr;
}

const TA_OptInputParameterInfo* QxIndicOptParamConfiguratorPanal::infoOf(const wxWindow* control)
{
    return control ? static_cast<const TA_OptInputParameterInfo*>(control->GetClientData()) : nullptr;
}

bool QxIndicOptParamConfiguratorPanal::TransferDataToWindow()
{
    if (m_working.empty())
        m_working = m_indicator->paramInfos();
    if (numRows() != m_working.size())
        return false;
    for (unsigned i = 0; i < m_working.size(); ++i) {
        wxWindow* c = control(i);
        const TA_OptInputParameterInfo* info = infoOf(c);
        if (!info)
            continue;
        const QxValue& value = m_working[i].value;
        switch (info->type) {
        case TA_OptInput_RealRange:
            static_cast<wxTextCtrl*>(c)->ChangeValue(qxOptParamText(value));
            break;
        case TA_OptInput_IntegerRange:
            static_cast<wxSpinCtrl*>(c)->SetValue(value.toInt32());
            break;
        case TA_OptInput_RealList:
        case TA_OptInput_IntegerList:
            static_cast<wxChoice*>(c)->SetSelection(qxOptParamListIndex(*info, value));
            break;
        default:
            break;
        }
    }
    return true;
}

bool QxIndicOptParamConfiguratorPanal::validateParams(std::vector<QxParamInfo>* out)
{
    std::vector<QxValue> values;
    for (unsigned i = 0; i < numRows(); ++i) {
        wxWindow* c = control(i);
        const TA_OptInputParameterInfo* info = infoOf(c);
        QxValue value;
        if (!info) {
            values.push_back(value);
            continue;
        }
        QxOptParamEntry entry;
        if (auto* text = dynamic_cast<wxTextCtrl*>(c)) {
            entry.text = text->GetValue();
        } else if (auto* spin = dynamic_cast<wxSpinCtrl*>(c)) {
            entry.text = qxTypedSpinText(spin);
            entry.spinValue = spin->GetValue();
        } else if (auto* choice = dynamic_cast<wxChoice*>(c)) {
            entry.selection = choice->GetSelection();
        }
        wxString message;
        if (!qxCheckOptParam(*info, entry, value, message)) {
            qxShowError(message, this);
            c->SetFocus();
            if (auto* text = dynamic_cast<wxTextCtrl*>(c))
                text->SelectAll();
            else if (auto* spin = dynamic_cast<wxSpinCtrl*>(c))
                spin->SetSelection(-1, -1);
            return false;
        }
        values.push_back(value);
    }
    if (out)
        for (size_t i = 0; i < values.size() && i < out->size(); ++i)
            (*out)[i].value = values[i];
    return true;
}

bool QxIndicOptParamConfiguratorPanal::TransferDataFromWindow()
{
    std::vector<QxParamInfo> params = m_indicator->paramInfos();
    if (!validateParams(&params))
        return false;
    for (unsigned i = 0; i < params.size(); ++i)
        m_indicator->setParam(i, params[i].value);
    return true;
}
