#include "configdlg/QxIndicOptParamConfiguratorPanal.h"

#include "core/QxIndicator.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <climits>
#include <cmath>

QxIndicOptParamConfiguratorPanal::QxIndicOptParamConfiguratorPanal(wxWindow* parent, QxIndicator* indicator)
    : wxPanel(parent, wxID_ANY), m_indicator(indicator)
{
    m_grid = new wxFlexGridSizer(2, 5, 10);
    m_grid->AddGrowableCol(1);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(m_grid, 1, wxEXPAND | wxALL, 10);
    SetSizer(outer);
}

void QxIndicOptParamConfiguratorPanal::createParamControls(const TA_OptInputParameterInfo* info)
{
    if (!info)
        return;
    Param param{info, nullptr, {}};
    const wxString label(info->displayName ? info->displayName : info->paramName);
    m_grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);

    switch (info->type) {
    case TA_OptInput_IntegerRange: {
        const auto* range = static_cast<const TA_IntegerRange*>(info->dataSet);
        auto* spin = new wxSpinCtrl(this, wxID_ANY);
        spin->SetRange(range ? range->min : INT_MIN, range ? range->max : INT_MAX);
        spin->SetValue(static_cast<int>(info->defaultValue));
        param.control = spin;
        break;
    }
    case TA_OptInput_IntegerList: {
        const auto* list = static_cast<const TA_IntegerList*>(info->dataSet);
        auto* choice = new wxChoice(this, wxID_ANY);
        for (unsigned i = 0; list && i < list->nbElement; ++i) {
            choice->Append(wxString(list->data[i].string));
            param.listValues.push_back(list->data[i].value);
        }
        param.control = choice;
        break;
    }
    case TA_OptInput_RealList: {
        const auto* list = static_cast<const TA_RealList*>(info->dataSet);
        auto* choice = new wxChoice(this, wxID_ANY);
        for (unsigned i = 0; list && i < list->nbElement; ++i) {
            choice->Append(wxString(list->data[i].string));
            param.listValues.push_back(list->data[i].value);
        }
        param.control = choice;
        break;
    }
    default:
        param.control = new wxTextCtrl(this, wxID_ANY, wxString::FromCDouble(info->defaultValue));
        break;
    }
    if (info->hint)
        param.control->SetToolTip(wxString(info->hint));
    m_grid->Add(param.control, 1, wxEXPAND);
    m_params.push_back(param);
}

wxWindow* QxIndicOptParamConfiguratorPanal::control(unsigned index) const
{
    return index < m_params.size() ? m_params[index].control : nullptr;
}

bool QxIndicOptParamConfiguratorPanal::TransferDataToWindow()
{
    const std::vector<QxParamInfo>& values = m_indicator->paramInfos();
    for (size_t i = 0; i < m_params.size() && i < values.size(); ++i) {
        const Param& p = m_params[i];
        const double v = values[i].value.toDouble();
        if (auto* spin = dynamic_cast<wxSpinCtrl*>(p.control)) {
            spin->SetValue(values[i].value.toInt32());
        } else if (auto* choice = dynamic_cast<wxChoice*>(p.control)) {
            choice->SetSelection(wxNOT_FOUND);
            for (size_t k = 0; k < p.listValues.size(); ++k)
                if (p.listValues[k] == v)
                    choice->SetSelection(static_cast<int>(k));
        } else if (auto* text = dynamic_cast<wxTextCtrl*>(p.control)) {
            text->ChangeValue(wxString::FromCDouble(v));
        }
    }
    return true;
}

bool QxIndicOptParamConfiguratorPanal::readValue(const Param& p, double& value) const
{
    if (auto* spin = dynamic_cast<wxSpinCtrl*>(p.control)) {
        value = spin->GetValue();
        return true;
    }
    if (auto* choice = dynamic_cast<wxChoice*>(p.control)) {
        const int sel = choice->GetSelection();
        if (sel == wxNOT_FOUND || static_cast<size_t>(sel) >= p.listValues.size())
            return false;
        value = p.listValues[sel];
        return true;
    }
    if (auto* text = dynamic_cast<wxTextCtrl*>(p.control)) {
        wxString s = text->GetValue();
        s.Trim(true).Trim(false);
        return s.ToCDouble(&value) || s.ToDouble(&value);
    }
    return false;
}

bool QxIndicOptParamConfiguratorPanal::Validate()
{
    for (const Param& p : m_params) {
        double v = 0;
        if (!readValue(p, v) || !std::isfinite(v)) {
            p.control->SetFocus();
            return false;
        }
    }
    return true;
}

bool QxIndicOptParamConfiguratorPanal::TransferDataFromWindow()
{
    const std::vector<QxParamInfo> current = m_indicator->paramInfos();
    for (size_t i = 0; i < m_params.size() && i < current.size(); ++i) {
        double v = 0;
        if (!readValue(m_params[i], v))
            return false;
        m_indicator->setParam(static_cast<unsigned>(i), QxValue(v).convert(current[i].value.type()));
    }
    return true;
}
