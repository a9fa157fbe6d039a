// The indicator function set as later code sees it: tables, records,
// parameter holders and calls, with the differences from the library.
#include "support/Fixtures.h"
#include "core/ta/QxOwnFunctions.h"
#include "core/ta/QxTaFunctionSet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{

using Names = std::vector<std::string>;

Names groupNames()
{
    TA_StringTable* table = nullptr;
    EXPECT_EQ(QxTaFunctionSet::groupTableAlloc(&table), TA_SUCCESS);
    Names names;
    if (table)
        names.assign(table->string, table->string + table->size);
    EXPECT_EQ(QxTaFunctionSet::groupTableFree(table), TA_SUCCESS);
    return names;
}

Names functionNames(const char* group)
{
    TA_StringTable* table = nullptr;
    EXPECT_EQ(QxTaFunctionSet::funcTableAlloc(group, &table), TA_SUCCESS) << group;
    Names names;
    if (table)
        names.assign(table->string, table->string + table->size);
    EXPECT_EQ(QxTaFunctionSet::funcTableFree(table), TA_SUCCESS);
    return names;
}

const TA_FuncHandle* handleOf(const char* name)
{
    const TA_FuncHandle* handle = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
    return handle;
}

// Owns a holder for the length of a test.
struct Holder
{
    QxTaParamHolder* h = nullptr;
    explicit Holder(const char* name)
    {
        EXPECT_EQ(QxTaFunctionSet::paramHolderAlloc(handleOf(name), &h), TA_SUCCESS) << name;
    }
    ~Holder() { QxTaFunctionSet::paramHolderFree(h); }
    operator QxTaParamHolder*() const { return h; }
};

int lookbackOf(const char* name)
{
    Holder h(name);
    TA_Integer lookback = -2;
    EXPECT_EQ(QxTaFunctionSet::getLookback(h, &lookback), TA_SUCCESS);
    return lookback;
}

const TestSupport::OhlcvFixture& orcl()
{
    static const TestSupport::OhlcvFixture f = TestSupport::loadOhlcvFixture("orcl-1995-2014.csv");
    return f;
}

} // namespace

TEST(QxTaFunctionSet, GroupsInTheLibraryOrder)
{
    ASSERT_EQ(QxTaFunctionSet::initialize(), TA_SUCCESS);
    EXPECT_EQ(groupNames(),
              (Names{"Math Operators", "Math Transform", "Overlap Studies", "Volatility Indicators",
                     "Momentum Indicators", "Cycle Indicators", "Volume Indicators",
                     "Pattern Recognition", "Statistic Functions", "Price Transform"}));
    TA_StringTable* table = nullptr;
    EXPECT_EQ(QxTaFunctionSet::funcTableAlloc("Astrology", &table), TA_GROUP_NOT_FOUND);
    EXPECT_EQ(table, nullptr);
}

TEST(QxTaFunctionSet, GroupListings)
{
    EXPECT_EQ(functionNames("Overlap Studies"),
              (Names{"ACCBANDS", "BBANDS", "DEMA", "EMA", "HT_TRENDLINE", "KAMA", "MA", "MAMA",
                     "MAVP", "MIDPOINT", "MIDPRICE", "SAR", "SAREXT", "SMA", "T3", "TEMA", "TRIMA",
                     "WMA"}));
    EXPECT_EQ(functionNames("Volatility Indicators"), (Names{"ATR", "NATR", "TRANGE"}));
    EXPECT_EQ(functionNames("Momentum Indicators"),
              (Names{"ADX",     "ADXR",    "APO",     "AROON",   "AROONOSC", "BOP",    "CCI",
                     "CMO",     "DX",      "MACD",    "MACDEXT", "MACDFIX",  "MFI",    "MINUS_DI",
                     "MINUS_DM", "MOM",    "PLUS_DI", "PLUS_DM", "PPO",      "RMO",    "ROC",
                     "ROCP",    "ROCR",    "ROCR100", "RSI",     "STOCH",    "STOCHF", "STOCHRSI",
                     "STX",     "TRIX",    "ULTOSC",  "WILLR"}));
    EXPECT_EQ(functionNames("Cycle Indicators"),
              (Names{"HT_DCPERIOD", "HT_DCPHASE", "HT_PHASOR", "HT_SINE", "HT_TRENDMODE"}));
    EXPECT_EQ(functionNames("Volume Indicators"),
              (Names{"AD", "ADOSC", "NVI", "NVIMA", "OBV", "PVI", "PVIMA", "PVI_MACD"}));
    EXPECT_EQ(functionNames("Price Transform"),
              (Names{"AVGPRICE", "MEDPRICE", "TYPPRICE", "WCLPRICE"}));
    EXPECT_EQ(functionNames("Math Operators"),
              (Names{"ADD", "DIV", "MAX", "MIN", "MINMAX", "MULT", "SUB", "SUM"}));
    EXPECT_EQ(functionNames("Pattern Recognition").size(), 61u);
}

