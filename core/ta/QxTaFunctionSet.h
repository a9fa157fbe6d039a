#ifndef QX_TA_FUNCTION_SET_H
#define QX_TA_FUNCTION_SET_H

// Trendoria's indicator function set: the TA library's functions as this
// program presents them, plus its own functions. All code that lists, looks
// up, describes or calls indicator functions goes through this class and
// never through the library's abstract interface directly.
//
// The operations mirror the library's abstract interface (same records,
// same result codes, same call sequence: look up a handle, allocate a
// parameter holder, bind inputs, optional inputs and outputs, call). The set
// differs from the library's:
//  - every output is a series of doubles: integer outputs (candlestick
//    patterns: 100, -100 or 0, the library's graded 80 and 200 included;
//    HT_TRENDMODE: 1 or 0) are described as real outputs and converted
//    after the call;
//  - BBANDS' default period is 20;
//  - MAXINDEX, MININDEX, MINMAXINDEX, AVGDEV and IMI do not exist;
//  - BOP and STOCHRSI are Trendoria's own versions, and NVI, PVI, NVIMA,
//    PVIMA, PVI_MACD, RMO and STX are added (see QxOwnFunctions.h), each
//    listed in its group in alphabetical order.
//
// Handles and records stay valid for the life of the process. Once the
// tables are built (a thread-safe one-time construction), lookups, holders
// and calls only read them: the idea finder's worker computes with them
// beside the GUI thread. Each holder belongs to one thread.

#include <ta_libc.h>

// Inputs, optional inputs and outputs bound for one function call.
class QxTaParamHolder;

class QxTaFunctionSet
{
public:
    // Initialises the library and builds the tables; later calls do
    // nothing. Every other operation initialises on first use as well.
    static TA_RetCode initialize();

    // Group names in the library's order ("Math Operators", ...,
    // "Price Transform"). Free the table with groupTableFree.
    static TA_RetCode groupTableAlloc(TA_StringTable** table);
    static TA_RetCode groupTableFree(TA_StringTable* table);

    // Function names of one group, alphabetical. TA_GROUP_NOT_FOUND for an
    // unknown group. Free the table with funcTableFree.
    static TA_RetCode funcTableAlloc(const char* group, TA_StringTable** table);
    static TA_RetCode funcTableFree(TA_StringTable* table);

    // Handle of a function by its exact name; TA_FUNC_NOT_FOUND (null
    // handle) for a name the set does not hold.
    static TA_RetCode getFuncHandle(const char* name, const TA_FuncHandle** handle);
    // The function's record by name, or null.
    static const TA_FuncInfo* findFunction(const char* name);

    // Description records. TA_INVALID_HANDLE for a handle the set does not
    // hold, TA_BAD_PARAM for an index out of range or a null result pointer.
    static TA_RetCode getFuncInfo(const TA_FuncHandle* handle, const TA_FuncInfo** info);
    static TA_RetCode getInputParameterInfo(const TA_FuncHandle* handle, unsigned int index,
                                            const TA_InputParameterInfo** info);
    static TA_RetCode getOptInputParameterInfo(const TA_FuncHandle* handle, unsigned int index,
                                               const TA_OptInputParameterInfo** info);
    static TA_RetCode getOutputParameterInfo(const TA_FuncHandle* handle, unsigned int index,
                                             const TA_OutputParameterInfo** info);

    // Parameter holders. A new holder has every optional input at its
    // default; inputs and outputs must all be bound before callFunc.
    static TA_RetCode paramHolderAlloc(const TA_FuncHandle* handle, QxTaParamHolder** holder);
    static TA_RetCode paramHolderFree(QxTaParamHolder* holder);

    static TA_RetCode setInputParamRealPtr(QxTaParamHolder* holder, unsigned int index,
                                           const TA_Real* values);
    // Fields the input does not carry may be null; those it carries may not.
    static TA_RetCode setInputParamPricePtr(QxTaParamHolder* holder, unsigned int index,
                                            const TA_Real* open, const TA_Real* high,
                                            const TA_Real* low, const TA_Real* close,
                                            const TA_Real* volume, const TA_Real* openInterest);
    // TA_INTEGER_DEFAULT / TA_REAL_DEFAULT select the set's default.
    static TA_RetCode setOptInputParamInteger(QxTaParamHolder* holder, unsigned int index,
                                              TA_Integer value);
    static TA_RetCode setOptInputParamReal(QxTaParamHolder* holder, unsigned int index,
                                           TA_Real value);
    // The array must hold endIdx - startIdx + 1 values.
    static TA_RetCode setOutputParamRealPtr(QxTaParamHolder* holder, unsigned int index,
                                            TA_Real* values);

    static TA_RetCode getLookback(const QxTaParamHolder* holder, TA_Integer* lookback);
    // Computes from startIdx to endIdx; output position j holds the value of
    // index outBegIdx + j.
    static TA_RetCode callFunc(QxTaParamHolder* holder, TA_Integer startIdx, TA_Integer endIdx,
                               TA_Integer* outBegIdx, TA_Integer* outNBElement);

    // Direct calls: the directional indicators that accompany ADX.
    static TA_RetCode plusDI(int startIdx, int endIdx, const double inHigh[], const double inLow[],
                             const double inClose[], int optInTimePeriod, int* outBegIdx,
                             int* outNBElement, double outReal[]);
    static int plusDILookback(int optInTimePeriod);
    static TA_RetCode minusDI(int startIdx, int endIdx, const double inHigh[],
                              const double inLow[], const double inClose[], int optInTimePeriod,
                              int* outBegIdx, int* outNBElement, double outReal[]);
    static int minusDILookback(int optInTimePeriod);
};

#endif
