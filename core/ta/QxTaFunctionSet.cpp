#include "core/ta/QxTaFunctionSet.h"

#include "core/ta/QxOwnFunctionTable.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

namespace
{

// Library functions this program does without.
const char* const kAbsent[] = {"MAXINDEX", "MININDEX", "MINMAXINDEX", "AVGDEV", "IMI"};

// One function of the set: a library function (lib set, records partly
// replaced) or an own one (own set).
struct Entry
{
    const TA_FuncInfo* info = nullptr;
    const QxOwnFunctionDef* own = nullptr;
    std::vector<const TA_OptInputParameterInfo*> optInputs;
    std::vector<const TA_OutputParameterInfo*> outputs;
    // Library functions only: optional inputs whose default differs from the
    // library's, and outputs the library writes as integers.
    std::vector<bool> changedDefault;
    std::vector<bool> integerOutput;
    bool anyIntegerOutput = false;
};

struct Registry
{
    TA_RetCode status = TA_SUCCESS;
    std::vector<const char*> groups;
    std::vector<std::vector<const char*>> functions;   // per group, alphabetical
    std::map<std::string, Entry> byName;
    std::unordered_map<const TA_FuncHandle*, const Entry*> byHandle;
    // Replacement records (stable addresses).
    std::deque<TA_OptInputParameterInfo> optCopies;
    std::deque<TA_OutputParameterInfo> outputCopies;
};

bool isAbsent(const char* name)
{
    for (const char* absent : kAbsent)
        if (std::strcmp(name, absent) == 0)
            return true;
    return false;
}

bool isOwnName(const char* name)
{
    size_t count = 0;
    const QxOwnFunctionDef* defs = qxOwnFunctionDefs(&count);
    for (size_t i = 0; i < count; ++i)
        if (std::strcmp(defs[i].info->name, name) == 0)
            return true;
    return false;
}

// Describes a library function as this set presents it.
TA_RetCode addLibraryFunction(Registry& reg, const char* name, std::vector<const char*>& list)
{
    const TA_FuncHandle* handle = nullptr;
    const TA_FuncInfo* info = nullptr;
    TA_RetCode rc = TA_GetFuncHandle(name, &handle);
    if (rc == TA_SUCCESS)
        rc = TA_GetFuncInfo(handle, &info);
    if (rc != TA_SUCCESS)
        return rc;

    Entry entry;
    entry.info = info;
    for (unsigned i = 0; i < info->nbOptInput; ++i) {
        const TA_OptInputParameterInfo* opt = nullptr;
        if ((rc = TA_GetOptInputParameterInfo(handle, i, &opt)) != TA_SUCCESS)
            return rc;
        bool changed = false;
        if (std::strcmp(name, "BBANDS") == 0 && std::strcmp(opt->paramName, "optInTimePeriod") == 0) {
            reg.optCopies.push_back(*opt);
            reg.optCopies.back().defaultValue = 20;
            opt = &reg.optCopies.back();
            changed = true;
        }
        entry.optInputs.push_back(opt);
        entry.changedDefault.push_back(changed);
    }
    for (unsigned i = 0; i < info->nbOutput; ++i) {
        const TA_OutputParameterInfo* out = nullptr;
        if ((rc = TA_GetOutputParameterInfo(handle, i, &out)) != TA_SUCCESS)
            return rc;
        const bool integer = out->type == TA_Output_Integer;
        if (integer) {
            reg.outputCopies.push_back(*out);
            reg.outputCopies.back().type = TA_Output_Real;
            out = &reg.outputCopies.back();
            entry.anyIntegerOutput = true;
        }
        entry.outputs.push_back(out);
        entry.integerOutput.push_back(integer);
    }
    const Entry& stored = reg.byName.emplace(info->name, std::move(entry)).first->second;
    reg.byHandle[handle] = &stored;
    list.push_back(info->name);
    return TA_SUCCESS;
}

void addOwnFunction(Registry& reg, const QxOwnFunctionDef& def)
{
    const TA_FuncInfo* info = def.info;
    auto group = std::find_if(reg.groups.begin(), reg.groups.end(),
                              [&](const char* g) { return std::strcmp(g, info->group) == 0; });
    if (group == reg.groups.end())
        return;   // cannot happen with the library's group names
    Entry entry;
    entry.info = info;
    entry.own = &def;
    entry.optInputs.assign(def.optInputs, def.optInputs + info->nbOptInput);
    entry.outputs.assign(def.outputs, def.outputs + info->nbOutput);
    entry.changedDefault.assign(info->nbOptInput, false);
    entry.integerOutput.assign(info->nbOutput, false);
    const Entry& stored = reg.byName.emplace(info->name, std::move(entry)).first->second;
    reg.byHandle[info->handle] = &stored;

    auto& list = reg.functions[static_cast<size_t>(group - reg.groups.begin())];
    auto at = std::find_if(list.begin(), list.end(),
                           [&](const char* n) { return std::strcmp(n, info->name) > 0; });
    list.insert(at, info->name);
}

TA_RetCode build(Registry& reg)
{
    TA_RetCode rc = TA_Initialize();
    if (rc != TA_SUCCESS)
        return rc;
    TA_StringTable* groups = nullptr;
    if ((rc = TA_GroupTableAlloc(&groups)) != TA_SUCCESS)
        return rc;
    for (unsigned g = 0; g < groups->size && rc == TA_SUCCESS; ++g) {
        reg.groups.push_back(groups->string[g]);
        reg.functions.emplace_back();
        TA_StringTable* names = nullptr;
        if ((rc = TA_FuncTableAlloc(groups->string[g], &names)) != TA_SUCCESS)
            break;
        for (unsigned f = 0; f < names->size && rc == TA_SUCCESS; ++f) {
            const char* name = names->string[f];
            if (!isAbsent(name) && !isOwnName(name))
                rc = addLibraryFunction(reg, name, reg.functions.back());
        }
        TA_FuncTableFree(names);
    }
    TA_GroupTableFree(groups);
    if (rc != TA_SUCCESS)
        return rc;

    size_t count = 0;
    const QxOwnFunctionDef* defs = qxOwnFunctionDefs(&count);
    for (size_t i = 0; i < count; ++i)
        addOwnFunction(reg, defs[i]);
    return TA_SUCCESS;
}

Registry& registry()
{
    // Built in place: entries point into each other.
    static Registry reg;
    static const bool built = (reg.status = build(reg), true);
    (void)built;
    return reg;
}

const Entry* entryOf(const TA_FuncHandle* handle)
{
    if (!handle)
        return nullptr;
    const Registry& reg = registry();
    auto it = reg.byHandle.find(handle);
    return it == reg.byHandle.end() ? nullptr : it->second;
}

// String tables handed out: the tag tells group tables from function tables.
const char kGroupTableTag = 'G';
const char kFuncTableTag = 'F';

TA_RetCode allocTable(const std::vector<const char*>& strings, const char* tag,
                      TA_StringTable** table)
{
    auto* t = new (std::nothrow) TA_StringTable;
    if (!t) {
        *table = nullptr;
        return TA_ALLOC_ERR;
    }
    t->size = static_cast<unsigned>(strings.size());
    t->string = const_cast<const char**>(strings.data());
    t->hiddenData = const_cast<char*>(tag);
    *table = t;
    return TA_SUCCESS;
}

TA_RetCode freeTable(TA_StringTable* table, const char* tag)
{
    if (!table)
        return TA_SUCCESS;
    if (table->hiddenData != tag)
        return TA_BAD_OBJECT;
    delete table;
    return TA_SUCCESS;
}

unsigned fieldCount(const TA_InputParameterInfo* input)
{
    if (input->type != TA_Input_Price)
        return 1;
    unsigned n = 0;
    for (int flag = TA_IN_PRICE_OPEN; flag <= TA_IN_PRICE_OPENINTEREST; flag <<= 1)
        if (input->flags & flag)
            ++n;
    return n;
}

} // namespace

