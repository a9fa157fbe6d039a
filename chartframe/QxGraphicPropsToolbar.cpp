#include "chartframe/QxGraphicPropsToolbar.h"

#include "chart/QxChartConfiguration.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxBaseChartView.h"
#include "configdlg/wxPenPicker.h"
#include "core/platform/wxConfigEx.h"

#include <wx/clrpicker.h>

const char* const QxGraphicPropsToolbar::kConfigPath = "/preferences/annot_props/";

namespace {
const char* const kPenEntry = "default_pen";
} // namespace

QxGraphicPropsToolbar::QxGraphicPropsToolbar(wxWindow* parent, wxWindowID, const wxPoint& pos,
                                             const wxSize& size, long)
    : wxAuiToolBar(parent, wxID_ANY, pos, size, wxAUI_TB_GRIPPER | wxAUI_TB_HORZ_LAYOUT)
{
    m_penPicker = new wxPenPicker(this, wxID_ANY);
    AddControl(m_penPicker, wxEmptyString);
    m_colourPicker = new wxColourPickerCtrl(this, wxID_ANY, *wxRED);
    AddControl(m_colourPicker, wxEmptyString);

    wxConfigEx& config = wxConfigEx::get();
    {
        QxConfigPathGuard guard(config);
        config.SetPath(kConfigPath);
        m_defaultPen = readConfigPen(config, kPenEntry, *wxRED_PEN);
    }
    m_penPicker->setPen(m_defaultPen);
    connect(true);
}

QxGraphicPropsToolbar::~QxGraphicPropsToolbar()
{
    connect(false);
    wxConfigEx& config = wxConfigEx::get();
    QxConfigPathGuard guard(config);
    config.SetPath(kConfigPath);
    writeConfigPen(config, kPenEntry, m_defaultPen);
}

void QxGraphicPropsToolbar::connect(bool on)
{
    const int pen = m_penPicker->GetId(), colour = m_colourPicker->GetId();
    if (on) {
        Bind(wxEVT_COMBOBOX, &QxGraphicPropsToolbar::onPenChanged, this, pen);
        Bind(wxEVT_COLOURPICKER_CHANGED, &QxGraphicPropsToolbar::onColourChanged, this, colour);
        Bind(wxEVT_UPDATE_UI, &QxGraphicPropsToolbar::onUpdatePenPicker, this, pen);
        Bind(wxEVT_UPDATE_UI, &QxGraphicPropsToolbar::onUpdateColourPicker, this, colour);
    } else {
        Unbind(wxEVT_COMBOBOX, &QxGraphicPropsToolbar::onPenChanged, this, pen);
        Unbind(wxEVT_COLOURPICKER_CHANGED, &QxGraphicPropsToolbar::onColourChanged, this, colour);
        Unbind(wxEVT_UPDATE_UI, &QxGraphicPropsToolbar::onUpdatePenPicker, this, pen);
        Unbind(wxEVT_UPDATE_UI, &QxGraphicPropsToolbar::onUpdateColourPicker, this, colour);
    }
}

wxPen QxGraphicPropsToolbar::getPen() const { return m_penPicker->getPen(); }

void QxGraphicPropsToolbar::onPenChanged(wxCommandEvent&)
{
    if (!m_view)
        return;
    if (QxAnnot* annot = m_view->getActiveAnnot()) {
        annot->setPen(m_penPicker->getPen());
        m_view->refreshChart();
    } else {
        m_defaultPen = m_penPicker->getPen();
    }
}

void QxGraphicPropsToolbar::onColourChanged(wxColourPickerEvent&)
{
    if (!m_view)
        return;
    const wxColour colour = m_colourPicker->GetColour();
    if (QxAnnot* annot = m_view->getActiveAnnot()) {
        wxPen pen = annot->getPen();
        pen.SetColour(colour);
        annot->setPen(pen);
        m_view->refreshChart();
    } else {
        m_defaultPen.SetColour(colour);
    }
}

void QxGraphicPropsToolbar::onUpdatePenPicker(wxUpdateUIEvent& event)
{
    if (m_penPicker->IsPopupShown())
        return;
    if (!m_view) {
        event.Enable(false);
        return;
    }
    if (QxAnnot* annot = m_view->getActiveAnnot()) {
        m_penPicker->setPen(annot->getPen());
        event.Enable(annot->hasProperty(QxAnnot::ePropPen));
    } else {
        m_penPicker->setPen(m_defaultPen);
        event.Enable(true);
    }
}

void QxGraphicPropsToolbar::onUpdateColourPicker(wxUpdateUIEvent& event)
{
    if (!m_view) {
        event.Enable(false);
        return;
    }
    QxAnnot* annot = m_view->getActiveAnnot();
    const wxColour shown = annot ? annot->getPen().GetColour() : m_defaultPen.GetColour();
    if (m_colourPicker->GetColour() != shown)
        m_colourPicker->SetColour(shown);
    event.Enable(annot ? annot->hasProperty(QxAnnot::ePropColour) : true);
}