TEST(QxTaFunctionSet, CatalogueWalkGivesTheFiftyNineIndicators)
{
    // What the indicator catalogue registers: every group but four, less
    // thirteen functions.
    const std::set<std::string> skipGroups = {"Pattern Recognition", "Math Operators",
                                              "Math Transform", "Statistic Functions"};
    const std::set<std::string> skip = {"DX",       "MACDFIX", "RMO",     "MINUS_DI", "MINUS_DM",
                                        "PLUS_DI",  "PLUS_DM", "NVIMA",   "PVIMA",    "PVI_MACD",
                                        "BETA",     "CORREL",  "TRANGE"};
    Names catalogue;
    for (const std::string& group : groupNames()) {
        if (skipGroups.count(group))
            continue;
        for (const std::string& name : functionNames(group.c_str())) {
            if (skip.count(name))
                continue;
            const TA_FuncInfo* info = QxTaFunctionSet::findFunction(name.c_str());
            ASSERT_NE(info, nullptr) << name;
            EXPECT_EQ(group, info->group) << name;
            catalogue.push_back(name);
        }
    }
    EXPECT_EQ(catalogue,
              (Names{"ACCBANDS", "BBANDS",  "DEMA",     "EMA",        "HT_TRENDLINE", "KAMA",
                     "MA",       "MAMA",    "MAVP",     "MIDPOINT",   "MIDPRICE",     "SAR",
                     "SAREXT",   "SMA",     "T3",       "TEMA",       "TRIMA",        "WMA",
                     "ATR",      "NATR",    "ADX",      "ADXR",       "APO",          "AROON",
                     "AROONOSC", "BOP",     "CCI",      "CMO",        "MACD",         "MACDEXT",
                     "MFI",      "MOM",     "PPO",      "ROC",        "ROCP",         "ROCR",
                     "ROCR100",  "RSI",     "STOCH",    "STOCHF",     "STOCHRSI",     "STX",
                     "TRIX",     "ULTOSC",  "WILLR",    "HT_DCPERIOD", "HT_DCPHASE",  "HT_PHASOR",
                     "HT_SINE",  "HT_TRENDMODE", "AD",  "ADOSC",      "NVI",          "OBV",
                     "PVI",      "AVGPRICE", "MEDPRICE", "TYPPRICE",  "WCLPRICE"}));
    EXPECT_EQ(catalogue.size(), 59u);
}

TEST(QxTaFunctionSet, AbsentFunctions)
{
    for (const char* name : {"MAXINDEX", "MININDEX", "MINMAXINDEX", "AVGDEV", "IMI", "NOPE", "sma"}) {
        const TA_FuncHandle* handle = reinterpret_cast<const TA_FuncHandle*>(&name);
        EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_FUNC_NOT_FOUND) << name;
        EXPECT_EQ(handle, nullptr);
        EXPECT_EQ(QxTaFunctionSet::findFunction(name), nullptr) << name;
    }
    // A handle the library gives for a function the set lacks is refused.
    const TA_FuncHandle* libHandle = nullptr;
    ASSERT_EQ(TA_GetFuncHandle("MAXINDEX", &libHandle), TA_SUCCESS);
    const TA_FuncInfo* info = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncInfo(libHandle, &info), TA_INVALID_HANDLE);
    QxTaParamHolder* holder = nullptr;
    EXPECT_EQ(QxTaFunctionSet::paramHolderAlloc(libHandle, &holder), TA_INVALID_HANDLE);
    EXPECT_EQ(holder, nullptr);
}

