#pragma once
// The built-in indicator that carries a chart's price graphic ("PRICE"):
// computes nothing, has no parameters or outputs and is never written to
// templates or chart files; zones, legends and hit tests treat it like any
// other indicator.
#include "core/QxIndicator.h"

class QxPriceObj;

class QxPrice : public QxIndicator {
public:
    QxPrice();
    ~QxPrice() override;

    QxIndicator* clone(unsigned flags) const override;
    QxAtom getName() const override;
    QxAtom getGroup() const override;
    wxString getDescription() const override;
    int getPlacement() const override;
    // Open, high, low, close, volume and open interest.
    const std::vector<uint32_t>& inputInfos() const override;
    const std::vector<QxParamInfo>& defaultParamInfos() const override;
    const std::vector<QxParamInfo>& paramInfos() const override;
    int setParam(unsigned index, const QxValue& value) override;
    const std::vector<QxAtom>& outputInfos() const override;
    int compute(const std::vector<QxSeries>& inputs, std::vector<QxSeries>& outputs) override;
    // The price graphic alone, whatever the flag.
    const QxDrawableList& drawables(bool create) override;
    void setDrawables(const QxDrawableList& list) override;
    wxXmlNode* toXml(wxXmlNode* parent, unsigned flags) const override;
    int fromXml(const wxXmlNode* element) override;

    QxPriceObj* priceObj() const { return m_graphic.get(); }

private:
    QxPrice(const QxPrice& other);

    QxObjectSmartPtr<QxPriceObj> m_graphic;
    QxDrawableList m_drawables;
};
