#pragma once
// The indicator behind every entry of the indicator catalogue: one function
// of the indicator function set (QxTaFunctionSet), described by the
// function's own records. Name, group, inputs, parameters and outputs come
// from those records; outputs are computed with one call of the function
// over the bars all inputs cover. The registry keeps one prototype per
// function and everything else works on clones.
//
// The default graphics and the drawables' XML are defined with the chart
// model (chart/TaLibIndicatorGraphics.cpp), configure() with the dialogs
// (configdlg/TaLibIndicatorConfigure.cpp): both are part of the same
// library, and this folder includes neither.
#include "core/QxIndicator.h"

#include <ta_libc.h>

#include <memory>

class TaLibIndicator : public QxIndicator {
public:
    // The function's record is looked up once and kept; an unknown handle
    // gives an indicator with null name and group, which no registry takes.
    explicit TaLibIndicator(const TA_FuncHandle* handle);
    ~TaLibIndicator() override;

    QxIndicator* clone(unsigned flags) const override;
    QxAtom getName() const override { return m_name; }
    QxAtom getGroup() const override { return m_group; }
    wxString getDescription() const override { return m_description; }
    // Over the prices for overlap functions, following an indicator input
    // when one is assigned; in a zone of its own otherwise.
    int getPlacement() const override;
    const std::vector<uint32_t>& inputInfos() const override;
    const std::vector<QxParamInfo>& defaultParamInfos() const override;
    // The current values: the defaults until a value was set.
    const std::vector<QxParamInfo>& paramInfos() const override;
    // eInvalidIndex beyond the function's parameters, eTypeMismatch for a
    // value of another type than the parameter's; no range check.
    int setParam(unsigned index, const QxValue& value) override;
    const std::vector<QxAtom>& outputInfos() const override;
    // Always 0: a computation that fails or yields nothing leaves every
    // output empty (first after last).
    int compute(const std::vector<QxSeries>& inputs, std::vector<QxSeries>& outputs) override;
    // Fixed sets for BBANDS, ACCBANDS, ADX, RSI, SAR, SAREXT, STOCH and
    // STOCHF; one graphic per output, by its drawing hint and name, for the
    // rest.
    QxDrawableList createDefaultDrawables() override;
    const QxDrawableList& drawables(bool create) override;
    void setDrawables(const QxDrawableList& list) override;
    wxXmlNode* toXml(wxXmlNode* parent, unsigned flags) const override;
    int fromXml(const wxXmlNode* element) override;
    // Opens the indicator configuration dialog with the pages chosen by
    // flags; true when the user accepted (or there was nothing to ask).
    bool configure(unsigned flags) override;

    // The function's record; null for an unknown handle.
    const TA_FuncInfo* functionInfo() const { return m_function; }

    // Inputs, default parameters and outputs of the function.
    struct FunctionLists;

private:
    // Copies what names the function; parameters, drawables and inputs are
    // left for clone() to carry.
    TaLibIndicator(const TaLibIndicator& other);

    void takeParams() const;
    const FunctionLists& lists() const;
    // Bars [s, e] of the inputs bound into one call of the function; false
    // when the window is empty or the function would not run.
    bool callFunction(const std::vector<QxSeries>& inputs, int32_t s, int32_t e,
                      std::vector<QxSeries>& outputs) const;
    // The directional lines that accompany ADX, computed over the same window.
    void computeDirectional(const std::vector<QxSeries>& inputs, int32_t s, int32_t e,
                            std::vector<QxSeries>& outputs) const;

    // "Drawables" under element, in list order, each with its "Index".
    void drawablesToXml(wxXmlNode* element) const;
    // The drawables in their XML form, to tell whether any changed.
    wxString drawablesText() const;
    // Replaces the drawables with those read from element's "Drawables",
    // when it holds any usable one.
    int drawablesFromXml(const wxXmlNode* element);

    QxAtom m_name;
    QxAtom m_group;
    wxString m_description;
    const TA_FuncInfo* m_function = nullptr; // owned by the function set
    // Read from the function's record once, shared by the clones.
    std::shared_ptr<const FunctionLists> m_lists;
    mutable std::vector<QxParamInfo> m_params;
    mutable bool m_paramsTaken = false;
    QxDrawableList m_drawables;
};
