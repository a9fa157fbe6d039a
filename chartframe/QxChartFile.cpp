// Save Chart and Open Saved Chart of the chart frame.
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chartframe/QxChartDocument.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "app/QxApplication.h"
#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxSecurity.h"
#include "core/platform/QxFileDialogExt.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/xml/xml.h>

namespace {

const char* const kChartWildcard = "Trendoria Chart (*.trdc)|*.trdc";

void showOpenError(const wxString& message)
{
    wxMessageBox(message, QxApplication::appTitle(), wxOK | wxICON_ERROR);
}

void showCorrupt() { showOpenError(_("Could not open because file supplied appears to be corrupt.")); }

} // namespace

void QxChartFrame::saveChartFile(wxCommandEvent&)
{
    if (!m_view)
        return;
    QxObjectSmartPtr<QxChartist> c(chartist());
    QxChartFileHeader header;
    if (!c || !c->getChart() || !chartFileHeaderOf(*c, header))
        return;
    wxFileDialog dialog(this, _("Save chart as"), wxEmptyString, qxProposedFileName(header.symbol, "trdc"),
                        wxGetTranslation(kChartWildcard), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    const wxString path = qxChooseFile(dialog);
    if (path.empty())
        return;
    wxXmlDocument doc;
    buildChartDocument(doc, header, *c->getChart());
    if (!writeChartFile(doc, path))
        showOperationFailed(eFailedToOpenFile, _("Failed to save chart").wc_str());
}

void QxChartFrame::openChartFile()
{
    QxApplication* app = QxApplication::getApp();
    wxFileDialog dialog(app ? app->activeFrame() : nullptr, _("Open Trendoria Chart"), wxEmptyString, wxEmptyString,
                        wxGetTranslation(kChartWildcard), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    const wxString path = qxChooseFile(dialog);
    if (path.empty())
        return;
    if (!wxFileName::FileExists(path)) {
        showOpenError(_("File does not exist.\nPlease select an existing file."));
        return;
    }
    if (!wxFileName(path).GetExt().IsSameAs("TRDC", false)) {
        showOpenError(_("Invalid format."));
        return;
    }

    wxXmlDocument doc;
    QxChartFileHeader header;
    const wxXmlNode* zones = nullptr;
    if (readChartFile(path, doc) != QxChartFileRead::eOk || !parseChartDocument(doc, header, &zones)) {
        showCorrupt();
        return;
    }

    QxDatabase* database = app ? app->currentDatabase() : nullptr;
    QxObjectSmartPtr<QxCategory> category(
        database ? database->findCategory(header.category.utf8_str(), header.provider.utf8_str()) : nullptr);
    if (!category) {
        showOpenError(wxString::Format(_("Category %s could not be found."), header.category));
        return;
    }
    QxObjectSmartPtr<QxSecurity> security(category->findSecurity(header.symbol.utf8_str()));
    if (!security) {
        showOpenError(wxString::Format(_("Security %s could not be found."), header.symbol));
        return;
    }

    QxChartView* view = QxChartView::createChartView(security.get(), static_cast<Qx::QxPeriod>(header.period),
                                                     static_cast<Qx::QxPriceObjType>(header.style), nullptr);
    if (!view)
        return;
    QxObjectSmartPtr<QxChart> chart(view->getChartist()->getChart());
    chart->showVolumeZone(header.volumesShown);
    if (header.zoomFactor > 0.0)
        chart->setZoomFactor(header.zoomFactor);
    readChartZones(*chart, zoneIndexMap(zones));
    view->refreshChart();
}