TEST(QxTaFunctionSet, BollingerBandsDefaultPeriodIsTwenty)
{
    const TA_OptInputParameterInfo* opt = nullptr;
    ASSERT_EQ(QxTaFunctionSet::getOptInputParameterInfo(handleOf("BBANDS"), 0, &opt), TA_SUCCESS);
    EXPECT_STREQ(opt->displayName, "Time Period");
    EXPECT_EQ(opt->defaultValue, 20.0);

    const TestSupport::OhlcvFixture& f = orcl();
    const int end = 299;
    std::vector<double> eu(300), em(300), el(300);
    int eb = -1, en = -1;
    ASSERT_EQ(TA_BBANDS(0, end, f.close.data(), 20, 2.0, 2.0, TA_MAType_SMA, &eb, &en, eu.data(),
                        em.data(), el.data()),
              TA_SUCCESS);

    // A fresh holder, and one given the default marker, both use 20.
    for (bool marker : {false, true}) {
        Holder h("BBANDS");
        if (marker) {
            ASSERT_EQ(QxTaFunctionSet::setOptInputParamInteger(h, 0, TA_INTEGER_DEFAULT), TA_SUCCESS);
        }
        std::vector<double> u(300), m(300), l(300);
        ASSERT_EQ(QxTaFunctionSet::setInputParamRealPtr(h, 0, f.close.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, u.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 1, m.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 2, l.data()), TA_SUCCESS);
        TA_Integer lookback = -1;
        ASSERT_EQ(QxTaFunctionSet::getLookback(h, &lookback), TA_SUCCESS);
        EXPECT_EQ(lookback, 19);
        int b = -1, n = -1;
        ASSERT_EQ(QxTaFunctionSet::callFunc(h, 0, end, &b, &n), TA_SUCCESS);
        EXPECT_EQ(b, 19);
        ASSERT_EQ(n, en);
        for (int j = 0; j < n; ++j) {
            ASSERT_EQ(u[j], eu[j]);
            ASSERT_EQ(m[j], em[j]);
            ASSERT_EQ(l[j], el[j]);
        }
    }
}