class QxTaParamHolder
{
public:
    const Entry* entry = nullptr;

    // Library functions.
    TA_ParamHolder* lib = nullptr;
    std::vector<TA_Real*> integerTargets;              // per output; null when not integer
    std::vector<std::vector<TA_Integer>> integerBuffers;

    // Own functions.
    QxOwnFunctionArgs args;
    std::vector<unsigned> inputSlot;   // first args.in slot of each input
    unsigned inputsMissing = 0;
    unsigned outputsMissing = 0;
};

TA_RetCode QxTaFunctionSet::initialize()
{
    return registry().status;
}

TA_RetCode QxTaFunctionSet::groupTableAlloc(TA_StringTable** table)
{
    if (!table)
        return TA_BAD_PARAM;
    *table = nullptr;
    const Registry& reg = registry();
    if (reg.status != TA_SUCCESS)
        return reg.status;
    return allocTable(reg.groups, &kGroupTableTag, table);
}

TA_RetCode QxTaFunctionSet::groupTableFree(TA_StringTable* table)
{
    return freeTable(table, &kGroupTableTag);
}

TA_RetCode QxTaFunctionSet::funcTableAlloc(const char* group, TA_StringTable** table)
{
    if (!group || !table)
        return TA_BAD_PARAM;
    *table = nullptr;
    const Registry& reg = registry();
    if (reg.status != TA_SUCCESS)
        return reg.status;
    for (size_t g = 0; g < reg.groups.size(); ++g)
        if (std::strcmp(reg.groups[g], group) == 0)
            return allocTable(reg.functions[g], &kFuncTableTag, table);
    return TA_GROUP_NOT_FOUND;
}

