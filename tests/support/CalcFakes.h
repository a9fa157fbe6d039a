#pragma once
// Small stand-ins for the calculator and indicator tests: an indicator whose
// outputs are moving means of its first input, a drawable and a colour
// scheme with one indicator-kind role, and a security whose daily history
// lives in memory and which logs what the calculator asks of it.
#include "app/QxIndicatorRegistry.h"
#include "chart/QxColorScheme.h"
#include "chart/QxDrawable.h"
#include "core/QxCategory.h"
#include "core/QxDataProvider.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "support/ChartFixtures.h"
#include "support/MemData.h"
#include "support/StandInIndicators.h"

#include <wx/xml/xml.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace calctest {

// Outputs: output k at bar i is the mean of the first input over the last
// "period" bars (parameter 0, when it is an int32) plus k. Counts its
// computations and its live instances.
class MeanIndicator : public TestSupport::ParamsIndicator {
public:
    static int computations;
    static int alive;

    MeanIndicator(const wxString& name, std::vector<uint32_t> inputs, std::vector<QxParamInfo> params,
                  std::vector<QxAtom> outputs)
        : ParamsIndicator(name, params), m_inputs(std::move(inputs)), m_defaults(std::move(params)),
          m_outputs(std::move(outputs))
    {
        ++alive;
    }
    ~MeanIndicator() override { --alive; }

    // An SMA-like indicator over an assignable input with the given period.
    static MeanIndicator* sma(int period = 14)
    {
        auto* ind = new MeanIndicator("SMA", {QxSeriesId::eSeriesIndicator},
                                      {QxParamInfo(QxAtom("optInTimePeriod"), "Period", QxValue(int32_t(14)))},
                                      {QxAtom("Real")});
        ind->setParam(0, QxValue(int32_t(period)));
        return ind;
    }
    // Three outputs over the close, like a MACD.
    static MeanIndicator* macd()
    {
        return new MeanIndicator("MACD", {QxSeriesId::eSeriesClose},
                                 {QxParamInfo(QxAtom("optInFastPeriod"), "Fast", QxValue(int32_t(3)))},
                                 {QxAtom("MACD"), QxAtom("MACDSignal"), QxAtom("MACDHist")});
    }

    QxIndicator* clone(unsigned flags) const override
    {
        auto* copy = new MeanIndicator(m_name, m_inputs, m_defaults, m_outputs);
        copyParamsAndDrawables(*copy, flags);
        if (flags & eCloneInputs)
            copyInputsTo(*copy);
        copy->failNextCompute = failNextCompute;
        return copy;
    }
    QxAtom getName() const override { return QxAtom(m_name); }
    QxAtom getGroup() const override { return QxAtom("Test Group"); }
    wxString getDescription() const override { return "Mean of the input"; }
    int getPlacement() const override { return ePlaceOverPrice; }
    const std::vector<uint32_t>& inputInfos() const override { return m_inputs; }
    const std::vector<QxParamInfo>& defaultParamInfos() const override { return m_defaults; }
    const std::vector<QxAtom>& outputInfos() const override { return m_outputs; }

    int compute(const std::vector<QxSeries>& inputs, std::vector<QxSeries>& outputs) override
    {
        ++computations;
        if (failNextCompute) {
            failNextCompute = false;
            return eInvalidData;
        }
        const QxSeries& in = inputs.at(0);
        const int period = !m_params.empty() && m_params[0].value.type() == QxValue::eInt32
                               ? m_params[0].value.toInt32()
                               : 1;
        for (size_t k = 0; k < outputs.size(); ++k) {
            QxSeries& out = outputs[k];
            if (in.empty() || period < 1 || in.last - in.first + 1 < period) {
                out.first = 0;
                out.last = -1;
                continue;
            }
            out.first = in.first + period - 1;
            out.last = in.last;
            for (int32_t i = out.first; i <= out.last; ++i) {
                double sum = 0;
                for (int32_t j = i - period + 1; j <= i; ++j)
                    sum += *in.at(j);
                *out.at(i) = sum / period + double(k);
            }
        }
        return eNoError;
    }

