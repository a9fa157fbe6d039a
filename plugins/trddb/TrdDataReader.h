#pragma once
// The data reader of the history database plug-in: opens database files.
#include "core/QxDataReader.h"

class TrdDataReader : public QxDataReader {
public:
    TrdDataReader();
    ~TrdDataReader() override;

    // The atom of "com.Corvane.Trendoria.trddb".
    static QxAtom readerAtom();
    // Extension of database files, without the dot.
    static constexpr const char* fileExtension = "trddb";

    QxAtom id() const override { return readerAtom(); }
    wxString displayName() const override;
    int locationKind() const override { return 1; }
    wxString browseLocation(wxWindow* parent) override;
    bool hasOptions() const override { return false; }
    int showOptions(wxWindow*, wxString&) override { return 0; }
    QxDatabase* openDatabase(const wxString& location, const wxString& extraParam, int* errorOut) override;
};
