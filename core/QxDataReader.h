#pragma once
// A data reader knows one kind of history storage and opens databases of it.
// Plug-ins register their reader with QxDataReaderRepository.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <wx/string.h>

class QxDatabase;
class wxWindow;

class QxDataReader : public QxObject {
public:
    // The reader's unique identifier, interned; the registry key.
    virtual QxAtom id() const = 0;
    // Translated name shown to the user as the data format.
    virtual wxString displayName() const = 0;
    // 1: a location is a file, 2: a location is a folder.
    virtual int locationKind() const = 0;
    // Asks the user for a location; empty when cancelled.
    virtual wxString browseLocation(wxWindow* parent) = 0;
    // Whether showOptions does anything.
    virtual bool hasOptions() const = 0;
    // Lets the user edit the reader's extra parameter; 0 when nothing changed.
    virtual int showOptions(wxWindow* parent, wxString& extraParam) = 0;
    // Opens the database at the location. On failure returns null and stores
    // a QxErrorCode (or a negated storage code) through errorOut when given.
    // The database comes with a count of 0: the caller takes the reference.
    virtual QxDatabase* openDatabase(const wxString& location, const wxString& extraParam, int* errorOut) = 0;

protected:
    QxDataReader() = default;
};
