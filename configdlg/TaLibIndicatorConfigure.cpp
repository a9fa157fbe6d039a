// TaLibIndicator::configure: the indicator configuration dialog over one
// indicator, with Cancel putting back what the dialog's pages changed.
#include "core/TaLibIndicator.h"

#include "app/QxApplication.h"
#include "chart/QxDrawable.h"
#include "configdlg/QxIndicConfigDlg.h"
#include "configdlg/QxIndicGraphicsConfiguratorPanel.h"
#include "configdlg/QxIndicOptParamConfiguratorPanal.h"
#include "core/ta/QxTaFunctionSet.h"

#include <wx/app.h>
#include <wx/xml/xml.h>

#include <vector>

namespace {

// The application's hidden parent of dialogs that block every frame; the
// top window when another application object runs (tests).
wxWindow* qxAppModalParent()
{
    if (QxApplication* app = QxApplication::getApp())
        return app->appModalParent();
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

} // namespace

bool TaLibIndicator::configure(unsigned flags)
{
    if (paramInfos().empty() && outputInfos().empty())
        return true;
    // Keeps this indicator alive while the dialog works on it; an indicator
    // nobody holds yet is left to its creator.
    QxObjectSmartPtr<QxIndicator> self(numRefs() > 0 ? this : nullptr);
    QxApplication* app = QxApplication::getApp();
    wxWindow* parent = app && app->activeFrame() ? app->activeFrame() : qxAppModalParent();
    QxIndicConfigDlg dlg(this, flags, parent);

    if ((flags & QxIndicConfigDlg::ePageParams) && dlg.getParamPanel() && m_function) {
        for (unsigned i = 0; i < m_function->nbOptInput; ++i) {
            const TA_OptInputParameterInfo* info = nullptr;
            if (QxTaFunctionSet::getOptInputParameterInfo(m_function->handle, i, &info) == TA_SUCCESS)
                dlg.getParamPanel()->createParamControls(info);
        }
    }
    // The pages write into this indicator while the dialog is open (leaving
    // the parameters page applies them, a modified graphic is changed in
    // place): Cancel puts back what it was.
    const std::vector<QxParamInfo> params = m_params;
    const bool paramsTaken = m_paramsTaken;
    std::vector<QxSeriesId> inputs;
    for (unsigned i = 0; i < inputInfos().size(); ++i)
        inputs.push_back(getInputSeries(i));
    // The graphics as their XML: copies made now would hold this indicator,
    // which its creator may not hold yet.
    wxXmlNode graphics(wxXML_ELEMENT_NODE, "Graphics");
    toXml(&graphics, eXmlDrawables);
    const wxString graphicsText = drawablesText();
    if (dlg.ShowModal() != wxID_OK) {
        m_params = params;
        m_paramsTaken = paramsTaken;
        for (unsigned i = 0; i < inputs.size(); ++i)
            setInputSeries(i, inputs[i]);
        // Only graphics changed in place are made again: the chart's views
        // may hold the ones it has.
        if (drawablesText() != graphicsText) {
            const bool held = numRefs() > 0;
            addRef(); // the graphics read bind this indicator and let go again
            setDrawables(QxDrawableList());
            drawablesFromXml(graphics.GetChildren());
            if (held)
                release();
            else
                releaseForHandOut();
        }
        return false;
    }
    if ((flags & QxIndicConfigDlg::ePageGraphics) && dlg.getGraphicsPanel())
        setDrawables(dlg.getGraphicsPanel()->getGraphics());
    return true;
}
