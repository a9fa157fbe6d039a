#pragma once
// A pattern for the tests that marks one bar of its zone with a tooltip
// text and draws nothing.
#include "chartview/QxPattern.h"

#include <wx/string.h>

namespace charttest {

class MarkPattern : public QxPattern {
public:
    MarkPattern(unsigned bar, const char* text) : m_bar(bar), m_text(text) {}
    QxPattern* clone() const override { return new MarkPattern(*this); }
    void display(wxDC&, unsigned, unsigned, const QxScale&, const QxScale&) const override {}
    wxXmlNode* toXml(wxXmlNode*) const override { return nullptr; }
    int getMargins(unsigned, unsigned, const QxScale&, const QxScale&, wxPoint&, wxPoint&) const override
    {
        return 52; // nothing drawn beyond the values
    }
    bool isPatternAt(unsigned bar, double) const override { return bar == m_bar; }
    wxString tooltip(unsigned) const override { return m_text; }
    wxString getDisplayText() const override { return m_text; }

private:
    unsigned m_bar;
    wxString m_text;
};

} // namespace charttest
