#include "trading/DlgConditionEditor.h"

#include "configdlg/DlgInputTaker.h"
#include "configdlg/QxIndicatorSelectionDlg.h"
#include "core/QxIndicator.h"
#include "core/QxUtils.h"
#include "trading/QxCondition.h"
#include "trading/QxConditionFactory.h"
#include "trading/QxTradingSystem.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/sizer.h>

#include <cmath>

namespace {

// The condition list's item data: the kind's name.
class ConditionNameData : public wxClientData {
public:
    explicit ConditionNameData(const QxAtom& name) : name(name) {}
    QxAtom name;
};

QxAtom conditionNameAt(wxChoice* list, int position)
{
    if (position < 0 || position >= static_cast<int>(list->GetCount()))
        return QxAtom();
    auto* data = static_cast<ConditionNameData*>(list->GetClientObject(static_cast<unsigned>(position)));
    return data ? data->name : QxAtom();
}

} // namespace

DlgConditionEditor::DlgConditionEditor(wxWindow* parent, QxTradingSystem* system) : FBDlgConditionEditor(parent)
{
    if (system) {
        collectIndicators(system->getLongEntrySignal(), m_indicators);
        collectIndicators(system->getLongExitSignal(), m_indicators);
        collectIndicators(system->getShortEntrySignal(), m_indicators);
        collectIndicators(system->getShortExitSignal(), m_indicators);
    }
    for (const QxSeriesItem& item : seriesItems(m_indicators, false))
        m_firstSeries->Append(item.text(), new QxSeriesItem(item));
    for (const QxSeriesItem& item : seriesItems(m_indicators, true))
        m_secondSeries->Append(item.text(), new QxSeriesItem(item));
    QxConditionFactory* factory = QxConditionFactory::instance();
    for (const QxAtom& name : factory->names()) {
        QxCondition* prototype = factory->find(name);
        m_condition->Append(prototype ? prototype->getDisplayName() : name.string(), new ConditionNameData(name));
    }
    m_bitmap->SetBitmap(wxArtProvider::GetBitmap("QxART_bulb", wxART_OTHER));
    GetSizer()->Fit(this);
}

DlgConditionEditor::~DlgConditionEditor() = default;

const QxSeriesItem* DlgConditionEditor::itemAt(wxChoice* list, int position)
{
    if (position < 0 || position >= static_cast<int>(list->GetCount()))
        return nullptr;
    return static_cast<const QxSeriesItem*>(list->GetClientObject(static_cast<unsigned>(position)));
}

QxSeriesItems DlgConditionEditor::itemsOf(wxChoice* list)
{
    QxSeriesItems items;
    for (unsigned i = 0; i < list->GetCount(); ++i)
        items.push_back(*itemAt(list, static_cast<int>(i)));
    return items;
}

void DlgConditionEditor::insertItem(wxChoice* list, size_t position, const QxSeriesItem& item)
{
    list->Insert(item.text(), static_cast<unsigned>(position), new QxSeriesItem(item));
}

QxSeriesId DlgConditionEditor::selectedSeries(wxChoice* list) const
{
    const QxSeriesItem* item = itemAt(list, list->GetSelection());
    return item ? item->seriesId(m_indicators) : QxSeriesId::null();
}

QxCondition* DlgConditionEditor::selectedPrototype() const
{
    const QxAtom name = conditionNameAt(m_condition, m_condition->GetSelection());
    return name.isNull() ? nullptr : QxConditionFactory::instance()->find(name);
}

int DlgConditionEditor::selectConstant(wxChoice* list, double value)
{
    // A damaged file's NaN or infinity is not offered as a value to pick.
    if (!std::isfinite(value))
        return -1;
    const QxSeriesItems items = itemsOf(list);
    const int found = findConstant(items, value);
    if (found != -1)
        return found;
    const size_t position = constantInsertPosition(items);
    insertItem(list, position, QxSeriesItem::constant(value));
    return static_cast<int>(position);
}

int DlgConditionEditor::selectSeries(wxChoice* list, const QxSeriesId& id)
{
    if (id.kind() == QxSeriesId::eSeriesConstant)
        return selectConstant(list, id.value());
    return findSeries(itemsOf(list), id, m_indicators);
}

int DlgConditionEditor::insertIndicatorOutputs(wxChoice* list, size_t position)
{
    size_t at = outputInsertPosition(itemsOf(list));
    const int first = static_cast<int>(at);
    for (const QxSeriesItem& item : outputItems(m_indicators, position))
        insertItem(list, at++, item);
    return first;
}