TA_RetCode QxTaFunctionSet::funcTableFree(TA_StringTable* table)
{
    return freeTable(table, &kFuncTableTag);
}

TA_RetCode QxTaFunctionSet::getFuncHandle(const char* name, const TA_FuncHandle** handle)
{
    if (!name || !handle)
        return TA_BAD_PARAM;
    *handle = nullptr;
    const TA_FuncInfo* info = findFunction(name);
    if (!info)
        return registry().status != TA_SUCCESS ? registry().status : TA_FUNC_NOT_FOUND;
    *handle = info->handle;
    return TA_SUCCESS;
}

const TA_FuncInfo* QxTaFunctionSet::findFunction(const char* name)
{
    if (!name)
        return nullptr;
    const Registry& reg = registry();
    auto it = reg.byName.find(name);
    return it == reg.byName.end() ? nullptr : it->second.info;
}

TA_RetCode QxTaFunctionSet::getFuncInfo(const TA_FuncHandle* handle, const TA_FuncInfo** info)
{
    if (!info)
        return TA_BAD_PARAM;
    const Entry* entry = entryOf(handle);
    if (!entry)
        return TA_INVALID_HANDLE;
    *info = entry->info;
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::getInputParameterInfo(const TA_FuncHandle* handle, unsigned int index,
                                                  const TA_InputParameterInfo** info)
{
    if (!info)
        return TA_BAD_PARAM;
    const Entry* entry = entryOf(handle);
    if (!entry)
        return TA_INVALID_HANDLE;
    if (index >= entry->info->nbInput)
        return TA_BAD_PARAM;
    if (entry->own) {
        *info = entry->own->inputs[index];
        return TA_SUCCESS;
    }
    return TA_GetInputParameterInfo(handle, index, info);
}

TA_RetCode QxTaFunctionSet::getOptInputParameterInfo(const TA_FuncHandle* handle,
                                                     unsigned int index,
                                                     const TA_OptInputParameterInfo** info)
{
    if (!info)
        return TA_BAD_PARAM;
    const Entry* entry = entryOf(handle);
    if (!entry)
        return TA_INVALID_HANDLE;
    if (index >= entry->optInputs.size())
        return TA_BAD_PARAM;
    *info = entry->optInputs[index];
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::getOutputParameterInfo(const TA_FuncHandle* handle, unsigned int index,
                                                   const TA_OutputParameterInfo** info)
{
    if (!info)
        return TA_BAD_PARAM;
    const Entry* entry = entryOf(handle);
    if (!entry)
        return TA_INVALID_HANDLE;
    if (index >= entry->outputs.size())
        return TA_BAD_PARAM;
    *info = entry->outputs[index];
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::paramHolderAlloc(const TA_FuncHandle* handle, QxTaParamHolder** holder)
{
    if (!holder)
        return TA_BAD_PARAM;
    *holder = nullptr;
    const Entry* entry = entryOf(handle);
    if (!entry)
        return TA_INVALID_HANDLE;

    auto* h = new (std::nothrow) QxTaParamHolder;
    if (!h)
        return TA_ALLOC_ERR;
    h->entry = entry;
    const TA_FuncInfo* info = entry->info;

    if (!entry->own) {
        TA_RetCode rc = TA_ParamHolderAlloc(handle, &h->lib);
        for (unsigned i = 0; rc == TA_SUCCESS && i < info->nbOptInput; ++i) {
            if (!entry->changedDefault[i])
                continue;
            const TA_OptInputParameterInfo* opt = entry->optInputs[i];
            rc = opt->type == TA_OptInput_RealRange || opt->type == TA_OptInput_RealList
                     ? TA_SetOptInputParamReal(h->lib, i, opt->defaultValue)
                     : TA_SetOptInputParamInteger(h->lib, i, static_cast<TA_Integer>(opt->defaultValue));
        }
        if (rc != TA_SUCCESS) {
            paramHolderFree(h);
            return rc;
        }
        h->integerTargets.assign(info->nbOutput, nullptr);
        h->integerBuffers.resize(info->nbOutput);
        *holder = h;
        return TA_SUCCESS;
    }

    // Own function: slots for the input arrays, defaults for the optional
    // inputs, every input and output still to be bound.
    unsigned slot = 0;
    for (unsigned i = 0; i < info->nbInput; ++i) {
        h->inputSlot.push_back(slot);
        slot += fieldCount(entry->own->inputs[i]);
    }
    for (unsigned i = 0; i < info->nbOptInput; ++i) {
        const TA_OptInputParameterInfo* opt = entry->optInputs[i];
        h->args.optReal[i] = opt->defaultValue;
        h->args.optInt[i] = static_cast<int>(opt->defaultValue);
    }
    h->inputsMissing = (1u << info->nbInput) - 1;
    h->outputsMissing = (1u << info->nbOutput) - 1;
    *holder = h;
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::paramHolderFree(QxTaParamHolder* holder)
{
    if (!holder)
        return TA_SUCCESS;
    TA_RetCode rc = TA_SUCCESS;
    if (holder->lib)
        rc = TA_ParamHolderFree(holder->lib);
    delete holder;
    return rc;
}

TA_RetCode QxTaFunctionSet::setInputParamRealPtr(QxTaParamHolder* holder, unsigned int index,
                                                 const TA_Real* values)
{
    if (!holder || !values)
        return TA_BAD_PARAM;
    if (holder->lib)
        return TA_SetInputParamRealPtr(holder->lib, index, values);
    const QxOwnFunctionDef* own = holder->entry->own;
    if (index >= own->info->nbInput)
        return TA_BAD_PARAM;
    if (own->inputs[index]->type != TA_Input_Real)
        return TA_INVALID_PARAM_HOLDER_TYPE;
    holder->args.in[holder->inputSlot[index]] = values;
    holder->inputsMissing &= ~(1u << index);
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::setInputParamPricePtr(QxTaParamHolder* holder, unsigned int index,
                                                  const TA_Real* open, const TA_Real* high,
                                                  const TA_Real* low, const TA_Real* close,
                                                  const TA_Real* volume,
                                                  const TA_Real* openInterest)
{
    if (!holder)
        return TA_BAD_PARAM;
    if (holder->lib)
        return TA_SetInputParamPricePtr(holder->lib, index, open, high, low, close, volume,
                                        openInterest);
    const QxOwnFunctionDef* own = holder->entry->own;
    if (index >= own->info->nbInput)
        return TA_BAD_PARAM;
    const TA_InputParameterInfo* input = own->inputs[index];
    if (input->type != TA_Input_Price)
        return TA_INVALID_PARAM_HOLDER_TYPE;
    const TA_Real* fields[] = {open, high, low, close, volume, openInterest};
    const TA_Real* bound[6] = {};
    unsigned n = 0;
    for (unsigned f = 0; f < 6; ++f) {
        if (!(input->flags & (TA_IN_PRICE_OPEN << f)))
            continue;
        if (!fields[f])
            return TA_BAD_PARAM;   // nothing bound
        bound[n++] = fields[f];
    }
    std::copy(bound, bound + n, holder->args.in + holder->inputSlot[index]);
    holder->inputsMissing &= ~(1u << index);
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::setOptInputParamInteger(QxTaParamHolder* holder, unsigned int index,
                                                    TA_Integer value)
{
    if (!holder)
        return TA_BAD_PARAM;
    const Entry* entry = holder->entry;
    if (index >= entry->optInputs.size())
        return TA_BAD_PARAM;
    const TA_OptInputParameterInfo* opt = entry->optInputs[index];
    if (opt->type != TA_OptInput_IntegerRange && opt->type != TA_OptInput_IntegerList)
        return TA_INVALID_PARAM_HOLDER_TYPE;
    if (value == TA_INTEGER_DEFAULT)
        value = static_cast<TA_Integer>(opt->defaultValue);   // this set's default, not the library's
    if (holder->lib)
        return TA_SetOptInputParamInteger(holder->lib, index, value);
    holder->args.optInt[index] = value;
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::setOptInputParamReal(QxTaParamHolder* holder, unsigned int index,
                                                 TA_Real value)
{
    if (!holder)
        return TA_BAD_PARAM;
    const Entry* entry = holder->entry;
    if (index >= entry->optInputs.size())
        return TA_BAD_PARAM;
    const TA_OptInputParameterInfo* opt = entry->optInputs[index];
    if (opt->type != TA_OptInput_RealRange && opt->type != TA_OptInput_RealList)
        return TA_INVALID_PARAM_HOLDER_TYPE;
    if (value == TA_REAL_DEFAULT)
        value = opt->defaultValue;
    if (holder->lib)
        return TA_SetOptInputParamReal(holder->lib, index, value);
    holder->args.optReal[index] = value;
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::setOutputParamRealPtr(QxTaParamHolder* holder, unsigned int index,
                                                  TA_Real* values)
{
    if (!holder || !values)
        return TA_BAD_PARAM;
    const Entry* entry = holder->entry;
    if (index >= entry->outputs.size())
        return TA_BAD_PARAM;
    if (holder->lib) {
        if (!entry->integerOutput[index])
            return TA_SetOutputParamRealPtr(holder->lib, index, values);
        holder->integerTargets[index] = values;   // bound to a buffer at the call
        return TA_SUCCESS;
    }
    holder->args.out[index] = values;
    holder->outputsMissing &= ~(1u << index);
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::getLookback(const QxTaParamHolder* holder, TA_Integer* lookback)
{
    if (!holder || !lookback)
        return TA_BAD_PARAM;
    if (holder->lib)
        return TA_GetLookback(holder->lib, lookback);
    *lookback = holder->entry->own->lookback(holder->args);
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::callFunc(QxTaParamHolder* holder, TA_Integer startIdx,
                                     TA_Integer endIdx, TA_Integer* outBegIdx,
                                     TA_Integer* outNBElement)
{
    if (!holder || !outBegIdx || !outNBElement)
        return TA_BAD_PARAM;
    const Entry* entry = holder->entry;

    if (entry->own) {
        if (holder->inputsMissing)
            return TA_INPUT_NOT_ALL_INITIALIZE;
        if (holder->outputsMissing)
            return TA_OUTPUT_NOT_ALL_INITIALIZE;
        return entry->own->call(holder->args, startIdx, endIdx, outBegIdx, outNBElement);
    }

    if (!entry->anyIntegerOutput)
        return TA_CallFunc(holder->lib, startIdx, endIdx, outBegIdx, outNBElement);

    // Integer outputs: the library writes into buffers of ours, converted to
    // the caller's doubles afterwards. Bad indices are left to the library
    // to report.
    const size_t n = startIdx >= 0 && endIdx >= startIdx ? static_cast<size_t>(endIdx - startIdx) + 1 : 1;
    TA_RetCode rc = TA_SUCCESS;
    for (unsigned k = 0; k < entry->outputs.size(); ++k) {
        if (!entry->integerOutput[k] || !holder->integerTargets[k])
            continue;   // unbound outputs are reported by the library
        auto& buffer = holder->integerBuffers[k];
        try {
            buffer.resize(n);
        } catch (const std::bad_alloc&) {
            return TA_ALLOC_ERR;
        }
        if ((rc = TA_SetOutputParamIntegerPtr(holder->lib, k, buffer.data())) != TA_SUCCESS)
            return rc;
    }
    rc = TA_CallFunc(holder->lib, startIdx, endIdx, outBegIdx, outNBElement);
    if (rc != TA_SUCCESS)
        return rc;
    // Candlestick patterns report their direction only: the library grades
    // a few of them (80 for a partial engulfing, 200 for a confirmed
    // hikkake), callers expect 100, -100 or 0.
    const bool pattern = (entry->info->flags & TA_FUNC_FLG_CANDLESTICK) != 0;
    for (unsigned k = 0; k < entry->outputs.size(); ++k) {
        if (!entry->integerOutput[k])
            continue;
        const auto& buffer = holder->integerBuffers[k];
        TA_Real* target = holder->integerTargets[k];
        for (TA_Integer j = 0; j < *outNBElement; ++j) {
            const TA_Integer v = buffer[static_cast<size_t>(j)];
            target[j] = pattern ? (v > 0 ? 100.0 : v < 0 ? -100.0 : 0.0) : v;
        }
    }
    return TA_SUCCESS;
}

TA_RetCode QxTaFunctionSet::plusDI(int startIdx, int endIdx, const double inHigh[],
                                   const double inLow[], const double inClose[],
                                   int optInTimePeriod, int* outBegIdx, int* outNBElement,
                                   double outReal[])
{
    return TA_PLUS_DI(startIdx, endIdx, inHigh, inLow, inClose, optInTimePeriod, outBegIdx,
                      outNBElement, outReal);
}

int QxTaFunctionSet::plusDILookback(int optInTimePeriod)
{
    return TA_PLUS_DI_Lookback(optInTimePeriod);
}

TA_RetCode QxTaFunctionSet::minusDI(int startIdx, int endIdx, const double inHigh[],
                                    const double inLow[], const double inClose[],
                                    int optInTimePeriod, int* outBegIdx, int* outNBElement,
                                    double outReal[])
{
    return TA_MINUS_DI(startIdx, endIdx, inHigh, inLow, inClose, optInTimePeriod, outBegIdx,
                       outNBElement, outReal);
}

int QxTaFunctionSet::minusDILookback(int optInTimePeriod)
{
    return TA_MINUS_DI_Lookback(optInTimePeriod);
}
