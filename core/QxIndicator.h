#pragma once
// The abstract base of every technical indicator: a named computation with
// parameters, inputs, outputs and the drawables that paint its outputs. The
// base keeps the assignment of input series and does what works on any
// indicator: display name, equivalence, drawable set-up, breaking the cycle
// between an indicator and its drawables, the XML list form and re-creation
// from XML through the indicator registry.
#include "core/QxAtom.h"
#include "core/QxDataInfo.h"
#include "core/QxObject.h"
#include "core/QxSeries.h"
#include "core/QxSeriesId.h"
#include "core/QxValue.h"

#include <wx/string.h>

#include <cstdint>
#include <map>
#include <vector>

class QxCalculator;
class QxDrawable; // chart/QxDrawable.h, for code that uses the drawables
class QxIndicatorLinks;
class wxXmlNode;

using QxDrawableList = std::vector<QxObjectSmartPtr<QxDrawable>>;

class QxIndicator : public QxObject {
public:
    // Flags of clone().
    enum CloneFlags : unsigned {
        eCloneParams = 1,    // parameter values
        eCloneDrawables = 2, // the drawables, as clones
        eCloneInputs = 4,    // the input assignment over a private copy of the input graph
    };
    // Flags of toXml().
    enum XmlFlags : unsigned {
        eXmlParams = 1,
        eXmlDrawables = 2,
    };
    // Where a chart puts the indicator (getPlacement()).
    enum Placement : int {
        ePlaceOverPrice = 1,
        ePlaceOverVolume = 2,
        ePlaceOwnZone = 3,
    };

    ~QxIndicator() override;

    // A new indicator of the same class, name and defaults; nobody holds a
    // reference on it yet.
    virtual QxIndicator* clone(unsigned flags) const = 0;
    virtual QxAtom getName() const = 0;
    virtual QxAtom getGroup() const = 0;
    virtual wxString getDescription() const = 0;
    virtual int getPlacement() const = 0;
    // One series kind per input array of the computation: a price field, or
    // QxSeriesId::eSeriesIndicator for an input that takes an assigned series.
    virtual const std::vector<uint32_t>& inputInfos() const = 0;
    virtual const std::vector<QxParamInfo>& defaultParamInfos() const = 0;
    virtual const std::vector<QxParamInfo>& paramInfos() const = 0;
    virtual int setParam(unsigned index, const QxValue& value) = 0;
    virtual const std::vector<QxAtom>& outputInfos() const = 0;
    // Computes every output from one input per entry of inputInfos() into
    // arrays the caller provides, setting first, last and base of each
    // output; a computation that yields nothing leaves outputs empty.
    virtual int compute(const std::vector<QxSeries>& inputs, std::vector<QxSeries>& outputs) = 0;
    // A new list of drawables for the outputs; empty in the base.
    virtual QxDrawableList createDefaultDrawables();
    // With create true an empty list is first filled from createDefaultDrawables().
    virtual const QxDrawableList& drawables(bool create) = 0;
    virtual void setDrawables(const QxDrawableList& list) = 0;
    // Appends the indicator's element (named by getName()) to parent.
    virtual wxXmlNode* toXml(wxXmlNode* parent, unsigned flags) const = 0;
    virtual int fromXml(const wxXmlNode* element) = 0;
    // Lets the user edit the indicator; true when accepted. The base accepts
    // without asking.
    virtual bool configure(unsigned flags);

    // "SMA(30)[Close]": name, parameters, and the first assigned input that
    // has a text.
    wxString getDisplayName() const;
    // Whether both would compute the same outputs: same name, equal
    // parameters, and no difference in the first indicator-kind input.
    bool isEquivalent(const QxIndicator* other) const;
    // Hands the calculator to every drawable; the first failure ends it.
    int setupDrawables(QxCalculator* calculator);
    // eInvalidIndex beyond the inputs, eInvalidInput when id leads back to
    // this indicator (a cycle); otherwise stores a copy of id.
    int setInputSeries(unsigned index, const QxSeriesId& id);
    // The assigned series of an input, or the null id.
    const QxSeriesId& getInputSeries(unsigned index) const;

    // Writes the indicators as children of parent, each marked with its
    // position as "Index" and with its inputs; list order is kept in the
    // document. links holds the indicators of the whole document when it
    // has more than this list (a chart's zones).
    static int toXml(const std::vector<QxObjectSmartPtr<QxIndicator>>& list, wxXmlNode* parent,
                     const QxIndicatorLinks* links = nullptr);
    // Appends the indicators found under parent in "Index" order, and to
    // elements, when given, the element each was read from;
    // eInconsistentData (nothing appended) when an index repeats or an
    // indicator's element is damaged. Given leftOut, it keeps what can be
    // read instead (both of a repeated index, in document order), counts the
    // elements it could not use there and returns the first failure's code.
    static int fromXml(const wxXmlNode* parent, std::vector<QxObjectSmartPtr<QxIndicator>>& list,
                       std::vector<const wxXmlNode*>* elements = nullptr, unsigned* leftOut = nullptr);
    // Clones the registered prototype named by the element and lets it read
    // the element and the inputs it states as series ids; null when no
    // prototype has that name, and null with the reader's code in rc when
    // the element is damaged.
    static QxIndicator* createFromXml(const wxXmlNode* element, int* rc = nullptr);

protected:
    QxIndicator() = default;
    // Copies nothing of the input assignment: clone() decides what to carry.
    QxIndicator(const QxIndicator& other);
    QxIndicator& operator=(const QxIndicator&) = delete;

    // Frees the indicator when only its own graphics still refer to it.
    void teardown() override;

    // For clone() with eCloneInputs: gives target this indicator's input
    // assignment, each indicator output re-pointed to the same output of a
    // private clone of its indicator (one clone per source indicator).
    void copyInputsTo(QxIndicator& target) const;

private:
    std::map<unsigned, QxSeriesId> m_inputs;
};
