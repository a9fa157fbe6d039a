#ifndef QX_OWN_FUNCTION_TABLE_H
#define QX_OWN_FUNCTION_TABLE_H

// Description records of Trendoria's own indicator functions (QxOwnFunctions),
// in the TA library's record types, and the adapters through which
// QxTaFunctionSet calls them from a parameter holder. Internal to the
// function set.

#include <ta_libc.h>

#include <cstddef>

// Bound inputs, parameters and outputs of one call. Price inputs are spread
// out one array per field they carry (open, high, low, close, volume, open
// interest, in that order), each real input takes one.
struct QxOwnFunctionArgs
{
    static const unsigned kMaxInputs = 8;
    static const unsigned kMaxOptInputs = 8;
    static const unsigned kMaxOutputs = 4;

    const double* in[kMaxInputs] = {};
    int optInt[kMaxOptInputs] = {};
    double optReal[kMaxOptInputs] = {};
    double* out[kMaxOutputs] = {};
};

struct QxOwnFunctionDef
{
    const TA_FuncInfo* info;
    const TA_InputParameterInfo* const* inputs;
    const TA_OptInputParameterInfo* const* optInputs;
    const TA_OutputParameterInfo* const* outputs;
    TA_RetCode (*call)(const QxOwnFunctionArgs& args, int startIdx, int endIdx, int* outBegIdx,
                       int* outNBElement);
    int (*lookback)(const QxOwnFunctionArgs& args);
};

// The nine own functions: BOP, STOCHRSI, NVI, PVI, NVIMA, PVIMA, PVI_MACD,
// RMO, STX.
const QxOwnFunctionDef* qxOwnFunctionDefs(size_t* count);

#endif
