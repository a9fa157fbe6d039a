#pragma once
// A security of a category: delivers and stores its price history.
#include "core/QxObject.h"
#include "core/QxTime.h"

#include <cstdint>
#include <string>

class QxCategory;
class QxPriceHistory;
struct QxQuote;

class QxSecurity : public QxObject {
public:
    // Unique within the database; 0 for none.
    virtual unsigned id() const = 0;
    virtual QxCategory* category() const = 0;
    virtual const char* ticker() const = 0;
    virtual const char* name() const = 0;

    // A new history of the bars from..to in the period (both 0: all bars; a
    // zero bound is open on its side), owned by the caller; null when there
    // are no bars.
    virtual QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t& from, int64_t& to) = 0;
    // Fills quote with the first daily bar at or after since (0: the latest
    // bar); 0 when a quote was filled.
    [[nodiscard]] virtual int lastQuote(int64_t& since, QxQuote& quote) = 0;
    // Stores every bar, replacing stored bars of equal time.
    [[nodiscard]] virtual int saveHistory(QxPriceHistory* history) = 0;
    // Has the category's data provider bring the history up to date;
    // eInvalidOperation when that provider is not registered.
    [[nodiscard]] virtual int updateFromProvider(bool inBackground) = 0;
    // Removes the bars from..to, both included (both 0: all bars).
    [[nodiscard]] virtual int deleteHistory(int64_t& from, int64_t& to) = 0;
    // Announces the security as about to be deleted, then deletes it with its prices.
    [[nodiscard]] virtual int deleteSecurity() = 0;
    // Why getHistory gives no bars, in a sentence for the user (UTF-8), when
    // the security knows better than a failed download: a local file that is
    // missing, say. Empty when it has nothing to tell.
    virtual std::string whyNoHistory() const { return std::string(); }

protected:
    QxSecurity() = default;
};
