#include "core/ta/QxOwnFunctions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

namespace
{

const int kMaxPeriod = 100000;
const int kMaxMaType = 8;   // T3
const double kFlatRange = 1e-8;

// Applies the default for the marker and checks the range.
bool resolveInt(int& value, int def, int lo, int hi)
{
    if (value == TA_INTEGER_DEFAULT)
        value = def;
    return value >= lo && value <= hi;
}

bool resolveMaType(int& value)
{
    return resolveInt(value, 0, 0, kMaxMaType);
}

TA_MAType maType(int value)
{
    return static_cast<TA_MAType>(value);
}

bool checkIndices(int startIdx, int endIdx, TA_RetCode& rc)
{
    if (startIdx < 0) {
        rc = TA_OUT_OF_RANGE_START_INDEX;
        return false;
    }
    if (endIdx < 0 || endIdx < startIdx) {
        rc = TA_OUT_OF_RANGE_END_INDEX;
        return false;
    }
    return true;
}

template <typename T>
std::unique_ptr<T[]> allocBuffer(int n)
{
    return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<size_t>(n)]);
}

// Relative change of a against base; a zero base measures no change instead
// of spreading an infinity through every later value.
double change(double a, double base)
{
    return base != 0.0 ? a / base - 1.0 : 0.0;
}

// (later - earlier) / (earlier + later), 0 when the sum is zero.
double swingRatio(double later, double earlier)
{
    const double sum = later + earlier;
    return sum != 0.0 ? (later - earlier) / sum : 0.0;
}

// Volume index from bar startIdx (100) to endIdx into out[0 ..]. The index
// follows the close on bars whose volume fell (negative) or rose (positive).
// A zero previous close leaves the index where it is.
void volumeIndex(int startIdx, int endIdx, const double* close, const double* volume,
                 bool negative, double* out)
{
    double index = 100.0;
    out[0] = index;
    for (int i = startIdx + 1, j = 1; i <= endIdx; ++i, ++j) {
        const bool moves = negative ? volume[i] < volume[i - 1] : volume[i] > volume[i - 1];
        if (moves && close[i - 1] != 0.0)
            index *= close[i] / close[i - 1];
        out[j] = index;
    }
}

TA_RetCode volumeIndexFunction(int startIdx, int endIdx, const double* close, const double* volume,
                               bool negative, int* outBegIdx, int* outNBElement, double* out)
{
    TA_RetCode rc;
    if (!checkIndices(startIdx, endIdx, rc))
        return rc;
    if (!close || !volume)
        return TA_BAD_PARAM;
    if (!outBegIdx || !outNBElement || !out)
        return TA_BAD_PARAM;
    volumeIndex(startIdx, endIdx, close, volume, negative, out);
    *outBegIdx = startIdx;
    *outNBElement = endIdx - startIdx + 1;
    return TA_SUCCESS;
}

// The volume index and its average. The index is computed into the first
// output (positions 0 .. n-1 hold bars startIdx .. endIdx), so the average
// runs over those n positions, not over bar numbers.
TA_RetCode volumeIndexMaFunction(int startIdx, int endIdx, const double* close,
                                 const double* volume, bool negative, int period, int type,
                                 int* outBegIdx, int* outNBElement, double* outIndex,
                                 double* outMa)
{
    TA_RetCode rc;
    if (!checkIndices(startIdx, endIdx, rc))
        return rc;
    if (!close || !volume)
        return TA_BAD_PARAM;
    if (!resolveInt(period, 30, 1, kMaxPeriod) || !resolveMaType(type))
        return TA_BAD_PARAM;
    if (!outBegIdx || !outNBElement || !outIndex || !outMa)
        return TA_BAD_PARAM;
    *outBegIdx = *outNBElement = 0;

    const int n = endIdx - startIdx + 1;
    volumeIndex(startIdx, endIdx, close, volume, negative, outIndex);
    int beg = 0, count = 0;
    rc = TA_MA(0, n - 1, outIndex, period, maType(type), &beg, &count, outMa);
    if (rc != TA_SUCCESS)
        return rc;
    if (count <= 0)
        return TA_SUCCESS;
    std::memmove(outIndex, outIndex + beg, static_cast<size_t>(count) * sizeof(double));
    *outBegIdx = startIdx + beg;
    *outNBElement = count;
    return TA_SUCCESS;
}

