#pragma once
// The "Chart Graphics" toolbar: a pen picker and a colour picker that edit
// the pen of the annotation selected in the chart view or, while none is
// selected, the default pen new annotations are drawn with. The default pen
// is kept in the configuration store between runs: read when the toolbar is
// made, written when it goes.
#include <wx/aui/auibar.h>
#include <wx/pen.h>

class QxBaseChartView;
class wxColourPickerCtrl;
class wxColourPickerEvent;
class wxPenPicker;

class QxGraphicPropsToolbar : public wxAuiToolBar {
public:
    // The id and style are not used (gripper, horizontal layout).
    QxGraphicPropsToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                          const wxSize& size = wxDefaultSize, long style = 0);
    ~QxGraphicPropsToolbar() override;

    // The pen picker's current pen: the pen new annotations get.
    wxPen getPen() const;
    // The view whose selected annotation the pickers edit; set once by the
    // frame that docks the toolbar.
    void setChartView(QxBaseChartView* view) { m_view = view; }

    const wxPen& defaultPen() const { return m_defaultPen; }
    wxPenPicker* penPicker() const { return m_penPicker; }
    wxColourPickerCtrl* colourPicker() const { return m_colourPicker; }

    // Where the default pen is stored: the pen entry "default_pen" under
    // this path.
    static const char* const kConfigPath;

protected:
    void onPenChanged(wxCommandEvent& event);
    void onColourChanged(wxColourPickerEvent& event);
    void onUpdatePenPicker(wxUpdateUIEvent& event);
    void onUpdateColourPicker(wxUpdateUIEvent& event);

private:
    void connect(bool on);

    wxPen m_defaultPen;
    wxPenPicker* m_penPicker = nullptr;
    wxColourPickerCtrl* m_colourPicker = nullptr;
    QxBaseChartView* m_view = nullptr;
};
