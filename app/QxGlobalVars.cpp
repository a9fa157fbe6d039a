#include "app/QxGlobalVars.h"

#include "core/QxErrorCode.h"
#include "core/QxUserNotice.h"
#include "core/platform/wxConfigEx.h"

#include <wx/filename.h>
#include <wx/intl.h>

namespace {

void readInt(wxConfigBase& config, const wxString& key, int32_t& field)
{
    long value = field;
    if (config.Read(key, &value, static_cast<long>(field)))
        field = static_cast<int32_t>(value);
}

} // namespace

QxGlobalVars& QxGlobalVars::get()
{
    static QxGlobalVars record;
    return record;
}

QxObjectSmartPtr<QxTemplate> qxReadDefaultTemplate(const wxString& path)
{
    QxObjectSmartPtr<QxTemplate> read(new QxTemplate());
    const int rc = read->loadFromFile(wxFileName(path));
    if (rc == eNoError)
        return read;
    qxNotifyUser(wxString::Format(_("The default template \"%s\" could not be read: %s\nNew charts are "
                                    "made without it until it is mended or another is chosen in "
                                    "Preferences."),
                                  path,
                                  rc == eInconsistentData ? _("its contents contradict each other (it is "
                                                              "damaged).")
                                  : rc == eErrorInOpeningTemplateFile ? _("it is not a file or not well-formed XML.")
                                                                      : qxErrorDesc(rc)));
    return nullptr;
}

void QxGlobalVars::read(wxConfigBase& config)
{
    config.Read("showTooltip", &showTooltip, showTooltip);
    config.Read("showLegends", &showLegends, showLegends);
    config.Read("defaultTemplateFileName", &defaultTemplateFileName, defaultTemplateFileName);
    if (!defaultTemplateFileName.empty() &&
        (wxFileName::FileExists(defaultTemplateFileName) || wxFileName::DirExists(defaultTemplateFileName))) {
        if (QxObjectSmartPtr<QxTemplate> read = qxReadDefaultTemplate(defaultTemplateFileName))
            defaultTemplate = read;
    }
    config.Read("useDefaultTemplate", &useDefaultTemplate, useDefaultTemplate);
    int32_t type = priceObjType;
    readInt(config, "priceObjType", type);
    if (type >= 0 && type <= 3)
        priceObjType = type;
    readInt(config, "mainZoneHeight", mainZoneHeight);
    readInt(config, "volmZoneHeight", volmZoneHeight);
    readInt(config, "indcZoneHeight", indcZoneHeight);
    gatewayFrameSize = readConfigSize(config, "gatewayFrameSize", gatewayFrameSize);
    config.Read("isGatewayFrameMaximized", &isGatewayFrameMaximized, isGatewayFrameMaximized);
    chartFrameSize = readConfigSize(config, "chartFrameSize", chartFrameSize);
    config.Read("isChartFrameMaximized", &isChartFrameMaximized, isChartFrameMaximized);
    pnfFrameSize = readConfigSize(config, "pnfFrameSize", pnfFrameSize);
    config.Read("isPnfFrameMaximized", &isPnfFrameMaximized, isPnfFrameMaximized);
    config.Read("chartFramePerspective", &chartFramePerspective, chartFramePerspective);
    stockIdeaFinderFrameSize = readConfigSize(config, "stockIdeaFinderFrameSize", stockIdeaFinderFrameSize);
    config.Read("stockIdeaFinderFrameMaximized", &stockIdeaFinderFrameMaximized,
                stockIdeaFinderFrameMaximized);
    simpleSystemTestReportFrameSize =
        readConfigSize(config, "simpleSystemTestReportFrameSize", simpleSystemTestReportFrameSize);
    config.Read("simpleSystemTestReportFrameIsMaximized", &simpleSystemTestReportFrameIsMaximized,
                simpleSystemTestReportFrameIsMaximized);
    alertMgrFrameSize = readConfigSize(config, "alertMgrFrameSize", alertMgrFrameSize);
    portfolioMgrFrameSize = readConfigSize(config, "portfolioMgrFrameSize", portfolioMgrFrameSize);
}

