#pragma once
// A security of a Quillbar folder: its bars are read from its price file
// whenever they are asked for; it changes nothing.
#include "core/QxErrorCode.h"
#include "core/QxSecurity.h"

#include <string>

class QxQbCategory;

struct QxQbSecurityData {
    unsigned m_id = 0;
    unsigned m_fileNumber = 0;
    std::string m_symbol; // UTF-8
    std::string m_name;   // UTF-8
    Qx::QxPeriod m_period = Qx::eDaily;
};

class QxQbSecurity : public QxSecurity, protected QxQbSecurityData {
public:
    QxQbSecurity(QxQbCategory* category, const QxQbSecurityData& data);
    ~QxQbSecurity() override;

    unsigned id() const override { return m_id; }
    QxCategory* category() const override;
    const char* ticker() const override { return m_symbol.c_str(); }
    const char* name() const override { return m_name.c_str(); }
    // The bars of the price file in the security's own period; null when a
    // shorter period is asked for or the file cannot be read.
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t& from, int64_t& to) override;
    int lastQuote(int64_t&, QxQuote&) override { return eNotImplemented; }
    int saveHistory(QxPriceHistory*) override { return eNotImplemented; }
    int updateFromProvider(bool) override { return eNotImplemented; }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }
    // Names the price file when it is missing or cannot be read.
    std::string whyNoHistory() const override;

    unsigned fileNumber() const { return m_fileNumber; }
    Qx::QxPeriod period() const { return m_period; }

private:
    QxObjectSmartPtr<QxQbCategory> m_category;
};