int volumeIndexMaLookback(int period, int type)
{
    if (!resolveInt(period, 30, 1, kMaxPeriod) || !resolveMaType(type))
        return -1;
    return TA_MA_Lookback(period, maType(type));
}

// RMO's swing oscillator needs ten nested averages and a 10-bar range.
const int kRmoLevels = 10;
const int kRmoRangeBars = 10;

int rmoSwingLookback(int shortPeriod)
{
    return std::max(kRmoLevels * (shortPeriod - 1), kRmoRangeBars - 1);
}

bool resolveRmo(int& shortPeriod, int& mediumPeriod, int& longPeriod)
{
    return resolveInt(shortPeriod, 2, 1, kMaxPeriod) && resolveInt(mediumPeriod, 30, 1, kMaxPeriod)
           && resolveInt(longPeriod, 81, 1, kMaxPeriod);
}

// The computation accepts any filter from 0 and at least one wave; the
// published ranges are narrower (see the function table).
bool resolveStx(double& filter, int& waves)
{
    if (filter == TA_REAL_DEFAULT)
        filter = 5.0;
    else if (!(filter >= 0.0 && filter <= TA_REAL_MAX))
        return false;
    return resolveInt(waves, 3, 1, kMaxPeriod);
}

} // namespace

// ---------------------------------------------------------------------------
// BOP

int QX_BOP_Lookback(int period, int type)
{
    if (!resolveInt(period, 14, 1, kMaxPeriod) || !resolveMaType(type))
        return -1;
    return TA_MA_Lookback(period, maType(type));
}

TA_RetCode QX_BOP(int startIdx, int endIdx, const double inOpen[], const double inHigh[],
                  const double inLow[], const double inClose[], int period, int type,
                  int* outBegIdx, int* outNBElement, double outBOPHist[])
{
    TA_RetCode rc;
    if (!checkIndices(startIdx, endIdx, rc))
        return rc;
    if (!inOpen || !inHigh || !inLow || !inClose)
        return TA_BAD_PARAM;
    if (!resolveInt(period, 14, 1, kMaxPeriod) || !resolveMaType(type))
        return TA_BAD_PARAM;
    if (!outBegIdx || !outNBElement || !outBOPHist)
        return TA_BAD_PARAM;
    *outBegIdx = *outNBElement = 0;

    const int lookback = TA_MA_Lookback(period, maType(type));
    const int start = std::max(startIdx, lookback);
    if (start > endIdx)
        return TA_SUCCESS;   // too few bars: no output, as the library does

    // Raw values from the first bar the average reads; buffer position k is
    // bar first + k.
    const int first = start - lookback;
    const int n = endIdx - first + 1;
    auto raw = allocBuffer<double>(n);
    if (!raw)
        return TA_ALLOC_ERR;
    for (int k = 0; k < n; ++k) {
        const int i = first + k;
        const double range = inHigh[i] - inLow[i];
        raw[k] = range < kFlatRange ? 0.0 : (inClose[i] - inOpen[i]) / range;
    }
    int beg = 0, count = 0;
    rc = TA_MA(lookback, n - 1, raw.get(), period, maType(type), &beg, &count, outBOPHist);
    if (rc != TA_SUCCESS || count <= 0)
        return rc;
    *outBegIdx = first + beg;
    *outNBElement = count;
    return TA_SUCCESS;
}

// ---------------------------------------------------------------------------
// STOCHRSI

int QX_STOCHRSI_Lookback(int period, int fastK, int slowK, int slowKType, int slowD, int slowDType)
{
    if (!resolveInt(period, 14, 2, kMaxPeriod) || !resolveInt(fastK, 5, 1, kMaxPeriod)
        || !resolveInt(slowK, 3, 1, kMaxPeriod) || !resolveMaType(slowKType)
        || !resolveInt(slowD, 3, 1, kMaxPeriod) || !resolveMaType(slowDType))
        return -1;
    return TA_RSI_Lookback(period)
           + TA_STOCH_Lookback(fastK, slowK, maType(slowKType), slowD, maType(slowDType));
}