// Integer outputs of the library arrive as doubles.
TEST(QxTaFunctionSet, PatternAndTrendModeOutputsAreDoubles)
{
    const TestSupport::OhlcvFixture& f = orcl();
    const int end = static_cast<int>(f.size()) - 1;
    struct Case
    {
        const char* name;
        std::set<double> allowed;
    };
    const Case cases[] = {
        {"CDLDOJI", {0.0, 100.0}},
        {"CDLENGULFING", {-100.0, 0.0, 100.0}},
        {"HT_TRENDMODE", {0.0, 1.0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const TA_OutputParameterInfo* out = nullptr;
        ASSERT_EQ(QxTaFunctionSet::getOutputParameterInfo(handleOf(k.name), 0, &out), TA_SUCCESS);
        EXPECT_EQ(out->type, TA_Output_Real);

        std::vector<int> expected(f.size());
        int eb = -1, en = -1;
        const bool trend = std::strcmp(k.name, "HT_TRENDMODE") == 0;
        if (trend)
            ASSERT_EQ(TA_HT_TRENDMODE(0, end, f.close.data(), &eb, &en, expected.data()), TA_SUCCESS);
        else if (std::strcmp(k.name, "CDLDOJI") == 0)
            ASSERT_EQ(TA_CDLDOJI(0, end, f.open.data(), f.high.data(), f.low.data(), f.close.data(),
                                 &eb, &en, expected.data()),
                      TA_SUCCESS);
        else
            ASSERT_EQ(TA_CDLENGULFING(0, end, f.open.data(), f.high.data(), f.low.data(),
                                      f.close.data(), &eb, &en, expected.data()),
                      TA_SUCCESS);

        Holder h(k.name);
        if (trend)
            ASSERT_EQ(QxTaFunctionSet::setInputParamRealPtr(h, 0, f.close.data()), TA_SUCCESS);
        else
            ASSERT_EQ(QxTaFunctionSet::setInputParamPricePtr(h, 0, f.open.data(), f.high.data(),
                                                             f.low.data(), f.close.data(), nullptr,
                                                             nullptr),
                      TA_SUCCESS);
        std::vector<double> values(f.size(), -7.0);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, values.data()), TA_SUCCESS);
        int b = -1, n = -1;
        ASSERT_EQ(QxTaFunctionSet::callFunc(h, 0, end, &b, &n), TA_SUCCESS);
        EXPECT_EQ(b, eb);
        ASSERT_EQ(n, en);
        std::set<double> seen;
        int graded = 0;
        for (int j = 0; j < n; ++j) {
            // Patterns keep the library's direction; its grades (80, 200) read as 100.
            const int e = expected[j];
            const double want = trend ? e : e > 0 ? 100.0 : e < 0 ? -100.0 : 0.0;
            ASSERT_EQ(values[j], want) << "position " << j;
            seen.insert(values[j]);
            graded += !trend && e != 0 && e != 100 && e != -100;
        }
        EXPECT_EQ(seen, k.allowed);   // every kind of value occurs in 20 years
        if (std::strcmp(k.name, "CDLENGULFING") == 0) {
            EXPECT_GT(graded, 0) << "no partial engulfing in the fixture";
        }
        EXPECT_EQ(values[n], -7.0);   // nothing written past the elements

        // Bad indices still come back as the library's codes.
        EXPECT_EQ(QxTaFunctionSet::callFunc(h, -1, end, &b, &n), TA_OUT_OF_RANGE_START_INDEX);
        EXPECT_EQ(QxTaFunctionSet::callFunc(h, 10, 5, &b, &n), TA_OUT_OF_RANGE_END_INDEX);
    }
}

