#pragma once
// The built-in indicator that carries a chart's volume graphic ("VOLUME"),
// like the price indicator: no computation, parameters or outputs, never
// written to files.
#include "core/QxIndicator.h"

class QxVolumeObj;

class QxVolume : public QxIndicator {
public:
    // The graphic's data role is bound to the volume.
    QxVolume();
    ~QxVolume() override;

    QxIndicator* clone(unsigned flags) const override;
    QxAtom getName() const override;
    QxAtom getGroup() const override;
    wxString getDescription() const override;
    int getPlacement() const override;
    // The volume.
    const std::vector<uint32_t>& inputInfos() const override;
    const std::vector<QxParamInfo>& defaultParamInfos() const override;
    const std::vector<QxParamInfo>& paramInfos() const override;
    int setParam(unsigned index, const QxValue& value) override;
    const std::vector<QxAtom>& outputInfos() const override;
    int compute(const std::vector<QxSeries>& inputs, std::vector<QxSeries>& outputs) override;
    // The volume graphic alone, whatever the flag.
    const QxDrawableList& drawables(bool create) override;
    void setDrawables(const QxDrawableList& list) override;
    wxXmlNode* toXml(wxXmlNode* parent, unsigned flags) const override;
    int fromXml(const wxXmlNode* element) override;

    QxVolumeObj* volumeObj() const { return m_graphic.get(); }

private:
    QxVolume(const QxVolume& other);

    QxObjectSmartPtr<QxVolumeObj> m_graphic;
    QxDrawableList m_drawables;
};