TA_RetCode QX_STOCHRSI(int startIdx, int endIdx, const double inReal[], int period, int fastK,
                       int slowK, int slowKType, int slowD, int slowDType, int* outBegIdx,
                       int* outNBElement, double outSlowK[], double outSlowD[])
{
    TA_RetCode rc;
    if (!checkIndices(startIdx, endIdx, rc))
        return rc;
    if (!inReal)
        return TA_BAD_PARAM;
    if (!resolveInt(period, 14, 2, kMaxPeriod) || !resolveInt(fastK, 5, 1, kMaxPeriod)
        || !resolveInt(slowK, 3, 1, kMaxPeriod) || !resolveMaType(slowKType)
        || !resolveInt(slowD, 3, 1, kMaxPeriod) || !resolveMaType(slowDType))
        return TA_BAD_PARAM;
    if (!outBegIdx || !outNBElement || !outSlowK || !outSlowD)
        return TA_BAD_PARAM;
    *outBegIdx = *outNBElement = 0;

    const int stochLookback =
        TA_STOCH_Lookback(fastK, slowK, maType(slowKType), slowD, maType(slowDType));
    const int start = std::max(startIdx, TA_RSI_Lookback(period) + stochLookback);
    if (start > endIdx)
        return TA_SUCCESS;

    // The RSI from the first bar the stochastic reads; buffer position k is
    // bar start - stochLookback + k.
    const int n = stochLookback + (endIdx - start + 1);
    auto rsi = allocBuffer<double>(n);
    if (!rsi)
        return TA_ALLOC_ERR;
    int rsiBeg = 0, rsiCount = 0;
    rc = TA_RSI(start - stochLookback, endIdx, inReal, period, &rsiBeg, &rsiCount, rsi.get());
    if (rc != TA_SUCCESS || rsiCount <= 0)
        return rc;
    int beg = 0, count = 0;
    rc = TA_STOCH(0, rsiCount - 1, rsi.get(), rsi.get(), rsi.get(), fastK, slowK,
                  maType(slowKType), slowD, maType(slowDType), &beg, &count, outSlowK, outSlowD);
    if (rc != TA_SUCCESS || count <= 0)
        return rc;
    *outBegIdx = rsiBeg + beg;   // start, the bar whose RSI window ends the first value
    *outNBElement = count;
    return TA_SUCCESS;
}

// ---------------------------------------------------------------------------
// NVI, PVI, NVIMA, PVIMA, PVI_MACD

int QX_NVI_Lookback()
{
    return 0;
}

TA_RetCode QX_NVI(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                  int* outBegIdx, int* outNBElement, double outReal[])
{
    return volumeIndexFunction(startIdx, endIdx, inClose, inVolume, true, outBegIdx, outNBElement,
                               outReal);
}

int QX_PVI_Lookback()
{
    return 0;
}

TA_RetCode QX_PVI(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                  int* outBegIdx, int* outNBElement, double outReal[])
{
    return volumeIndexFunction(startIdx, endIdx, inClose, inVolume, false, outBegIdx,
                               outNBElement, outReal);
}

int QX_NVIMA_Lookback(int period, int type)
{
    return volumeIndexMaLookback(period, type);
}

TA_RetCode QX_NVIMA(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                    int period, int type, int* outBegIdx, int* outNBElement, double outNVI[],
                    double outNVIMA[])
{
    return volumeIndexMaFunction(startIdx, endIdx, inClose, inVolume, true, period, type,
                                 outBegIdx, outNBElement, outNVI, outNVIMA);
}

int QX_PVIMA_Lookback(int period, int type)
{
    return volumeIndexMaLookback(period, type);
}

TA_RetCode QX_PVIMA(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                    int period, int type, int* outBegIdx, int* outNBElement, double outPVI[],
                    double outPVIMA[])
{
    return volumeIndexMaFunction(startIdx, endIdx, inClose, inVolume, false, period, type,
                                 outBegIdx, outNBElement, outPVI, outPVIMA);
}

namespace
{
bool resolvePviMacd(int& fast, int& fastType, int& slow, int& slowType, int& signal,
                    int& signalType)
{
    return resolveInt(fast, 30, 2, kMaxPeriod) && resolveMaType(fastType)
           && resolveInt(slow, 50, 2, kMaxPeriod) && resolveMaType(slowType)
           && resolveInt(signal, 5, 1, kMaxPeriod) && resolveMaType(signalType);
}
} // namespace

int QX_PVI_MACD_Lookback(int fast, int fastType, int slow, int slowType, int signal,
                         int signalType)
{
    if (!resolvePviMacd(fast, fastType, slow, slowType, signal, signalType))
        return -1;
    return TA_MACDEXT_Lookback(fast, maType(fastType), slow, maType(slowType), signal,
                               maType(signalType));
}