TEST(QxTaFunctionSet, OwnFunctionRecords)
{
    struct Out
    {
        const char* name;
        int flags;
    };
    struct Case
    {
        const char* name;
        const char* group;
        const char* hint;
        int flags;
        const char* input;
        int inputFlags;
        unsigned nbOpt;
        std::vector<Out> outputs;
    };
    const int ohlc = TA_IN_PRICE_OPEN | TA_IN_PRICE_HIGH | TA_IN_PRICE_LOW | TA_IN_PRICE_CLOSE;
    const int cv = TA_IN_PRICE_CLOSE | TA_IN_PRICE_VOLUME;
    const Case cases[] = {
        {"BOP", "Momentum Indicators", "Balance Of Power", 0, "inPriceOHLC", ohlc, 2,
         {{"outBOPHist", TA_OUT_HISTO}}},
        {"STOCHRSI", "Momentum Indicators", "Stochastic Relative Strength Index",
         TA_FUNC_FLG_UNST_PER, "inReal", 0, 6,
         {{"outSlowK", TA_OUT_LINE}, {"outSlowD", TA_OUT_DASH_LINE}}},
        {"NVI", "Volume Indicators", "Negative Volume Index", 0, "inPriceCV", cv, 0,
         {{"outReal", TA_OUT_LINE}}},
        {"PVI", "Volume Indicators", "Positive Volume Index", 0, "inPriceCV", cv, 0,
         {{"outReal", TA_OUT_LINE}}},
        {"NVIMA", "Volume Indicators", "Negative Volume Index with Moving Average", 0, "inPriceCV",
         cv, 2, {{"outNVI", TA_OUT_LINE}, {"outNVIMA", TA_OUT_DASH_LINE}}},
        {"PVIMA", "Volume Indicators", "Positive Volume Index with Moving Average", 0, "inPriceCV",
         cv, 2, {{"outPVI", TA_OUT_LINE}, {"outPVIMA", TA_OUT_DASH_LINE}}},
        {"PVI_MACD", "Volume Indicators", "Positive Volume Index MACD", 0, "inPriceCV", cv, 6,
         {{"outPVIMACD", TA_OUT_LINE},
          {"outPVIMACDSignal", TA_OUT_DASH_LINE},
          {"outPVIMACDHist", TA_OUT_HISTO}}},
        {"RMO", "Momentum Indicators", "Rahul Mohindar Oscilator", 0, "inPriceHLC",
         TA_IN_PRICE_HIGH | TA_IN_PRICE_LOW | TA_IN_PRICE_CLOSE, 3,
         {{"outRMO", TA_OUT_LINE}, {"outRMOSignal", TA_OUT_DASH_LINE}, {"outRMOOsc", TA_OUT_HISTO}}},
        {"STX", "Momentum Indicators", "Velra Trend Index", TA_FUNC_FLG_UNST_PER, "inPriceOHLC",
         ohlc, 2, {{"STX", TA_OUT_LINE}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const TA_FuncHandle* handle = handleOf(k.name);
        const TA_FuncInfo* info = nullptr;
        ASSERT_EQ(QxTaFunctionSet::getFuncInfo(handle, &info), TA_SUCCESS);
        EXPECT_EQ(info, QxTaFunctionSet::findFunction(k.name));
        EXPECT_EQ(info->handle, handle);
        EXPECT_STREQ(info->name, k.name);
        EXPECT_STREQ(info->group, k.group);
        EXPECT_STREQ(info->hint, k.hint);
        EXPECT_EQ(info->flags, k.flags);
        ASSERT_EQ(info->nbInput, 1u);
        EXPECT_EQ(info->nbOptInput, k.nbOpt);
        ASSERT_EQ(info->nbOutput, k.outputs.size());

        const TA_InputParameterInfo* in = nullptr;
        ASSERT_EQ(QxTaFunctionSet::getInputParameterInfo(handle, 0, &in), TA_SUCCESS);
        EXPECT_STREQ(in->paramName, k.input);
        EXPECT_EQ(in->type, k.inputFlags ? TA_Input_Price : TA_Input_Real);
        EXPECT_EQ(in->flags, k.inputFlags);
        for (unsigned i = 0; i < k.outputs.size(); ++i) {
            const TA_OutputParameterInfo* out = nullptr;
            ASSERT_EQ(QxTaFunctionSet::getOutputParameterInfo(handle, i, &out), TA_SUCCESS);
            EXPECT_EQ(out->type, TA_Output_Real);
            EXPECT_STREQ(out->paramName, k.outputs[i].name);
            EXPECT_EQ(out->flags, k.outputs[i].flags);
        }
        const TA_OptInputParameterInfo* opt = nullptr;
        EXPECT_EQ(QxTaFunctionSet::getOptInputParameterInfo(handle, k.nbOpt, &opt), TA_BAD_PARAM);
        EXPECT_EQ(QxTaFunctionSet::getOutputParameterInfo(handle, info->nbOutput, nullptr),
                  TA_BAD_PARAM);
    }
}

TEST(QxTaFunctionSet, OwnFunctionParameters)
{
    struct Param
    {
        const char* function;
        unsigned index;
        const char* name;
        const char* display;
        TA_OptInputParameterType type;
        double min, max, def;
        const char* hint;
    };
    const TA_OptInputParameterType range = TA_OptInput_IntegerRange;
    const TA_OptInputParameterType list = TA_OptInput_IntegerList;
    const Param params[] = {
        {"BOP", 0, "optInSmoothingPeriod", "Smoothing Period", range, 1, 100000, 14, "Number of period"},
        {"BOP", 1, "optInSmoothingMAType", "Smoothing MA", list, 0, 8, 0, "Type of Moving Average for Smoothing"},
        {"STOCHRSI", 0, "optInTimePeriod", "Time Period", range, 2, 100000, 14, "Number of period"},
        {"STOCHRSI", 2, "optInSlowK_Period", "Slow-K Period", range, 1, 100000, 3, "Smoothing for making the Slow-K line. Usually set to 3"},
        {"STOCHRSI", 5, "optInSlowD_MAType", "Slow-D MA", list, 0, 8, 0, "Type of Moving Average for Slow-D"},
        {"NVIMA", 0, "optInTimePeriod", "Time Period", range, 1, 100000, 30, "Number of period"},
        {"PVI_MACD", 0, "optInFastPeriod", "Fast Period", range, 2, 100000, 30, "Number of period for the fast MA"},
        {"PVI_MACD", 2, "optInSlowPeriod", "Slow Period", range, 2, 100000, 50, "Number of period for the slow MA"},
        {"PVI_MACD", 4, "optInSignalPeriod", "Signal Period", range, 1, 100000, 5, "Smoothing for the signal line (nb of period)"},
        {"RMO", 2, "optInLongTimePeriod", "Long Time Period", range, 1, 100000, 81, "Number of long period"},
        {"STX", 0, "optRealFilter", "Filter", TA_OptInput_RealRange, 0.01, 3e37, 5.0, "Filter value to remove noise"},
        {"STX", 1, "optInNumWaves", "Number of previous waves", range, 2, 100000, 3, "Number of previous waves to be used for measuring trend strength"},
    };
    for (const Param& p : params) {
        SCOPED_TRACE(::testing::Message() << p.function << " " << p.index);
        const TA_OptInputParameterInfo* opt = nullptr;
        ASSERT_EQ(QxTaFunctionSet::getOptInputParameterInfo(handleOf(p.function), p.index, &opt),
                  TA_SUCCESS);
        EXPECT_STREQ(opt->paramName, p.name);
        EXPECT_STREQ(opt->displayName, p.display);
        EXPECT_STREQ(opt->hint, p.hint);
        ASSERT_EQ(opt->type, p.type);
        EXPECT_EQ(opt->defaultValue, p.def);
        if (p.type == TA_OptInput_IntegerRange) {
            const auto* r = static_cast<const TA_IntegerRange*>(opt->dataSet);
            EXPECT_EQ(r->min, p.min);
            EXPECT_EQ(r->max, p.max);
        } else if (p.type == TA_OptInput_RealRange) {
            const auto* r = static_cast<const TA_RealRange*>(opt->dataSet);
            EXPECT_EQ(r->min, p.min);
            EXPECT_EQ(r->max, p.max);
            EXPECT_TRUE(opt->flags & TA_OPTIN_IS_PERCENT);
        } else {
            const auto* l = static_cast<const TA_IntegerList*>(opt->dataSet);
            ASSERT_EQ(l->nbElement, 9u);
            EXPECT_STREQ(l->data[0].string, "SMA");
            EXPECT_STREQ(l->data[8].string, "T3");
            EXPECT_EQ(l->data[8].value, 8);
        }
    }
}

TEST(QxTaFunctionSet, Lookbacks)
{
    EXPECT_EQ(lookbackOf("BOP"), 13);
    EXPECT_EQ(lookbackOf("STOCHRSI"), 22);
    EXPECT_EQ(lookbackOf("NVI"), 0);
    EXPECT_EQ(lookbackOf("PVI"), 0);
    EXPECT_EQ(lookbackOf("STX"), 0);
    EXPECT_EQ(lookbackOf("RMO"), 80);
    EXPECT_EQ(lookbackOf("SMA"), 29);

    Holder h("BOP");
    ASSERT_EQ(QxTaFunctionSet::setOptInputParamInteger(h, 0, 1), TA_SUCCESS);
    TA_Integer lookback = -2;
    ASSERT_EQ(QxTaFunctionSet::getLookback(h, &lookback), TA_SUCCESS);
    EXPECT_EQ(lookback, 0);
    ASSERT_EQ(QxTaFunctionSet::setOptInputParamInteger(h, 1, 12), TA_SUCCESS);   // no range check here
    ASSERT_EQ(QxTaFunctionSet::getLookback(h, &lookback), TA_SUCCESS);
    EXPECT_EQ(lookback, -1);
}

// Own functions called through holders give what their direct forms give.
TEST(QxTaFunctionSet, OwnFunctionsThroughHolders)
{
    const TestSupport::OhlcvFixture& f = orcl();
    const int end = 999;
    int b = -1, n = -1, eb = -1, en = -1;

    {   // A price input spread over its fields, a real parameter.
        Holder h("STX");
        ASSERT_EQ(QxTaFunctionSet::setInputParamPricePtr(h, 0, f.open.data(), f.high.data(),
                                                         f.low.data(), f.close.data(), nullptr,
                                                         nullptr),
                  TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::setOptInputParamReal(h, 0, 3.0), TA_SUCCESS);
        std::vector<double> out(1000), expected(1000);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, out.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::callFunc(h, 0, end, &b, &n), TA_SUCCESS);
        ASSERT_EQ(QX_STX(0, end, f.open.data(), f.high.data(), f.low.data(), f.close.data(), 3.0,
                         3, &eb, &en, expected.data()),
                  TA_SUCCESS);
        EXPECT_EQ(b, eb);
        ASSERT_EQ(n, en);
        ASSERT_GT(n, 0);
        EXPECT_EQ(out, expected);
    }
    {   // Close and volume only.
        Holder h("PVI");
        ASSERT_EQ(QxTaFunctionSet::setInputParamPricePtr(h, 0, nullptr, nullptr, nullptr,
                                                         f.close.data(), f.volume.data(), nullptr),
                  TA_SUCCESS);
        std::vector<double> out(1000), expected(1000);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, out.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::callFunc(h, 0, end, &b, &n), TA_SUCCESS);
        ASSERT_EQ(QX_PVI(0, end, f.close.data(), f.volume.data(), &eb, &en, expected.data()),
                  TA_SUCCESS);
        EXPECT_EQ(n, 1000);
        EXPECT_EQ(out, expected);
    }
    {   // A real input, integer parameters in table order.
        Holder h("STOCHRSI");
        ASSERT_EQ(QxTaFunctionSet::setInputParamRealPtr(h, 0, f.close.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::setOptInputParamInteger(h, 0, 9), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::setOptInputParamInteger(h, 3, TA_MAType_EMA), TA_SUCCESS);
        std::vector<double> k(1000), d(1000), ek(1000), ed(1000);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, k.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 1, d.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::callFunc(h, 0, end, &b, &n), TA_SUCCESS);
        ASSERT_EQ(QX_STOCHRSI(0, end, f.close.data(), 9, 5, 3, 1, 3, 0, &eb, &en, ek.data(),
                              ed.data()),
                  TA_SUCCESS);
        EXPECT_EQ(b, eb);
        ASSERT_EQ(n, en);
        EXPECT_EQ(k, ek);
        EXPECT_EQ(d, ed);
    }
    {   // BOP under its library name is the own version, with parameters.
        Holder h("BOP");
        ASSERT_EQ(QxTaFunctionSet::setInputParamPricePtr(h, 0, f.open.data(), f.high.data(),
                                                         f.low.data(), f.close.data(), nullptr,
                                                         nullptr),
                  TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::setOptInputParamInteger(h, 0, 1), TA_SUCCESS);
        std::vector<double> out(1000);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, out.data()), TA_SUCCESS);
        ASSERT_EQ(QxTaFunctionSet::callFunc(h, 0, end, &b, &n), TA_SUCCESS);
        ASSERT_EQ(n, 1000);
        for (int j = 0; j < n; ++j) {
            const double range = f.high[j] - f.low[j];
            ASSERT_DOUBLE_EQ(out[j], range < 1e-8 ? 0.0 : (f.close[j] - f.open[j]) / range);
        }
    }
}