void QxGlobalVars::write(wxConfigBase& config) const
{
    config.Write("showTooltip", showTooltip);
    config.Write("showLegends", showLegends);
    config.Write("defaultTemplateFileName", defaultTemplateFileName);
    config.Write("useDefaultTemplate", useDefaultTemplate);
    config.Write("priceObjType", static_cast<long>(priceObjType));
    config.Write("mainZoneHeight", static_cast<long>(mainZoneHeight));
    config.Write("volmZoneHeight", static_cast<long>(volmZoneHeight));
    config.Write("indcZoneHeight", static_cast<long>(indcZoneHeight));
    writeConfigSize(config, "gatewayFrameSize", gatewayFrameSize);
    config.Write("isGatewayFrameMaximized", isGatewayFrameMaximized);
    writeConfigSize(config, "chartFrameSize", chartFrameSize);
    config.Write("isChartFrameMaximized", isChartFrameMaximized);
    writeConfigSize(config, "pnfFrameSize", pnfFrameSize);
    config.Write("isPnfFrameMaximized", isPnfFrameMaximized);
    config.Write("chartFramePerspective", chartFramePerspective);
    writeConfigSize(config, "stockIdeaFinderFrameSize", stockIdeaFinderFrameSize);
    config.Write("stockIdeaFinderFrameMaximized", stockIdeaFinderFrameMaximized);
    writeConfigSize(config, "simpleSystemTestReportFrameSize", simpleSystemTestReportFrameSize);
    config.Write("simpleSystemTestReportFrameIsMaximized", simpleSystemTestReportFrameIsMaximized);
    writeConfigSize(config, "alertMgrFrameSize", alertMgrFrameSize);
    writeConfigSize(config, "portfolioMgrFrameSize", portfolioMgrFrameSize);
}

void QxGlobalVars::readGlobal(wxConfigBase& config)
{
    QxConfigPathGuard guard(config);
    config.SetPath("/global/");
    read(config);
}

void QxGlobalVars::writeGlobal(wxConfigBase& config) const
{
    QxConfigPathGuard guard(config);
    config.SetPath("/global/");
    write(config);
}

bool QxGlobalVars::operator==(const QxGlobalVars& o) const
{
    return showTooltip == o.showTooltip && showLegends == o.showLegends &&
           defaultTemplateFileName == o.defaultTemplateFileName &&
           useDefaultTemplate == o.useDefaultTemplate && priceObjType == o.priceObjType &&
           mainZoneHeight == o.mainZoneHeight && volmZoneHeight == o.volmZoneHeight &&
           indcZoneHeight == o.indcZoneHeight && gatewayFrameSize == o.gatewayFrameSize &&
           isGatewayFrameMaximized == o.isGatewayFrameMaximized && chartFrameSize == o.chartFrameSize &&
           isChartFrameMaximized == o.isChartFrameMaximized && pnfFrameSize == o.pnfFrameSize &&
           isPnfFrameMaximized == o.isPnfFrameMaximized &&
           chartFramePerspective == o.chartFramePerspective &&
           stockIdeaFinderFrameSize == o.stockIdeaFinderFrameSize &&
           stockIdeaFinderFrameMaximized == o.stockIdeaFinderFrameMaximized &&
           simpleSystemTestReportFrameSize == o.simpleSystemTestReportFrameSize &&
           simpleSystemTestReportFrameIsMaximized == o.simpleSystemTestReportFrameIsMaximized &&
           alertMgrFrameSize == o.alertMgrFrameSize && portfolioMgrFrameSize == o.portfolioMgrFrameSize;
}

wxSize readConfigSize(wxConfigBase& config, const wxString& key, const wxSize& def)
{
    wxSize size;
    size.y = static_cast<int>(config.ReadLong(key + "/y", def.y));
    size.x = static_cast<int>(config.ReadLong(key + "/x", def.x));
    return size;
}

void writeConfigSize(wxConfigBase& config, const wxString& key, const wxSize& size)
{
    config.Write(key + "/x", static_cast<long>(size.x));
    config.Write(key + "/y", static_cast<long>(size.y));
}

wxDateTime readConfigDateTime(wxConfigBase& config, const wxString& key, const wxDateTime& def)
{
    const wxString text = config.Read(key, wxString());
    if (text.empty())
        return def;
    wxDateTime value;
    if (!value.ParseISOCombined(text, 'T'))
        return wxDateTime();
    return value;
}

void writeConfigDateTime(wxConfigBase& config, const wxString& key, const wxDateTime& value)
{
    config.Write(key, value.IsValid() ? value.FormatISOCombined('T') : wxString());
}
