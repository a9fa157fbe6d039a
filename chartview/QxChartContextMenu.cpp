#include "chartview/QxChartContextMenu.h"

#include "chart/QxChart.h"
#include "chart/QxZone.h"
#include "chartview/QxPattern.h"
#include "core/QxIndicator.h"

#include <wx/intl.h>
#include <wx/menu.h>

QxZoneMenuFacts qxZoneMenuFacts(const QxChart& chart, unsigned index)
{
    QxZoneMenuFacts facts;
    facts.numZones = chart.numZones();
    facts.volumeShown = chart.isVolZoneVisible();
    const QxZone* zone = chart.zoneAt(index);
    if (!zone)
        return facts;
    facts.firstIsBuiltIn = zone == chart.getMainZone() || zone == chart.getVolumeZone();
    for (unsigned i = 0; i < zone->numIndicator(); ++i) {
        const QxIndicator* indicator = zone->indicatorAt(i);
        facts.indicators.push_back(indicator ? indicator->getDisplayName() : wxString());
    }
    for (const auto& pattern : zone->getPatterns())
        facts.patterns.push_back(pattern ? pattern->getDisplayText() : wxString());
    return facts;
}

namespace {

QxChartMenuItem item(int id, const wxString& text, const wxString& help = wxString())
{
    QxChartMenuItem it;
    it.id = id;
    it.text = text;
    it.help = help;
    return it;
}

void separatorIfAny(std::vector<QxChartMenuItem>& items)
{
    if (!items.empty())
        items.push_back(QxChartMenuItem());
}

} // namespace

QxChartMenu qxBuildChartMenu(const QxZoneMenuFacts& facts)
{
    QxChartMenu menu;
    std::vector<QxChartMenuItem>& items = menu.items;
    using Cmd = QxChartMenuCommand;

    // Indicators the user may configure or remove, by their index in the zone.
    const unsigned firstUser = facts.firstIsBuiltIn ? 1 : 0;
    const unsigned numIndicators = static_cast<unsigned>(facts.indicators.size());
    const unsigned numUser = numIndicators > firstUser ? numIndicators - firstUser : 0;
    if (numUser >= 2) {
        QxChartMenuItem configure = item(eMenuConfigureIndicatorSub, _("&Configure Indicator"),
                                         _("You can change indicator parameters and configure graphics."));
        QxChartMenuItem remove =
            item(eMenuRemoveIndicatorSub, _("&Remove Indicator"), _("You can selectively remove indicators."));
        for (unsigned i = firstUser; i < numIndicators; ++i) {
            configure.submenu.push_back(item(eMenuConfigureIndicator + int(i), facts.indicators[i]));
            remove.submenu.push_back(item(eMenuRemoveIndicator + int(i), facts.indicators[i]));
        }
        remove.submenu.push_back(QxChartMenuItem());
        remove.submenu.push_back(item(eMenuRemoveIndicsFromZone, _("All Indicators From this Zone")));
        items.push_back(configure);
        items.push_back(QxChartMenuItem());
        items.push_back(remove);
        menu.bindings.push_back({Cmd::eRemoveIndicsFromZone, eMenuRemoveIndicsFromZone, eMenuRemoveIndicsFromZone});
    } else if (numUser == 1) {
        const wxString& name = facts.indicators[firstUser];
        items.push_back(item(eMenuConfigureIndicator + int(firstUser), wxString::Format(_("Configure %s"), name)));
        items.push_back(QxChartMenuItem());
        items.push_back(item(eMenuRemoveIndicator + int(firstUser), wxString::Format(_("Remove %s"), name)));
    }
    if (numUser > 0) {
        menu.bindings.push_back({Cmd::eConfigureIndicator, eMenuConfigureIndicator, eMenuRemoveIndicatorSub - 1});
        menu.bindings.push_back({Cmd::eRemoveIndicator, eMenuRemoveIndicator, eMenuConfigurePatternSub - 1});
    }

    if (facts.numZones > 2) {
        items.push_back(item(eMenuRemoveAllIndicators, _("Remove &All Indicators"),
                             _("You can remove all indicators from this chart.")));
        menu.bindings.push_back({Cmd::eRemoveAllIndicators, eMenuRemoveAllIndicators, eMenuRemoveAllIndicators});
    }

    const unsigned numPatterns = static_cast<unsigned>(facts.patterns.size());
    if (numPatterns > 1) {
        separatorIfAny(items);
        QxChartMenuItem configure = item(eMenuConfigurePatternSub, _("&Configure Pattern"),
                                         _("You can change pattern parameters and configure graphics."));
        QxChartMenuItem remove = item(eMenuRemovePatternSub, _("&Remove Patterns"), _("You can remove patterns."));
        for (unsigned i = 0; i < numPatterns; ++i) {
            configure.submenu.push_back(item(eMenuConfigurePattern + int(i), facts.patterns[i]));
            remove.submenu.push_back(item(eMenuRemovePattern + int(i), wxString::Format(_("Remove '%s'"), facts.patterns[i])));
        }
        remove.submenu.push_back(QxChartMenuItem());
        remove.submenu.push_back(item(eMenuRemoveAllPatterns, _("All Patterns From this Zone")));
        items.push_back(configure);
        items.push_back(QxChartMenuItem());
        items.push_back(remove);
        menu.bindings.push_back({Cmd::eRemoveAllPatterns, eMenuRemoveAllPatterns, eMenuRemoveAllPatterns});
    } else if (numPatterns == 1) {
        separatorIfAny(items);
        items.push_back(item(eMenuRemovePattern, wxString::Format(_("Remove '%s'"), facts.patterns[0])));
        items.push_back(item(eMenuConfigurePattern, wxString::Format(_("Configure '%s'"), facts.patterns[0])));
    }
    if (numPatterns > 0) {
        menu.bindings.push_back({Cmd::eConfigPattern, eMenuConfigurePattern, eMenuRemovePatternSub - 1});
        menu.bindings.push_back({Cmd::eRemovePattern, eMenuRemovePattern, eMenuRemoveAllIndicators - 1});
    }

    separatorIfAny(items);
    if (facts.volumeShown)
        items.push_back(item(eMenuShowHideVolume, _("&Hide Volume Bars"), _("Volume bars will be removed.")));
    else
        items.push_back(item(eMenuShowHideVolume, _("&Show Volume Bars"), _("Volume bars will be shown.")));
    items.push_back(QxChartMenuItem());
    items.push_back(item(eMenuOpenQuoteEditor, _("Open &Quote Editor"), _("Opens quote editor.")));
    items.push_back(QxChartMenuItem());
    items.push_back(item(eMenuChartConfiguration, _("&Configure Chart"), _("Opens chart configuration dialog.")));
    menu.bindings.push_back({Cmd::eShowHideVolume, eMenuShowHideVolume, eMenuShowHideVolume});
    menu.bindings.push_back({Cmd::eOpenQuoteEditor, eMenuOpenQuoteEditor, eMenuOpenQuoteEditor});
    menu.bindings.push_back({Cmd::eChartConfiguration, eMenuChartConfiguration, eMenuChartConfiguration});
    return menu;
}

wxMenu* qxCreateMenu(const std::vector<QxChartMenuItem>& items)
{
    auto* menu = new wxMenu;
    for (const QxChartMenuItem& it : items) {
        if (it.isSeparator())
            menu->AppendSeparator();
        else if (!it.submenu.empty())
            menu->Append(it.id, it.text, qxCreateMenu(it.submenu), it.help);
        else
            menu->Append(it.id, it.text, it.help);
    }
    return menu;
}