TEST(QxTaFunctionSet, HolderMisuse)
{
    const double data[4] = {1, 2, 3, 4};
    double out[4];
    int b = 0, n = 0;
    for (const char* name : {"SMA", "NVI"}) {
        SCOPED_TRACE(name);
        const bool own = std::strcmp(name, "NVI") == 0;
        Holder h(name);
        EXPECT_EQ(QxTaFunctionSet::callFunc(h, 0, 3, &b, &n), TA_INPUT_NOT_ALL_INITIALIZE);
        if (own) {
            // A field the input carries may not be null.
            EXPECT_EQ(QxTaFunctionSet::setInputParamPricePtr(h, 0, nullptr, nullptr, nullptr, data,
                                                             nullptr, nullptr),
                      TA_BAD_PARAM);
            EXPECT_EQ(QxTaFunctionSet::setInputParamRealPtr(h, 0, data), TA_INVALID_PARAM_HOLDER_TYPE);
            ASSERT_EQ(QxTaFunctionSet::setInputParamPricePtr(h, 0, nullptr, nullptr, nullptr, data,
                                                             data, nullptr),
                      TA_SUCCESS);
        } else {
            ASSERT_EQ(QxTaFunctionSet::setInputParamRealPtr(h, 0, data), TA_SUCCESS);
            EXPECT_EQ(QxTaFunctionSet::setOptInputParamReal(h, 0, 3.0), TA_INVALID_PARAM_HOLDER_TYPE);
        }
        EXPECT_EQ(QxTaFunctionSet::setInputParamRealPtr(h, 5, data), TA_BAD_PARAM);
        EXPECT_EQ(QxTaFunctionSet::setOptInputParamInteger(h, 3, 3), TA_BAD_PARAM);
        EXPECT_EQ(QxTaFunctionSet::callFunc(h, 0, 3, &b, &n), TA_OUTPUT_NOT_ALL_INITIALIZE);
        EXPECT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, nullptr), TA_BAD_PARAM);
        ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, out), TA_SUCCESS);
        EXPECT_EQ(QxTaFunctionSet::callFunc(h, 0, 3, nullptr, &n), TA_BAD_PARAM);
        EXPECT_EQ(QxTaFunctionSet::callFunc(h, 0, 3, &b, &n), TA_SUCCESS);
    }
    const TA_FuncInfo* info = nullptr;
    const TA_FuncHandle bogus = 0;
    EXPECT_EQ(QxTaFunctionSet::getFuncInfo(&bogus, &info), TA_INVALID_HANDLE);
    EXPECT_EQ(QxTaFunctionSet::paramHolderFree(nullptr), TA_SUCCESS);
}

