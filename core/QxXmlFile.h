#pragma once
// Reading and writing XML files the way every file of the program is
// handled. Writing goes into a temporary file beside the target, renamed
// over it only once complete, so a failed write keeps the old file.
// Reading treats the file as hostile (a user's disk may hold anything):
// its size and nesting are bounded before a tree is built, and a file that
// cannot be read is set aside rather than ever written over. Every XML file
// the program reads goes through qxLoadXmlFile or qxParseXml.
#include <wx/string.h>

#include <cstddef>
#include <functional>
#include <string>

class wxOutputStream;
class wxXmlDocument;

// Runs write on a stream into a temporary file beside path and, when it
// returns true and every byte reached the disk, renames that file over
// path. True when the new content now stands at path; on failure the file
// that was there is untouched and no temporary file is left behind, and why
// (when given) says what went wrong, in a few words for the user. What an
// earlier write of path left when the program was stopped in the middle of
// it is removed first.
bool qxWriteFileReplacing(const wxString& path, const std::function<bool(wxOutputStream&)>& write,
                          wxString* why = nullptr);

// The same for an XML document saved with the given indentation.
bool qxSaveXmlFile(const wxXmlDocument& doc, const wxString& path, int indent);

// The same for a file of the given bytes.
bool qxSaveBytesFile(const std::string& bytes, const wxString& path, wxString* why = nullptr);

// Tests stand in for a full disk: from now on the writes of
// qxWriteFileReplacing may put only this many bytes more on the disk, and
// fail past them; a negative number lifts the limit.
void qxSetWriteSpaceForTests(long long bytes);

// What a reader accepts of a file: at most maxBytes, elements nested at
// most maxDepth deep (the root is depth 1).
struct QxXmlLimits {
    size_t maxBytes;
    int maxDepth;
};

enum class QxXmlRead {
    eRead,    // doc holds the file
    eMissing, // no file there: nothing to read, nothing damaged
    eDamaged, // there is a file, but not one this reader accepts; see why
};

// Reads size bytes of XML text (UTF-8) into doc within limits. Before any
// tree is built the parser itself goes over the text, building nothing:
// a document nested deeper than limits.maxDepth, or one that declares a
// document type (no file of the program does, and entities defined there
// could expand into markup), is refused there. rootName, when not empty,
// is the name the root element must have. eRead or eDamaged; on eDamaged,
// why says what is wrong in a sentence for the user and doc is left empty.
QxXmlRead qxParseXml(const char* text, size_t size, wxXmlDocument& doc, const QxXmlLimits& limits,
                     const wxString& rootName, wxString* why);

// Loads the file at path with qxParseXml, first refusing a file larger than
// limits.maxBytes unread. Also removes what an interrupted write of path
// left (see qxRemoveLeftoverTemporaryFiles).
QxXmlRead qxLoadXmlFile(const wxString& path, wxXmlDocument& doc, const QxXmlLimits& limits,
                        const wxString& rootName, wxString* why);

// Removes the temporary files that writes of path through
// qxWriteFileReplacing left behind when the program was stopped in the
// middle of them; a temporary file a running write still holds is left.
void qxRemoveLeftoverTemporaryFiles(const wxString& path);

// Renames a file the program could not read to "<name>.damaged-<date>"
// beside it (a number is added when that name is taken), so the file the
// program writes next never replaces it. The new path, or empty when the
// rename failed.
wxString qxSetAsideDamagedFile(const wxString& path);

// Sets aside a damaged file with qxSetAsideDamagedFile and tells the user
// once, through qxNotifyUser, which file could not be read, why, and where
// it was kept. The path it was kept under (empty when it could not be moved:
// then the caller must not write over it either).
wxString qxKeepDamagedFileAside(const wxString& path, const wxString& why);

// What a file was when the program last read or wrote it: another program
// (a second Trendoria on the same home) that replaced or changed it since
// leaves another stamp, so its work is seen before it would be written over.
struct QxFileStamp {
    bool exists = false;
    unsigned long long inode = 0;
    long long size = 0;
    long long modifiedNs = 0;

    static QxFileStamp of(const wxString& path);
    bool operator==(const QxFileStamp& other) const
    {
        return exists == other.exists && inode == other.inode && size == other.size &&
               modifiedNs == other.modifiedNs;
    }
    bool operator!=(const QxFileStamp& other) const { return !(*this == other); }
};
