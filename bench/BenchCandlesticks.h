#pragma once
// Every candlestick-recognition function of the function set, for the
// pattern benchmark and the picture of a chart marked by all of them.
#include "core/ta/QxTaFunctionSet.h"

#include <vector>

namespace benchcandles {

inline std::vector<const TA_FuncInfo*> candlestickFunctions()
{
    std::vector<const TA_FuncInfo*> functions;
    TA_StringTable* names = nullptr;
    if (QxTaFunctionSet::funcTableAlloc("Pattern Recognition", &names) != TA_SUCCESS || !names)
        return functions;
    for (unsigned i = 0; i < names->size; ++i)
        if (const TA_FuncInfo* info = QxTaFunctionSet::findFunction(names->string[i]))
            functions.push_back(info);
    QxTaFunctionSet::funcTableFree(names);
    return functions;
}

} // namespace benchcandles
