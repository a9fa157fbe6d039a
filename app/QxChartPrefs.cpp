#include "app/QxChartPrefs.h"

#include "app/QxGlobalVars.h"
#include "chart/QxChart.h"
#include "chart/QxTemplate.h"

#include <wx/filename.h>
#include <wx/intl.h>

QxChartPrefValues chartPrefsFrom(const QxGlobalVars& vars)
{
    QxChartPrefValues values;
    values.candle = vars.priceObjType == 3;
    values.bar = vars.priceObjType == 2;
    values.line = vars.priceObjType == 1;
    values.mainZoneHeight = vars.mainZoneHeight;
    values.volmZoneHeight = vars.volmZoneHeight;
    values.indcZoneHeight = vars.indcZoneHeight;
    values.templateFile = vars.defaultTemplateFileName;
    return values;
}

namespace {

// Heights beyond the limit would make charts too tall to draw.
bool validZoneHeight(long height) { return height >= 1 && height <= QxChart::kMaxZoneHeight; }

} // namespace

QxChartPrefCheck checkChartPrefs(const QxChartPrefValues& values)
{
    QxChartPrefCheck check;
    if (!validZoneHeight(values.mainZoneHeight)) {
        check.field = QxChartPrefField::eMainZoneHeight;
        check.message = _("Incorrect main zone height.");
    } else if (!validZoneHeight(values.volmZoneHeight)) {
        check.field = QxChartPrefField::eVolmZoneHeight;
        check.message = _("Incorrect volume zone height.");
    } else if (!validZoneHeight(values.indcZoneHeight)) {
        check.field = QxChartPrefField::eIndcZoneHeight;
        check.message = _("Incorrect indicator zone height.");
    } else if (!values.templateFile.empty() && (!wxFileName::FileExists(values.templateFile) ||
                                                !QxTemplate::isTemplateFile(wxFileName(values.templateFile)))) {
        check.field = QxChartPrefField::eTemplateFile;
        check.message = wxString::Format(_("File '%s' is not valid."), values.templateFile);
    }
    return check;
}

bool storeChartPrefs(const QxChartPrefValues& values, QxGlobalVars& vars)
{
    if (values.candle)
        vars.priceObjType = 3;
    else if (values.bar)
        vars.priceObjType = 2;
    else if (values.line)
        vars.priceObjType = 1;

    // Checked to lie within 1..QxChart::kMaxZoneHeight.
    vars.mainZoneHeight = static_cast<int32_t>(values.mainZoneHeight);
    vars.volmZoneHeight = static_cast<int32_t>(values.volmZoneHeight);
    vars.indcZoneHeight = static_cast<int32_t>(values.indcZoneHeight);

    wxFileName name(values.templateFile);
    if (!name.IsOk()) {
        vars.defaultTemplateFileName.clear();
        vars.defaultTemplate = nullptr;
        return false;
    }
    name.MakeAbsolute();
    const wxString full = name.GetFullPath();
    if (full == vars.defaultTemplateFileName)
        return false;
    vars.defaultTemplateFileName = full;
    // Loaded now, so the next new chart has it; one that cannot be read is
    // told, and new charts are made without it.
    vars.defaultTemplate = qxReadDefaultTemplate(full);
    return true;
}