TEST(QxTaFunctionSet, LibraryFunctionsMatchDirectCalls)
{
    const TestSupport::OhlcvFixture& f = orcl();
    const int end = static_cast<int>(f.size()) - 1;
    const size_t size = f.size();

    Holder h("MACD");
    std::vector<double> m(size), s(size), hist(size), em(size), es(size), eh(size);
    ASSERT_EQ(QxTaFunctionSet::setInputParamRealPtr(h, 0, f.close.data()), TA_SUCCESS);
    ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 0, m.data()), TA_SUCCESS);
    ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 1, s.data()), TA_SUCCESS);
    ASSERT_EQ(QxTaFunctionSet::setOutputParamRealPtr(h, 2, hist.data()), TA_SUCCESS);
    int b = -1, n = -1, eb = -1, en = -1;
    ASSERT_EQ(QxTaFunctionSet::callFunc(h, 100, end, &b, &n), TA_SUCCESS);
    ASSERT_EQ(TA_MACD(100, end, f.close.data(), 12, 26, 9, &eb, &en, em.data(), es.data(), eh.data()),
              TA_SUCCESS);
    EXPECT_EQ(b, eb);
    EXPECT_EQ(n, en);
    EXPECT_EQ(m, em);
    EXPECT_EQ(s, es);
    EXPECT_EQ(hist, eh);

    // The library's own description of BBANDS is left as published.
    const TA_FuncHandle* libHandle = nullptr;
    const TA_OptInputParameterInfo* libOpt = nullptr;
    ASSERT_EQ(TA_GetFuncHandle("BBANDS", &libHandle), TA_SUCCESS);
    ASSERT_EQ(TA_GetOptInputParameterInfo(libHandle, 0, &libOpt), TA_SUCCESS);
    EXPECT_EQ(libOpt->defaultValue, 5.0);
}
