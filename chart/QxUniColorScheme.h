#pragma once
// The one-colour scheme: every bar in the colour of its entry "COLOR".
#include "chart/QxColorScheme.h"

class QxUniColorScheme : public QxColorScheme {
public:
    explicit QxUniColorScheme(const wxColour& colour);
    QxUniColorScheme(const QxUniColorScheme& other) = default;

    QxColorScheme* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    bool isUniform() const override;
    const std::vector<QxDataInfo>& getDataParamInfos() const override;
    const wxColour& colorAt(unsigned bar) const override;
};