void DlgConditionEditor::setCondition(QxCondition* condition)
{
    m_result = condition;
    if (!condition)
        return;
    m_firstSeries->SetSelection(selectSeries(m_firstSeries, condition->getFirstSeries()));
    int kind = wxNOT_FOUND;
    for (unsigned i = 0; i < m_condition->GetCount(); ++i)
        if (conditionNameAt(m_condition, static_cast<int>(i)) == condition->getName())
            kind = static_cast<int>(i);
    m_condition->SetSelection(kind);
    if (condition->isSingleSeries()) {
        selectSecond(wxNOT_FOUND);
        m_secondSeries->Enable(false);
    } else {
        selectSecond(selectSeries(m_secondSeries, condition->getSecondSeries()));
        m_secondSeries->Enable(true);
    }
}

void DlgConditionEditor::selectSecond(int position)
{
    m_secondSeries->SetSelection(position);
    m_secondShown = selectedSeries(m_secondSeries);
}

void DlgConditionEditor::addIndicatorThrough(wxChoice* list, wxChoice* other)
{
    QxObjectSmartPtr<QxIndicator> chosen(QxIndicatorSelectionDlg::get()->chooseIndicator(5, false));
    // An indicator without outputs gives nothing to compare.
    if (!chosen || chosen->outputInfos().empty()) {
        list->SetSelection(0);
        return;
    }
    const int found = findSeries(itemsOf(list), QxSeriesId(chosen.get(), 0), m_indicators);
    if (found != -1) {
        list->SetSelection(found);
        return;
    }
    const size_t position = addIndicator(m_indicators, chosen.get());
    const int first = insertIndicatorOutputs(list, position);
    insertIndicatorOutputs(other, position);
    GetSizer()->Fit(this);
    list->SetSelection(first);
}

void DlgConditionEditor::onFirstSeriesChanged(wxCommandEvent&)
{
    const QxSeriesItem* item = itemAt(m_firstSeries, m_firstSeries->GetSelection());
    if (item && item->kind() == QxSeriesItem::eAddIndicator)
        addIndicatorThrough(m_firstSeries, m_secondSeries);
}

void DlgConditionEditor::askFixedValue()
{
    DlgInputTaker prompt(_("Fixed value"), _("Provide a fixed value for series"), _("Fixed &Value:"), wxString(),
                         this);
    if (prompt.ShowModal() != wxID_OK) {
        selectSecond(0);
        return;
    }
    double value = 0.0;
    if (!parseFixedValue(prompt.value(), value)) {
        qxShowError(wxString::Format(_("\"%s\" is not a number. Please provide a fixed value such as 70 or 0.5."),
                                     prompt.value()),
                    this);
        // Back to what was shown before "Other fixed value" was chosen.
        selectSecond(m_secondShown.isValid() ? selectSeries(m_secondSeries, m_secondShown) : wxNOT_FOUND);
        return;
    }
    selectSecond(selectConstant(m_secondSeries, value));
}

void DlgConditionEditor::onSecondSeriesChanged(wxCommandEvent&)
{
    const QxSeriesItem* item = itemAt(m_secondSeries, m_secondSeries->GetSelection());
    if (item && item->kind() == QxSeriesItem::eOtherValue)
        askFixedValue();
    else if (item && item->kind() == QxSeriesItem::eAddIndicator)
        addIndicatorThrough(m_secondSeries, m_firstSeries);
    m_secondShown = selectedSeries(m_secondSeries);
}

void DlgConditionEditor::onConditionChanged(wxCommandEvent&)
{
    QxCondition* prototype = selectedPrototype();
    if (prototype && prototype->isSingleSeries()) {
        selectSecond(wxNOT_FOUND);
        m_secondSeries->Enable(false);
    } else {
        m_secondSeries->Enable(true);
    }
}

void DlgConditionEditor::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/trading_systems.htm#condition_editor"); }

void DlgConditionEditor::showError(const wxString& message, wxWindow* focus)
{
    qxShowError(message, this);
    focus->SetFocus();
}

void DlgConditionEditor::onOk(wxCommandEvent&)
{
    // A command item ("Add indicator", "Other fixed value") left selected
    // names no series and counts as no choice.
    const QxSeriesId first = selectedSeries(m_firstSeries);
    if (!first.isValid()) {
        showError(_("Please select valid value for first series."), m_firstSeries);
        return;
    }
    QxCondition* prototype = selectedPrototype();
    if (!prototype) {
        showError(_("Please select valid value for condition you want to test."), m_condition);
        return;
    }
    const QxSeriesId second = selectedSeries(m_secondSeries);
    if (!prototype->isSingleSeries() && !second.isValid()) {
        showError(_("Please select valid value for second series."), m_secondSeries);
        return;
    }
    QxObjectSmartPtr<QxCondition> result(prototype->clone());
    result->setFirstSeries(first);
    if (!prototype->isSingleSeries())
        result->setSecondSeries(second);
    m_result = result;
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK); // answered without a loop of its own
}