TA_RetCode QX_PVI_MACD(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                       int fast, int fastType, int slow, int slowType, int signal, int signalType,
                       int* outBegIdx, int* outNBElement, double outPVIMACD[],
                       double outPVIMACDSignal[], double outPVIMACDHist[])
{
    TA_RetCode rc;
    if (!checkIndices(startIdx, endIdx, rc))
        return rc;
    if (!inClose || !inVolume)
        return TA_BAD_PARAM;
    if (!resolvePviMacd(fast, fastType, slow, slowType, signal, signalType))
        return TA_BAD_PARAM;
    if (!outBegIdx || !outNBElement || !outPVIMACD || !outPVIMACDSignal || !outPVIMACDHist)
        return TA_BAD_PARAM;
    *outBegIdx = *outNBElement = 0;

    // The MACD runs over the index's own positions (0 is bar startIdx).
    const int n = endIdx - startIdx + 1;
    auto pvi = allocBuffer<double>(n);
    if (!pvi)
        return TA_ALLOC_ERR;
    volumeIndex(startIdx, endIdx, inClose, inVolume, false, pvi.get());
    int beg = 0, count = 0;
    rc = TA_MACDEXT(0, n - 1, pvi.get(), fast, maType(fastType), slow, maType(slowType), signal,
                    maType(signalType), &beg, &count, outPVIMACD, outPVIMACDSignal,
                    outPVIMACDHist);
    if (rc != TA_SUCCESS || count <= 0)
        return rc;
    *outBegIdx = startIdx + beg;
    *outNBElement = count;
    return TA_SUCCESS;
}

// ---------------------------------------------------------------------------
// RMO

int QX_RMO_Lookback(int shortPeriod, int mediumPeriod, int longPeriod)
{
    if (!resolveRmo(shortPeriod, mediumPeriod, longPeriod))
        return -1;
    // The long average's warm-up, but never fewer bars than the swing
    // oscillator itself needs (only reached with a short period above 9).
    return std::max(longPeriod - 1, rmoSwingLookback(shortPeriod));
}

TA_RetCode QX_RMO(int startIdx, int endIdx, const double inHigh[], const double inLow[],
                  const double inClose[], int shortPeriod, int mediumPeriod, int longPeriod,
                  int* outBegIdx, int* outNBElement, double outRMO[], double outRMOSignal[],
                  double outRMOOsc[])
{
    TA_RetCode rc;
    if (!checkIndices(startIdx, endIdx, rc))
        return rc;
    if (!inHigh || !inLow || !inClose)
        return TA_BAD_PARAM;
    if (!resolveRmo(shortPeriod, mediumPeriod, longPeriod))
        return TA_BAD_PARAM;
    if (!outBegIdx || !outNBElement || !outRMO || !outRMOSignal || !outRMOOsc)
        return TA_BAD_PARAM;
    *outBegIdx = *outNBElement = 0;

    const int lookback = std::max(longPeriod - 1, rmoSwingLookback(shortPeriod));
    const int start = std::max(startIdx, lookback);
    if (start > endIdx)
        return TA_SUCCESS;

    // Buffer position k is bar first + k; bar start is position lookback.
    const int first = start - lookback;
    const int n = endIdx - first + 1;
    auto level = allocBuffer<double>(n);
    auto next = allocBuffer<double>(n);
    auto levelSum = allocBuffer<double>(n);
    if (!level || !next || !levelSum)
        return TA_ALLOC_ERR;
    std::copy(inClose + first, inClose + endIdx + 1, level.get());
    std::fill(levelSum.get(), levelSum.get() + n, 0.0);

    int levelBeg = 0;   // first valid position of the current level
    for (int l = 0; l < kRmoLevels; ++l) {
        int beg = 0, count = 0;
        rc = TA_MA(levelBeg + shortPeriod - 1, n - 1, level.get(), shortPeriod, TA_MAType_SMA,
                   &beg, &count, next.get());
        if (rc != TA_SUCCESS)
            return rc;
        if (count <= 0 || beg + count != n)
            return TA_UNKNOWN_ERR;   // the window was sized for all ten levels
        for (int j = 0; j < count; ++j) {
            level[beg + j] = next[j];
            levelSum[beg + j] += next[j];
        }
        levelBeg = beg;
    }

    const int swingBeg = std::max(levelBeg, kRmoRangeBars - 1);
    const double kLong = 2.0 / (longPeriod + 1);
    const double kMedium = 2.0 / (mediumPeriod + 1);
    double rmo = 0.0, signal = 0.0, signalAverage = 0.0;
    for (int k = swingBeg; k < n; ++k) {
        const double* window = inClose + first + k - (kRmoRangeBars - 1);
        const auto [lo, hi] = std::minmax_element(window, window + kRmoRangeBars);
        const double range = *hi - *lo;
        const double close = inClose[first + k];
        const double swing =
            range < kFlatRange ? 0.0 : 100.0 * (close - levelSum[k] / kRmoLevels) / range;
        if (k == swingBeg) {
            rmo = signal = signalAverage = swing;
        } else {
            rmo += kLong * (swing - rmo);
            signal += kMedium * (swing - signal);
            signalAverage += kMedium * (signal - signalAverage);
        }
        if (k >= lookback) {
            const int j = k - lookback;
            outRMO[j] = rmo;
            outRMOSignal[j] = signal;
            outRMOOsc[j] = signal - signalAverage;
        }
    }
    *outBegIdx = start;
    *outNBElement = endIdx - start + 1;
    return TA_SUCCESS;
}

