#pragma once
// The data reader of the Quillbar plug-in: opens a folder of Quillbar index
// and price files as a read-only database.
#include "core/QxDataReader.h"

class QxQbDataReader : public QxDataReader {
public:
    QxQbDataReader() = default;

    // The atom of "com.Corvane.Trendoria.quillbar".
    static QxAtom readerAtom();

    QxAtom id() const override { return readerAtom(); }
    wxString displayName() const override;
    int locationKind() const override { return 2; }
    wxString browseLocation(wxWindow* parent) override;
    bool hasOptions() const override { return false; }
    int showOptions(wxWindow*, wxString&) override { return 0; }
    QxDatabase* openDatabase(const wxString& location, const wxString& extraParam, int* errorOut) override;
};
