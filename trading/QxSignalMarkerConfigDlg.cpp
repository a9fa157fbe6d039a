#include "trading/QxSignalMarkerConfigDlg.h"

#include "ui/QxMessages.h"
#include "ui/QxWindowFit.h"
#include "core/QxUtils.h"
#include "trading/DlgSystemManager.h"


namespace {

constexpr unsigned kLongSide = Qx::eLongEntry | Qx::eLongExit;
constexpr unsigned kShortSide = Qx::eShortEntry | Qx::eShortExit;
constexpr unsigned kKinds[] = {Qx::eLongEntry, Qx::eLongExit, Qx::eShortEntry, Qx::eShortExit};

} // namespace

QxSignalMarkerConfigDlg::QxSignalMarkerConfigDlg(wxWindow* parent, const QxSignalMarkerConfig* config)
    : FBSignalMarkerConfigDlg(parent)
{
    if (config)
        static_cast<QxSignalMarkerConfig&>(*this) = *config;
    m_ok->SetDefault();
    if (!system || positions == 0 || colours.empty())
        setDefaultColours();
    for (unsigned kind : kKinds) {
        const auto it = colours.find(kind);
        if (it != colours.end() && it->second.IsOk())
            colourPicker(kind)->SetColour(it->second);
    }
    updateControls();
    // The toolkit's controls may need more than the layout's initial size.
    growToFittingSize(this);
    Centre(wxBOTH);
}

QxSignalMarkerConfigDlg::~QxSignalMarkerConfigDlg() = default;

wxColourPickerCtrl* QxSignalMarkerConfigDlg::colourPicker(unsigned kind) const
{
    switch (kind) {
    case Qx::eLongEntry:
        return m_longEntryColour;
    case Qx::eLongExit:
        return m_longExitColour;
    case Qx::eShortEntry:
        return m_shortEntryColour;
    case Qx::eShortExit:
        return m_shortExitColour;
    default:
        return nullptr;
    }
}

void QxSignalMarkerConfigDlg::setDefaultColours()
{
    for (unsigned kind : kKinds)
        colours[kind] = QxSignalMarker::defaultColour(kind);
}

void QxSignalMarkerConfigDlg::updateControls()
{
    bool longAllowed = false, shortAllowed = false;
    if (system) {
        m_systemName->ChangeValue(system->getName().string());
        longAllowed = (system->getType() & Qx::eLongOnly) != 0;
        shortAllowed = (system->getType() & Qx::eShortOnly) != 0;
    }
    m_longPositions->Enable(longAllowed);
    m_longPositions->SetValue((positions & kLongSide) == kLongSide);
    m_shortPositions->Enable(shortAllowed);
    m_shortPositions->SetValue((positions & kShortSide) == kShortSide);
}

void QxSignalMarkerConfigDlg::onSelectSystem(wxCommandEvent&)
{
    DlgSystemManager manager(this, true);
    if (manager.ShowModal() != wxID_OK || !manager.getSelectedSystem())
        return;
    system = manager.getSelectedSystem();
    // The boxes ticked so far stay ticked where the new system allows.
    positions = tickedSides();
    if (!(system->getType() & Qx::eLongOnly))
        positions &= ~kLongSide;
    if (!(system->getType() & Qx::eShortOnly))
        positions &= ~kShortSide;
    updateControls();
}

unsigned QxSignalMarkerConfigDlg::tickedSides() const
{
    return (m_longPositions->IsChecked() ? kLongSide : 0u) | (m_shortPositions->IsChecked() ? kShortSide : 0u);
}

void QxSignalMarkerConfigDlg::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/signal_marker.htm"); }

void QxSignalMarkerConfigDlg::onOk(wxCommandEvent&)
{
    if (!system) {
        qxShowError(_("Please specify what trading system you want to use to generate signals."), this);
        m_selectSystem->SetFocus();
        return;
    }
    const unsigned chosen = tickedSides();
    if (chosen == 0) {
        qxShowError(_("Please specify what kind of trading positions you want to mark for on chart."), this);
        m_longPositions->SetFocus();
        return;
    }
    positions = chosen;
    for (unsigned kind : kKinds)
        colours[kind] = colourPicker(kind)->GetColour();
    EndModal(wxID_OK);
}
