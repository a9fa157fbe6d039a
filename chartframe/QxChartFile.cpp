// Save Chart and Open Saved Chart of the chart frame.
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartDocument.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "app/QxApplication.h"
#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxSecurity.h"
#include "core/platform/QxFileDialogExt.h"
#include "ui/QxMessages.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

namespace {

const char* const kChartWildcard = "Trendoria Chart (*.trdc)|*.trdc";

void showOpenError(const wxString& message)
{
    qxShowError(message, nullptr);
}

void showCorrupt() { showOpenError(_("Could not open because file supplied appears to be corrupt.")); }

} // namespace

namespace {

// The chart document of a chartist as text: what its chart file would hold.
std::string chartDocumentText(const QxChartist* chartist, wxXmlDocument* doc = nullptr)
{
    QxChartFileHeader header;
    if (!chartist || !chartist->getChart() || !chartFileHeaderOf(*chartist, header))
        return std::string();
    wxXmlDocument own;
    wxXmlDocument& built = doc ? *doc : own;
    buildChartDocument(built, header, *chartist->getChart());
    wxStringOutputStream text;
    built.Save(text, 2);
    return std::string(text.GetString().utf8_str());
}

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
    if (!path.empty())
        (void)writeChartTo(path); // a failure is told there
}

bool QxChartFrame::writeChartTo(const wxString& path)
{
    QxObjectSmartPtr<QxChartist> c(chartist());
    wxXmlDocument doc;
    const std::string text = chartDocumentText(c.get(), &doc);
    if (text.empty())
        return false;
    wxString why;
    if (!writeChartFile(doc, path, &why)) {
        qxShowError(wxString::Format(_("Failed to save chart to \"%s\": %s."), path, why), this);
        return false;
    }
    m_chartFile = path;
    m_savedDocument = text;
    return true;
}

void QxChartFrame::setChartFile(const wxString& path)
{
    m_chartFile = path;
    m_savedDocument = chartDocumentText(chartist());
}

bool QxChartFrame::hasUnsavedChanges() const
{
    return !m_chartFile.empty() && chartDocumentText(chartist()) != m_savedDocument;
}

bool QxChartFrame::mayDiscardChanges()
{
    if (!hasUnsavedChanges())
        return true;
    const wxString question =
        wxString::Format(_("The chart has changed since it was saved to \"%s\".\nSave the changes?"),
                         wxFileName(m_chartFile).GetFullName());
    switch (qxAskYesNoCancel(question, this)) {
    case QxAnswer::Yes:
        return writeChartTo(m_chartFile); // a failed save keeps the frame open
    case QxAnswer::No:
        return true;
    default:
        return false;
    }
}

void QxChartFrame::OnClose(wxCloseEvent& event)
{
    if (event.CanVeto() && !mayDiscardChanges()) {
        event.Veto();
        return;
    }
    FBChartFrame::OnClose(event);
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
    QxLeftOut leftOut;
    const auto byIndex = zoneIndexMap(zones, &leftOut.zones);
    readChartZones(*chart, byIndex, &leftOut);
    if (QxChartFrame* frame = view->getFrame())
        frame->setChartFile(path);
    view->refreshChart();
    if (leftOut.any())
        qxShowWarning(leftOutText(leftOut), nullptr);
}
