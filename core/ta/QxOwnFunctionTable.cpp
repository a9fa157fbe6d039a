#include "core/ta/QxOwnFunctionTable.h"

#include "core/ta/QxOwnFunctions.h"

namespace
{

// Ranges and lists (same meaning as the library's: min, max, then the
// suggested start, end and increment used for optimisation).
const TA_IntegerRange kPeriodFrom1 = {1, 100000, 1, 200, 1};
const TA_IntegerRange kPeriodFrom2 = {2, 100000, 4, 200, 1};
const TA_RealRange kStxFilterRange = {0.01, TA_REAL_MAX, 2, 1.0, 20.0, 0.5};

const TA_IntegerDataPair kMaTypePairs[] = {
    {0, "SMA"}, {1, "EMA"}, {2, "WMA"}, {3, "DEMA"}, {4, "TEMA"},
    {5, "TRIMA"}, {6, "KAMA"}, {7, "MAMA"}, {8, "T3"},
};
const TA_IntegerList kMaTypes = {kMaTypePairs, sizeof(kMaTypePairs) / sizeof(kMaTypePairs[0])};

const char kMomentum[] = "Momentum Indicators";
const char kVolume[] = "Volume Indicators";

constexpr TA_OptInputParameterInfo period(const char* name, const char* display, const TA_IntegerRange* range,
                                double def, const char* hint)
{
    return {TA_OptInput_IntegerRange, name, 0, display, range, def, hint, nullptr};
}

constexpr TA_OptInputParameterInfo maType(const char* name, const char* display, const char* hint)
{
    return {TA_OptInput_IntegerList, name, 0, display, &kMaTypes, 0, hint, nullptr};
}

// Inputs.
const TA_InputParameterInfo kInPriceOHLC = {
    TA_Input_Price, "inPriceOHLC",
    TA_IN_PRICE_OPEN | TA_IN_PRICE_HIGH | TA_IN_PRICE_LOW | TA_IN_PRICE_CLOSE};
const TA_InputParameterInfo kInPriceHLC = {
    TA_Input_Price, "inPriceHLC", TA_IN_PRICE_HIGH | TA_IN_PRICE_LOW | TA_IN_PRICE_CLOSE};
const TA_InputParameterInfo kInPriceCV = {
    TA_Input_Price, "inPriceCV", TA_IN_PRICE_CLOSE | TA_IN_PRICE_VOLUME};
const TA_InputParameterInfo kInReal = {TA_Input_Real, "inReal", 0};

const TA_InputParameterInfo* const kOHLC[] = {&kInPriceOHLC};
const TA_InputParameterInfo* const kHLC[] = {&kInPriceHLC};
const TA_InputParameterInfo* const kCV[] = {&kInPriceCV};
const TA_InputParameterInfo* const kReal[] = {&kInReal};

// Handles: distinct objects whose addresses identify the functions.
const TA_FuncHandle gHandles[9] = {};

// --- BOP
const TA_FuncInfo kBopInfo = {"BOP", kMomentum, "Balance Of Power", "Bop", 0, 1, 2, 1, &gHandles[0]};
const TA_OptInputParameterInfo kBopPeriod =
    period("optInSmoothingPeriod", "Smoothing Period", &kPeriodFrom1, 14, "Number of period");
const TA_OptInputParameterInfo kBopMa =
    maType("optInSmoothingMAType", "Smoothing MA", "Type of Moving Average for Smoothing");
const TA_OptInputParameterInfo* const kBopOpt[] = {&kBopPeriod, &kBopMa};
const TA_OutputParameterInfo kOutBopHist = {TA_Output_Real, "outBOPHist", TA_OUT_HISTO};
const TA_OutputParameterInfo* const kBopOut[] = {&kOutBopHist};

TA_RetCode callBop(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_BOP(s, e, a.in[0], a.in[1], a.in[2], a.in[3], a.optInt[0], a.optInt[1], b, n,
                  a.out[0]);
}
int lookbackBop(const QxOwnFunctionArgs& a)
{
    return QX_BOP_Lookback(a.optInt[0], a.optInt[1]);
}

// --- STOCHRSI
const TA_FuncInfo kStochRsiInfo = {"STOCHRSI", kMomentum, "Stochastic Relative Strength Index",
                                   "StochRsi", TA_FUNC_FLG_UNST_PER, 1, 6, 2, &gHandles[1]};
const TA_OptInputParameterInfo kStochRsiPeriod =
    period("optInTimePeriod", "Time Period", &kPeriodFrom2, 14, "Number of period");
const TA_OptInputParameterInfo kStochRsiFastK = period(
    "optInFastK_Period", "Fast-K Period", &kPeriodFrom1, 5, "Time period for building the Fast-K line");
const TA_OptInputParameterInfo kStochRsiSlowK =
    period("optInSlowK_Period", "Slow-K Period", &kPeriodFrom1, 3,
           "Smoothing for making the Slow-K line. Usually set to 3");
const TA_OptInputParameterInfo kStochRsiSlowKMa =
    maType("optInSlowK_MAType", "Slow-K MA", "Type of Moving Average for Slow-K");
const TA_OptInputParameterInfo kStochRsiSlowD = period(
    "optInSlowD_Period", "Slow-D Period", &kPeriodFrom1, 3, "Smoothing for making the Slow-D line");
const TA_OptInputParameterInfo kStochRsiSlowDMa =
    maType("optInSlowD_MAType", "Slow-D MA", "Type of Moving Average for Slow-D");
const TA_OptInputParameterInfo* const kStochRsiOpt[] = {&kStochRsiPeriod, &kStochRsiFastK,
                                                        &kStochRsiSlowK,  &kStochRsiSlowKMa,
                                                        &kStochRsiSlowD,  &kStochRsiSlowDMa};
const TA_OutputParameterInfo kOutSlowK = {TA_Output_Real, "outSlowK", TA_OUT_LINE};
const TA_OutputParameterInfo kOutSlowD = {TA_Output_Real, "outSlowD", TA_OUT_DASH_LINE};
const TA_OutputParameterInfo* const kStochRsiOut[] = {&kOutSlowK, &kOutSlowD};

TA_RetCode callStochRsi(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_STOCHRSI(s, e, a.in[0], a.optInt[0], a.optInt[1], a.optInt[2], a.optInt[3],
                       a.optInt[4], a.optInt[5], b, n, a.out[0], a.out[1]);
}
int lookbackStochRsi(const QxOwnFunctionArgs& a)
{
    return QX_STOCHRSI_Lookback(a.optInt[0], a.optInt[1], a.optInt[2], a.optInt[3], a.optInt[4],
                                a.optInt[5]);
}

// --- NVI, PVI
const TA_FuncInfo kNviInfo = {"NVI", kVolume, "Negative Volume Index", "Nvi", 0, 1, 0, 1, &gHandles[2]};
const TA_FuncInfo kPviInfo = {"PVI", kVolume, "Positive Volume Index", "Pvi", 0, 1, 0, 1, &gHandles[3]};
const TA_OutputParameterInfo kOutReal = {TA_Output_Real, "outReal", TA_OUT_LINE};
const TA_OutputParameterInfo* const kRealOut[] = {&kOutReal};

TA_RetCode callNvi(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_NVI(s, e, a.in[0], a.in[1], b, n, a.out[0]);
}
int lookbackNvi(const QxOwnFunctionArgs&)
{
    return QX_NVI_Lookback();
}
TA_RetCode callPvi(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_PVI(s, e, a.in[0], a.in[1], b, n, a.out[0]);
}
int lookbackPvi(const QxOwnFunctionArgs&)
{
    return QX_PVI_Lookback();
}

// --- NVIMA, PVIMA
const TA_FuncInfo kNviMaInfo = {"NVIMA", kVolume, "Negative Volume Index with Moving Average",
                                "NviMa", 0, 1, 2, 2, &gHandles[4]};
const TA_FuncInfo kPviMaInfo = {"PVIMA", kVolume, "Positive Volume Index with Moving Average",
                                "PviMa", 0, 1, 2, 2, &gHandles[5]};
const TA_OptInputParameterInfo kViMaPeriod =
    period("optInTimePeriod", "Time Period", &kPeriodFrom1, 30, "Number of period");
const TA_OptInputParameterInfo kViMaType = maType("optInMAType", "MA Type", "Type of Moving Average");
const TA_OptInputParameterInfo* const kViMaOpt[] = {&kViMaPeriod, &kViMaType};
const TA_OutputParameterInfo kOutNvi = {TA_Output_Real, "outNVI", TA_OUT_LINE};
const TA_OutputParameterInfo kOutNviMa = {TA_Output_Real, "outNVIMA", TA_OUT_DASH_LINE};
const TA_OutputParameterInfo* const kNviMaOut[] = {&kOutNvi, &kOutNviMa};
const TA_OutputParameterInfo kOutPvi = {TA_Output_Real, "outPVI", TA_OUT_LINE};
const TA_OutputParameterInfo kOutPviMa = {TA_Output_Real, "outPVIMA", TA_OUT_DASH_LINE};
const TA_OutputParameterInfo* const kPviMaOut[] = {&kOutPvi, &kOutPviMa};

TA_RetCode callNviMa(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_NVIMA(s, e, a.in[0], a.in[1], a.optInt[0], a.optInt[1], b, n, a.out[0], a.out[1]);
}
int lookbackNviMa(const QxOwnFunctionArgs& a)
{
    return QX_NVIMA_Lookback(a.optInt[0], a.optInt[1]);
}
TA_RetCode callPviMa(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_PVIMA(s, e, a.in[0], a.in[1], a.optInt[0], a.optInt[1], b, n, a.out[0], a.out[1]);
}
int lookbackPviMa(const QxOwnFunctionArgs& a)
{
    return QX_PVIMA_Lookback(a.optInt[0], a.optInt[1]);
}

// --- PVI_MACD
const TA_FuncInfo kPviMacdInfo = {"PVI_MACD", kVolume, "Positive Volume Index MACD", "PviMacd",
                                  0, 1, 6, 3, &gHandles[6]};
const TA_OptInputParameterInfo kPviMacdFast =
    period("optInFastPeriod", "Fast Period", &kPeriodFrom2, 30, "Number of period for the fast MA");
const TA_OptInputParameterInfo kPviMacdFastMa =
    maType("optInFastMAType", "Fast MA", "Type of Moving Average for fast MA");
const TA_OptInputParameterInfo kPviMacdSlow =
    period("optInSlowPeriod", "Slow Period", &kPeriodFrom2, 50, "Number of period for the slow MA");
const TA_OptInputParameterInfo kPviMacdSlowMa =
    maType("optInSlowMAType", "Slow MA", "Type of Moving Average for slow MA");
const TA_OptInputParameterInfo kPviMacdSignal =
    period("optInSignalPeriod", "Signal Period", &kPeriodFrom1, 5,
           "Smoothing for the signal line (nb of period)");
const TA_OptInputParameterInfo kPviMacdSignalMa =
    maType("optInSignalMAType", "Signal MA", "Type of Moving Average for signal line");
const TA_OptInputParameterInfo* const kPviMacdOpt[] = {&kPviMacdFast,   &kPviMacdFastMa,
                                                       &kPviMacdSlow,   &kPviMacdSlowMa,
                                                       &kPviMacdSignal, &kPviMacdSignalMa};
const TA_OutputParameterInfo kOutPviMacd = {TA_Output_Real, "outPVIMACD", TA_OUT_LINE};
const TA_OutputParameterInfo kOutPviMacdSignal = {TA_Output_Real, "outPVIMACDSignal",
                                                  TA_OUT_DASH_LINE};
const TA_OutputParameterInfo kOutPviMacdHist = {TA_Output_Real, "outPVIMACDHist", TA_OUT_HISTO};
const TA_OutputParameterInfo* const kPviMacdOut[] = {&kOutPviMacd, &kOutPviMacdSignal,
                                                     &kOutPviMacdHist};

TA_RetCode callPviMacd(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_PVI_MACD(s, e, a.in[0], a.in[1], a.optInt[0], a.optInt[1], a.optInt[2], a.optInt[3],
                       a.optInt[4], a.optInt[5], b, n, a.out[0], a.out[1], a.out[2]);
}
int lookbackPviMacd(const QxOwnFunctionArgs& a)
{
    return QX_PVI_MACD_Lookback(a.optInt[0], a.optInt[1], a.optInt[2], a.optInt[3], a.optInt[4],
                                a.optInt[5]);
}

// --- RMO
const TA_FuncInfo kRmoInfo = {"RMO", kMomentum, "Rahul Mohindar Oscilator", "Rmo", 0, 1, 3, 3,
                              &gHandles[7]};
const TA_OptInputParameterInfo kRmoShort =
    period("optInShortTimePeriod", "Short Time Period", &kPeriodFrom1, 2, "Number of period");
const TA_OptInputParameterInfo kRmoMedium = period(
    "optInMediumTimePeriod", "Medium Time Period", &kPeriodFrom1, 30, "Number of medium period");
const TA_OptInputParameterInfo kRmoLong =
    period("optInLongTimePeriod", "Long Time Period", &kPeriodFrom1, 81, "Number of long period");
const TA_OptInputParameterInfo* const kRmoOpt[] = {&kRmoShort, &kRmoMedium, &kRmoLong};
const TA_OutputParameterInfo kOutRmo = {TA_Output_Real, "outRMO", TA_OUT_LINE};
const TA_OutputParameterInfo kOutRmoSignal = {TA_Output_Real, "outRMOSignal", TA_OUT_DASH_LINE};
const TA_OutputParameterInfo kOutRmoOsc = {TA_Output_Real, "outRMOOsc", TA_OUT_HISTO};
const TA_OutputParameterInfo* const kRmoOut[] = {&kOutRmo, &kOutRmoSignal, &kOutRmoOsc};

TA_RetCode callRmo(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_RMO(s, e, a.in[0], a.in[1], a.in[2], a.optInt[0], a.optInt[1], a.optInt[2], b, n,
                  a.out[0], a.out[1], a.out[2]);
}
int lookbackRmo(const QxOwnFunctionArgs& a)
{
    return QX_RMO_Lookback(a.optInt[0], a.optInt[1], a.optInt[2]);
}

// --- STX: the published ranges (filter from 0.01, at least 2 waves) are
// narrower than what the computation accepts (0 and 1).
const TA_FuncInfo kStxInfo = {"STX", kMomentum, "Velra Trend Index", "Stx", TA_FUNC_FLG_UNST_PER,
                              1, 2, 1, &gHandles[8]};
const TA_OptInputParameterInfo kStxFilter = {TA_OptInput_RealRange, "optRealFilter",
                                             TA_OPTIN_IS_PERCENT, "Filter", &kStxFilterRange,
                                             5.0, "Filter value to remove noise", nullptr};
const TA_OptInputParameterInfo kStxWaves =
    period("optInNumWaves", "Number of previous waves", &kPeriodFrom2, 3,
           "Number of previous waves to be used for measuring trend strength");
const TA_OptInputParameterInfo* const kStxOpt[] = {&kStxFilter, &kStxWaves};
const TA_OutputParameterInfo kOutStx = {TA_Output_Real, "STX", TA_OUT_LINE};
const TA_OutputParameterInfo* const kStxOut[] = {&kOutStx};

TA_RetCode callStx(const QxOwnFunctionArgs& a, int s, int e, int* b, int* n)
{
    return QX_STX(s, e, a.in[0], a.in[1], a.in[2], a.in[3], a.optReal[0], a.optInt[1], b, n,
                  a.out[0]);
}
int lookbackStx(const QxOwnFunctionArgs& a)
{
    return QX_STX_Lookback(a.optReal[0], a.optInt[1]);
}

const QxOwnFunctionDef kDefs[] = {
    {&kBopInfo, kOHLC, kBopOpt, kBopOut, callBop, lookbackBop},
    {&kStochRsiInfo, kReal, kStochRsiOpt, kStochRsiOut, callStochRsi, lookbackStochRsi},
    {&kNviInfo, kCV, nullptr, kRealOut, callNvi, lookbackNvi},
    {&kPviInfo, kCV, nullptr, kRealOut, callPvi, lookbackPvi},
    {&kNviMaInfo, kCV, kViMaOpt, kNviMaOut, callNviMa, lookbackNviMa},
    {&kPviMaInfo, kCV, kViMaOpt, kPviMaOut, callPviMa, lookbackPviMa},
    {&kPviMacdInfo, kCV, kPviMacdOpt, kPviMacdOut, callPviMacd, lookbackPviMacd},
    {&kRmoInfo, kHLC, kRmoOpt, kRmoOut, callRmo, lookbackRmo},
    {&kStxInfo, kOHLC, kStxOpt, kStxOut, callStx, lookbackStx},
};

} // namespace

const QxOwnFunctionDef* qxOwnFunctionDefs(size_t* count)
{
    *count = sizeof(kDefs) / sizeof(kDefs[0]);
    return kDefs;
}