// ---------------------------------------------------------------------------
// STX

int QX_STX_Lookback(double filter, int waves)
{
    return resolveStx(filter, waves) ? 0 : -1;
}

TA_RetCode QX_STX(int startIdx, int endIdx, const double inOpen[], const double inHigh[],
                  const double inLow[], const double inClose[], double filter, int waves,
                  int* outBegIdx, int* outNBElement, double outSTX[])
{
    TA_RetCode rc;
    if (!checkIndices(startIdx, endIdx, rc))
        return rc;
    if (!inOpen || !inHigh || !inLow || !inClose)
        return TA_BAD_PARAM;
    if (!resolveStx(filter, waves))
        return TA_BAD_PARAM;
    if (!outBegIdx || !outNBElement || !outSTX)
        return TA_BAD_PARAM;
    *outBegIdx = *outNBElement = 0;

    const double f = filter / 100.0;
    // Ring of the latest 2W + 1 swing bars, the newest at head.
    const int n = 2 * waves + 1;
    auto ring = allocBuffer<int>(n);
    if (!ring)
        return TA_ALLOC_ERR;
    int head = 0;
    int count = 1;
    ring[0] = startIdx;
    int pivot = startIdx;     // the latest swing bar
    int extreme = startIdx;   // extreme of the running wave; at the pivot when none runs
    int direction = 0;
    bool started = false;
    int beg = 0;
    double sum = 0.0;

    auto value = [&](int i) {
        const int p = ring[(head + n - 1) % n];   // the swing before the latest
        return 100.0 * (sum + swingRatio(inClose[i], inClose[p]));
    };

    for (int i = startIdx; i <= endIdx; ++i) {
        for (;;) {
            if (started)
                outSTX[i - beg] = value(i);
            if (extreme == pivot) {
                const double r = change(inClose[i], inClose[pivot]);
                if (i != pivot && (r >= f || r <= -f)) {
                    extreme = i;
                    direction = r >= 0.0 ? 1 : -1;
                }
                break;
            }
            const double r = change(inClose[i], inClose[extreme]);
            if (r * direction >= 0.0) {
                extreme = i;   // the wave extends (equal closes count)
                break;
            }
            if (!(r >= f || r <= -f))
                break;
            // A reversal by at least the filter: the extreme becomes a swing.
            head = (head + 1) % n;
            ring[head] = extreme;
            ++count;
            pivot = extreme;
            if (count >= n - 1) {
                // Pairs two apart among the latest 2W swings.
                sum = 0.0;
                for (int k = 0; k < 2 * waves - 2; ++k)
                    sum += swingRatio(inClose[ring[(head + 4 + k) % n]],
                                      inClose[ring[(head + 2 + k) % n]]);
                if (!started) {
                    started = true;
                    beg = i;
                } else {
                    // The bars since the new swing bar now belong to it.
                    for (int b = std::max(pivot + 1, beg); b < i; ++b)
                        outSTX[b - beg] = value(b);
                }
            }
            // Bar i is processed again with no running wave.
        }
    }
    if (started) {
        *outBegIdx = beg;
        *outNBElement = endIdx - beg + 1;
    }
    return TA_SUCCESS;
}
