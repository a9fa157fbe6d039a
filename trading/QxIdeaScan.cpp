#include "trading/QxIdeaScan.h"

#include "core/QxCalculator.h"
#include "core/QxDatabase.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxSeriesId.h"
#include "trading/QxCondition.h"
#include "trading/QxResolvedSystem.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"

#include <wx/intl.h>

#include <algorithm>
#include <map>

int describeSignalMask(unsigned mask, wxString& text)
{
    // Each name has a catalogue entry of its own with and without the
    // separator, so translations may treat the continued form differently.
    struct Name {
        unsigned bit;
        const char* alone;
        const char* continued;
        bool buying;
    };
    static const Name names[] = {
        {1, wxTRANSLATE("Long Entry"), wxTRANSLATE(", Long Entry"), true},
        {2, wxTRANSLATE("Long Exit"), wxTRANSLATE(", Long Exit"), false},
        {4, wxTRANSLATE("Short Entry"), wxTRANSLATE(", Short Entry"), false},
        {8, wxTRANSLATE("Short Exit"), wxTRANSLATE(", Short Exit"), true},
    };
    bool buying = false;
    bool selling = false;
    for (const Name& name : names) {
        if (!(mask & name.bit))
            continue;
        text += wxGetTranslation(text.empty() ? name.alone : name.continued);
        (name.buying ? buying : selling) = true;
    }
    if (buying && selling)
        return eIdeaMixed;
    return selling ? eIdeaSelling : eIdeaBuying;
}

QxBarRange ideaScanBarRange(const int64_t* ts, size_t count, int64_t from, int64_t till)
{
    QxBarRange range;
    // A reversed range covers nothing rather than a stray bar near till.
    if (!ts || count == 0 || from > till)
        return range;
    const int64_t* end = ts + count;
    const size_t s = static_cast<size_t>(std::lower_bound(ts, end, from) - ts);
    if (s >= count)
        return range;
    const size_t e = static_cast<size_t>(std::lower_bound(ts, end, till) - ts) + 1;
    if (s >= e)
        return range;
    range.begin = s;
    range.end = std::min(e, count);
    return range;
}

std::vector<unsigned>& lastFindingSecurityIds()
{
    static std::vector<unsigned> ids;
    return ids;
}

namespace {

class PrivateCopier {
public:
    QxSignal* signal(const QxSignal* source)
    {
        if (!source)
            return nullptr;
        // A signal that fills two slots stays one signal in the copy.
        QxObjectSmartPtr<QxSignal>& copy = m_signals[source];
        if (copy)
            return copy.get();
        copy.reset(new QxSignal());
        copy->setSignalEvalRule(source->getSignalEvalRule());
        for (unsigned i = 0; i < source->getNumConditions(); ++i) {
            const QxCondition* condition = source->getConditionAt(i);
            QxObjectSmartPtr<QxCondition> own(condition->clone());
            own->setFirstSeries(seriesId(condition->getFirstSeries()));
            own->setSecondSeries(seriesId(condition->getSecondSeries()));
            copy->addCondition(own.get());
        }
        return copy.get();
    }

private:
    QxSeriesId seriesId(const QxSeriesId& id)
    {
        QxIndicator* indicator = id.indicator();
        if (!indicator)
            return id;
        QxObjectSmartPtr<QxIndicator>& own = m_indicators[indicator];
        if (!own) {
            own.reset(indicator->clone(QxIndicator::eCloneParams | QxIndicator::eCloneInputs));
            // Lazily built tables are built here, on this thread.
            own->inputInfos();
            own->outputInfos();
            own->paramInfos();
        }
        return QxSeriesId(own.get(), id.outputIndex());
    }

    std::map<const QxSignal*, QxObjectSmartPtr<QxSignal>> m_signals;
    std::map<const QxIndicator*, QxObjectSmartPtr<QxIndicator>> m_indicators;
};

} // namespace

QxObjectSmartPtr<QxTradingSystem> privateSystemCopy(const QxTradingSystem& system)
{
    QxObjectSmartPtr<QxTradingSystem> copy(new QxTradingSystem());
    copy->setType(system.getType());
    PrivateCopier copier;
    copy->setLongEntrySignal(copier.signal(system.getLongEntrySignal()));
    copy->setLongExitSignal(copier.signal(system.getLongExitSignal()));
    copy->setShortEntrySignal(copier.signal(system.getShortEntrySignal()));
    copy->setShortExitSignal(copier.signal(system.getShortExitSignal()));
    return copy;
}

QxObjectSmartPtr<QxPriceHistory> ideaScanHistory(QxDatabase* db, unsigned securityId, Qx::QxPeriod period)
{
    QxObjectSmartPtr<QxSecurity> security(db ? db->getSecurity(securityId) : nullptr);
    if (!security)
        return nullptr;
    QxObjectSmartPtr<QxCalculator> calculator(new QxCalculator(security.get(), period));
    QxPriceHistory* history = calculator->storedPrices(period);
    if (!history || history->numBars() == 0)
        return nullptr;
    return QxObjectSmartPtr<QxPriceHistory>(history->clone());
}

QxObjectSmartPtr<QxPriceHistory> ideaScanHistoryFromReader(QxDatabase* reader, unsigned securityId,
                                                           Qx::QxPeriod period)
{
    QxObjectSmartPtr<QxSecurity> security(reader ? reader->getSecurity(securityId) : nullptr);
    if (!security)
        return nullptr;
    // As a calculator loads a period no one has loaded yet: the daily bars,
    // and a longer period made from them.
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> daily(security->getHistory(Qx::eDaily, from, to));
    if (!daily)
        return nullptr;
    QxObjectSmartPtr<QxPriceHistory> history(period == Qx::eDaily ? daily.get() : daily->transform(period));
    if (!history || history->numBars() == 0)
        return nullptr;
    return history;
}

std::vector<QxIdeaHit> evaluateIdeaScan(const QxTradingSystem& system, unsigned lookFor, QxPriceHistory* history,
                                        int64_t from, int64_t till, const std::atomic<bool>* stop)
{
    std::vector<QxIdeaHit> hits;
    if (!history)
        return hits;
    const QxBarRange range = ideaScanBarRange(history->timestamp(), history->numBars(), from, till);
    if (range.empty())
        return hits;
    QxObjectSmartPtr<QxCalculator> calculator(new QxCalculator(history));
    // The conditions' series are fetched once for the history, and the
    // signals that only compare series are worked out over the range at once.
    QxResolvedSystem resolved(system, calculator.get());
    resolved.tabulate(lookFor, static_cast<unsigned>(range.begin), static_cast<unsigned>(range.end));
    for (size_t bar = range.begin; bar < range.end; ++bar) {
        if (stop && stop->load(std::memory_order_relaxed))
            break;
        if (const unsigned mask = resolved.evaluate(lookFor, static_cast<unsigned>(bar)))
            hits.push_back({bar, mask});
    }
    return hits;
}

const double* ideaScanPrices(const QxPriceHistory& history)
{
    return history.getSecurityType() == Qx::eFund ? history.nav() : history.close();
}
