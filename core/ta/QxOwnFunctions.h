#ifndef QX_OWN_FUNCTIONS_H
#define QX_OWN_FUNCTIONS_H

// Trendoria's own indicator functions, written in the TA library's function
// form so that QxTaFunctionSet offers them beside the library's functions:
//
//  - a computation (startIdx, endIdx, inputs indexed by bar, optional
//    parameters, outBegIdx, outNBElement, outputs) where output position j
//    holds the value of bar outBegIdx + j;
//  - a lookback (optional parameters) giving the number of bars before the
//    first output, or -1 for a parameter out of range.
//
// Conventions shared with the library: TA_INTEGER_DEFAULT / TA_REAL_DEFAULT
// select a parameter's default; result codes are TA_SUCCESS (0),
// TA_BAD_PARAM (2: null array or parameter out of range), TA_ALLOC_ERR (3),
// TA_OUT_OF_RANGE_START_INDEX (12), TA_OUT_OF_RANGE_END_INDEX (13) and
// TA_UNKNOWN_ERR (65535) for an internal failure. Checks run in the order
// startIdx, endIdx, input arrays, parameters, output arrays.
//
// Moving-average types are the library's (0 SMA ... 8 T3) but are passed as
// int: the default marker (INT_MIN) is not a value of the TA_MAType enum.
//
// Do not call these directly from indicator code; look functions up through
// QxTaFunctionSet.

#include <ta_libc.h>

// BOP: balance of power, (close - open) / (high - low) per bar (0 for a flat
// or inverted bar), smoothed by a moving average.
TA_RetCode QX_BOP(int startIdx, int endIdx, const double inOpen[], const double inHigh[],
                  const double inLow[], const double inClose[], int optInSmoothingPeriod,
                  int optInSmoothingMAType, int* outBegIdx, int* outNBElement, double outBOPHist[]);
int QX_BOP_Lookback(int optInSmoothingPeriod, int optInSmoothingMAType);

// STOCHRSI: slow stochastic of the RSI.
TA_RetCode QX_STOCHRSI(int startIdx, int endIdx, const double inReal[], int optInTimePeriod,
                       int optInFastK_Period, int optInSlowK_Period, int optInSlowK_MAType,
                       int optInSlowD_Period, int optInSlowD_MAType, int* outBegIdx,
                       int* outNBElement, double outSlowK[], double outSlowD[]);
int QX_STOCHRSI_Lookback(int optInTimePeriod, int optInFastK_Period, int optInSlowK_Period,
                         int optInSlowK_MAType, int optInSlowD_Period, int optInSlowD_MAType);

// NVI / PVI: volume indices starting at 100 on bar startIdx, following the
// close on bars whose volume fell (NVI) or rose (PVI).
TA_RetCode QX_NVI(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                  int* outBegIdx, int* outNBElement, double outReal[]);
int QX_NVI_Lookback();
TA_RetCode QX_PVI(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                  int* outBegIdx, int* outNBElement, double outReal[]);
int QX_PVI_Lookback();

// NVIMA / PVIMA: the volume index and its moving average, both aligned at
// the average's first bar.
TA_RetCode QX_NVIMA(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                    int optInTimePeriod, int optInMAType, int* outBegIdx, int* outNBElement,
                    double outNVI[], double outNVIMA[]);
int QX_NVIMA_Lookback(int optInTimePeriod, int optInMAType);
TA_RetCode QX_PVIMA(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                    int optInTimePeriod, int optInMAType, int* outBegIdx, int* outNBElement,
                    double outPVI[], double outPVIMA[]);
int QX_PVIMA_Lookback(int optInTimePeriod, int optInMAType);

// PVI_MACD: MACD (with controllable average types) of the positive volume
// index.
TA_RetCode QX_PVI_MACD(int startIdx, int endIdx, const double inClose[], const double inVolume[],
                       int optInFastPeriod, int optInFastMAType, int optInSlowPeriod,
                       int optInSlowMAType, int optInSignalPeriod, int optInSignalMAType,
                       int* outBegIdx, int* outNBElement, double outPVIMACD[],
                       double outPVIMACDSignal[], double outPVIMACDHist[]);
int QX_PVI_MACD_Lookback(int optInFastPeriod, int optInFastMAType, int optInSlowPeriod,
                         int optInSlowMAType, int optInSignalPeriod, int optInSignalMAType);

// RMO: Rahul Mohindar oscillator. With S, M, L the short, medium and long
// periods:
//   swing(t) = 100 * (close(t) - avg(t)) / (highest close - lowest close of
//              the 10 bars ending at t), 0 when that range is flat, where
//              avg(t) is the mean of ten nested simple averages of period S
//              (the first over the close, each further one over the previous)
//   outRMO       = EMA(swing, L)                   the oscillator itself
//   outRMOSignal = EMA(swing, M)                   the swing-trade line
//   outRMOOsc    = outRMOSignal - EMA(outRMOSignal, M)
//                  positive while the swing-trade line runs above its own
//                  average (the buy side), negative below it
// The averages are exponential with k = 2 / (period + 1), started at the
// first swing value; the bars of the lookback warm them up. High and low
// are part of the input but unused, as in the published formula.
TA_RetCode QX_RMO(int startIdx, int endIdx, const double inHigh[], const double inLow[],
                  const double inClose[], int optInShortTimePeriod, int optInMediumTimePeriod,
                  int optInLongTimePeriod, int* outBegIdx, int* outNBElement, double outRMO[],
                  double outRMOSignal[], double outRMOOsc[]);
int QX_RMO_Lookback(int optInShortTimePeriod, int optInMediumTimePeriod, int optInLongTimePeriod);

// STX: trend index over the swings of the close (a swing needs a reversal of
// at least the filter, in percent). Compares each of the last 2W swing points
// with the one two before it, plus the current close with the swing before
// the latest one. Open, high and low must be given but are not used.
TA_RetCode QX_STX(int startIdx, int endIdx, const double inOpen[], const double inHigh[],
                  const double inLow[], const double inClose[], double optRealFilter,
                  int optInNumWaves, int* outBegIdx, int* outNBElement, double outSTX[]);
int QX_STX_Lookback(double optRealFilter, int optInNumWaves);

#endif