    int fromXml(const wxXmlNode* element) override
    {
        for (const wxXmlNode* c = element->GetChildren(); c; c = c->GetNext()) {
            if (!c->GetName().IsSameAs("OptionalParameters", false))
                continue;
            for (const wxXmlNode* p = c->GetChildren(); p; p = p->GetNext()) {
                const QxAtom name(p->GetAttribute("Name"));
                QxValue value;
                if (!QxValue::fromString(p->GetAttribute("Value"), value))
                    continue;
                for (unsigned i = 0; i < m_params.size(); ++i)
                    if (m_params[i].name == name)
                        setParam(i, value.convert(m_defaults[i].value.type()));
            }
        }
        return eNoError;
    }

    bool failNextCompute = false;

private:
    std::vector<uint32_t> m_inputs;
    std::vector<QxParamInfo> m_defaults;
    std::vector<QxAtom> m_outputs;
};

// One role "DATA" that takes a bound series.
class LineDrawable : public QxDrawable {
public:
    static int alive;
    LineDrawable() { ++alive; }
    LineDrawable(const LineDrawable& other) : QxDrawable(other) { ++alive; }
    ~LineDrawable() override { --alive; }
    QxDrawable* clone() const override { return new LineDrawable(*this); }
    const QxAtom& getName() const override
    {
        static const QxAtom name("TESTLINE");
        return name;
    }
    const wxString& getDisplayText() const override
    {
        static const wxString text("Test line");
        return text;
    }
    const std::vector<QxDataInfo>& getParamInfos() const override
    {
        static const std::vector<QxDataInfo> roles{QxDataInfo(QxAtom("DATA"), "Data", QxSeriesId::eSeriesIndicator)};
        return roles;
    }
    // The fetched DATA series, for tests.
    QxSeries data() const
    {
        QxSeries s;
        getDataSeries(QxAtom("DATA"), s);
        return s;
    }
};

// One role "SAR" that takes a bound series.
class MarkScheme : public QxColorScheme {
public:
    QxColorScheme* clone() const override { return new MarkScheme(*this); }
    const QxAtom& getName() const override
    {
        static const QxAtom name("TestScheme");
        return name;
    }
    const wxString& getDisplayText() const override
    {
        static const wxString text("Test scheme");
        return text;
    }
    const std::vector<QxDataInfo>& getDataParamInfos() const override
    {
        static const std::vector<QxDataInfo> roles{QxDataInfo(QxAtom("SAR"), "Sar", QxSeriesId::eSeriesIndicator)};
        return roles;
    }
};

// A daily history of n stock bars on consecutive weekdays from Monday
// 2014-08-04; close of bar i is 100 + i, open 99 + i.
inline QxPriceHistory* makeDaily(unsigned n)
{
    std::vector<double> opens, closes;
    for (unsigned i = 0; i < n; ++i) {
        opens.push_back(99.0 + i);
        closes.push_back(100.0 + i);
    }
    return charttest::makeBars(opens, closes);
}

// The tests' memory security, as the calculator tests name it: only a
// request for the whole history gets bars, and an update runs onUpdate
// when set.
class MemSecurity : public TestSupport::MemSecurity {
public:
    MemSecurity(unsigned id, QxCategory* category = nullptr)
        : TestSupport::MemSecurity(id, nullptr, {"Memory", "MEM", category, true, true})
    {
    }
};

// A category of the given provider, as the calculator tests name it; it
// holds no securities.
class MemCategory : public TestSupport::MemCategory {
public:
    explicit MemCategory(std::string provider) : TestSupport::MemCategory(1, nullptr, "Memory", std::move(provider)) {}
};

// Logs the securities it is asked to update.
class LogProvider : public QxDataProvider {
public:
    QxAtom name() const override { return QxAtom("calctest.provider"); }
    void populateDatabase(QxDatabase*) override {}
    const wxBitmap* icon() const override { return nullptr; }
    void update(QxSecurity* security, bool inBackground) override
    {
        log += std::to_string(security->id()) + (inBackground ? "(bg);" : "(fg);");
    }
    void windup() override {}
    std::string log;
};

} // namespace calctest
