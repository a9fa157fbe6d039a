#pragma once
// The volume graphic of a chart ("VOLUMEOBJ"): a histogram of volumes, each
// bar in the colour of its price bar's direction.
#include "chart/QxHistogram.h"

#include <wx/colour.h>

class QxVolumeObj : public QxHistogram {
public:
    // Colours from the current volume object configuration.
    QxVolumeObj();
    // The same colours; the copy builds a scheme of its own at its first
    // setup instead of sharing the source's.
    QxVolumeObj(const QxVolumeObj& other);

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    // "DATA", the volume.
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // Fetches the volumes; on the first setup (or after setColours) builds
    // the colour scheme: one colour when both are equal, else rising and
    // falling by the price bar.
    int setup(QxCalculator* calculator) override;
    // Volumes are amounts: their bars start at 0, so a bar's length is its
    // volume and the smallest one in view still shows.
    bool rangeIncludesZero() const override { return true; }

    const wxColour& priceUpColor() const { return m_priceUpColor; }
    const wxColour& priceDownColor() const { return m_priceDownColor; }
    // Takes effect at the next setup.
    void setColours(const wxColour& up, const wxColour& down);

private:
    wxColour m_priceUpColor;
    wxColour m_priceDownColor;
    bool m_schemePending;
};
