#pragma once
// Edits a copy of a signal marker's configuration: the trading system
// (chosen in the trading-system manager), the sides to mark and the colour
// of each marker kind. The caller takes the copy back after wxID_OK.
#include "trading/FBSignalMarkerConfigDlg.h"
#include "trading/QxSignalMarker.h"

class QxSignalMarkerConfigDlg : public FBSignalMarkerConfigDlg, public QxSignalMarkerConfig {
public:
    // config may be null: an empty configuration.
    QxSignalMarkerConfigDlg(wxWindow* parent, const QxSignalMarkerConfig* config);
    ~QxSignalMarkerConfigDlg() override;

    // The colours of kinds 1, 2, 4 and 8 become the default ones; system
    // and sides stay.
    void setDefaultColours();
    // The system's name and which sides may be and are ticked.
    void updateControls();

    wxTextCtrl* systemNameField() const { return m_systemName; }
    wxButton* selectSystemButton() const { return m_selectSystem; }
    wxCheckBox* longPositionsBox() const { return m_longPositions; }
    wxCheckBox* shortPositionsBox() const { return m_shortPositions; }
    // The picker of a signal kind (1, 2, 4 or 8), else null.
    wxColourPickerCtrl* colourPicker(unsigned kind) const;

protected:
    void onSelectSystem(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onOk(wxCommandEvent& event) override;

private:
    // Position bits of the boxes ticked now.
    unsigned tickedSides() const;
};
