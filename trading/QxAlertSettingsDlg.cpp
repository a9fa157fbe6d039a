#include "trading/QxAlertSettingsDlg.h"

#include "app/QxCommonFrame.h"
#include "ui/QxMessages.h"
#include "ui/QxWindowFit.h"
#include "configdlg/QxOptParamCheck.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"


#include <cstdint>

QxAlertSettingsDlg::QxAlertSettingsDlg(wxWindow* parent, QxSecurity* security)
    : FBAlertSettingsDlg(parent, wxID_ANY, _("Alert Setting"))
{
    QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
    for (unsigned i = 0; i < store->getCount(); ++i) {
        const QxAtom& name = store->getEntryAt(i).name;
        m_system->Append(name.string(), reinterpret_cast<void*>(static_cast<uintptr_t>(name.id())));
    }
    if (security)
        setSecurity(security);
    m_priceOption->SetValue(true);
    updateControls();
    growToFittingSize(this);
}

QxAlertSettingsDlg::~QxAlertSettingsDlg() = default;

void QxAlertSettingsDlg::setSecurity(QxSecurity* security)
{
    m_security = security;
    m_securityLink->SetLabel(wxString::FromUTF8(security->ticker()));
    m_headerRow->Layout();
    growToFittingSize(this);
}

void QxAlertSettingsDlg::updateControls()
{
    const bool price = m_priceOption->GetValue();
    for (wxWindow* w : {static_cast<wxWindow*>(m_priceLabel), static_cast<wxWindow*>(m_direction),
                        static_cast<wxWindow*>(m_price)})
        w->Enable(price);
    for (wxWindow* w : {static_cast<wxWindow*>(m_systemLabel), static_cast<wxWindow*>(m_system),
                        static_cast<wxWindow*>(m_generatesLabel), static_cast<wxWindow*>(m_signal),
                        static_cast<wxWindow*>(m_signalLabel)})
        w->Enable(!price);
}

void QxAlertSettingsDlg::onLinkClick(wxHyperlinkEvent&)
{
    if (QxObjectSmartPtr<QxSecurity> chosen = QxCommonFrame::chooseSecurity())
        setSecurity(chosen.get());
}

void QxAlertSettingsDlg::refuse(const wxString& message, wxWindow* control, wxWindow* parent)
{
    qxShowError(message, parent);
    control->SetFocus();
}

void QxAlertSettingsDlg::onOk(wxCommandEvent&)
{
    if (accept())
        EndModal(wxID_OK);
}

bool QxAlertSettingsDlg::accept()
{
    if (!m_security) {
        refuse(_("You have not provided the symbol of security for which you want to set the alert."),
               m_securityLink, nullptr);
        return false;
    }
    if (m_priceOption->GetValue()) {
        double price = 0.0;
        if (!qxReadRealNumber(m_price->GetValue(), price) || !(price > 0.0)) {
            refuse(_("Invalid price value."), m_price, this);
            return false;
        }
        m_setting = new QxAlertSetting(nullptr, m_direction->GetSelection() == 0 ? QxAlertSetting::ePriceAbove
                                                                                   : QxAlertSetting::ePriceBelow);
        m_setting->setPriceOfInterest(price);
        return true;
    }
    const int selected = m_system->GetSelection();
    if (selected == wxNOT_FOUND) {
        refuse(_("Please select a trading system."), m_system, this);
        return false;
    }
    const QxAtom name(static_cast<unsigned>(reinterpret_cast<uintptr_t>(m_system->GetClientData(selected))));
    QxObjectSmartPtr<QxTradingSystem> system = QxTradingSystemMgr::getInstance(true)->getSystem(name);
    if (!system) {
        // Deleted while the dialog was open, or its definition cannot be
        // read: a setting without its system would never fire.
        refuse(wxString::Format(_("The trading system \"%s\" is no longer available. Please select another "
                                  "trading system."),
                                m_system->GetString(selected)),
               m_system, this);
        return false;
    }
    const int signal = m_signal->GetSelection() < 0 ? 0 : m_signal->GetSelection();
    m_setting = new QxAlertSetting(system.get(), 1u << signal);
    return true;
}
