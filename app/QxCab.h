#pragma once
// A small reference-counted bag of named, typed values that saves to the
// configuration store as one group per value (entries "type" and "value")
// and loads back from it.  A bag may hold another bag.
//
// Keys are normalised: only letters and digits remain, in upper case, so
// "data path", "data_path", "Data-Path" and "DATAPATH" are one key.
#include "core/QxObject.h"

#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/config.h>
#include <wx/font.h>
#include <wx/pen.h>
#include <wx/string.h>

#include <cstdint>
#include <map>
#include <variant>
#include <vector>

class QxCab : public QxObject {
public:
    // The kinds of value; the number is the "type" kept in the store.
    enum Kind : int {
        eText = 0,
        eInt = 1,
        eLong = 2,
        eDouble = 3,
        eColour = 4,
        eFont = 5,
        ePen = 6,
        eBrush = 7,
        eBool = 8,
        eUInt16 = 9,
        eCab = 10,
    };

    QxCab();
    ~QxCab() override;

    // Each returns eKeyAlreadyPresent (the bag unchanged) when the key is
    // taken, eInvalidInput for a key without letters or digits (or a null
    // bag), else 0.  The bag form takes a reference to the bag.
    int add(const wxString& key, const wxString& value);
    int add(const wxString& key, const char* value);
    int add(const wxString& key, const wchar_t* value);
    int add(const wxString& key, int value);
    int add(const wxString& key, long value);
    int add(const wxString& key, double value);
    int add(const wxString& key, const wxColour& value);
    int add(const wxString& key, const wxFont& value);
    int add(const wxString& key, const wxPen& value);
    int add(const wxString& key, const wxBrush& value);
    int add(const wxString& key, bool value);
    int add(const wxString& key, uint16_t value);
    int add(const wxString& key, QxCab* value);

    // Reading one value back: eKeyNotPresent for an unknown key,
    // eValueStoredIsOfDifferentType when the value is of another kind.
    int get(const wxString& key, wxString& value) const;
    int get(const wxString& key, int& value) const;
    int get(const wxString& key, long& value) const;
    int get(const wxString& key, double& value) const;
    int get(const wxString& key, wxColour& value) const;
    int get(const wxString& key, wxFont& value) const;
    int get(const wxString& key, wxPen& value) const;
    int get(const wxString& key, wxBrush& value) const;
    int get(const wxString& key, bool& value) const;
    int get(const wxString& key, uint16_t& value) const;
    int get(const wxString& key, QxObjectSmartPtr<QxCab>& value) const;

    // Kind of the value of key, or -1 when there is none.
    int kind(const wxString& key) const;
    size_t count() const { return m_values.size(); }
    // Normalised keys in the order they were first added.
    std::vector<wxString> keys() const;

    // Writes every value, in the order keys were added, below path.  The
    // store's current path is left as it was.
    void save(wxConfigBase& config, const wxString& path) const;
    // Adds every group below path that holds a usable "type" (0 to 10); a
    // group whose name is already a key keeps the first value.  The store's
    // current path is left as it was.
    void load(wxConfigBase& config, const wxString& path);

    // Letters and digits of key, upper case.
    static wxString normaliseKey(const wxString& key);

private:
    using Value = std::variant<wxString, int, long, double, wxColour, wxFont, wxPen, wxBrush, bool,
                               uint16_t, QxObjectSmartPtr<QxCab>>;

    int addValue(const wxString& key, Value value);
    // 0 with the value, or the error of get.
    int find(const wxString& key, Kind kind, const Value*& value) const;
    template <class T>
    int getAs(const wxString& key, Kind kind, T& out) const;

    // Normalised key text to id (from 1, in order of first use) and back.
    std::map<wxString, unsigned> m_keyIds;
    std::map<unsigned, wxString> m_keyTexts;
    unsigned m_nextId = 1;
    std::map<unsigned, Value> m_values;
};

// A brush as key + "/color" (colour text) and key + "/style" (integer).
// Reading gives the default brush unless both exist with those types.
wxBrush readConfigBrush(wxConfigBase& config, const wxString& key, const wxBrush& def);
void writeConfigBrush(wxConfigBase& config, const wxString& key, const wxBrush& brush);
