#include "core/QxXmlFile.h"

#include "core/QxUserNotice.h"

#include <wx/dir.h>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/datetime.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/wfstream.h>
#include <wx/xml/xml.h>

#include <expat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a reader gives for a file it does not accept: an empty document and why.
QxXmlRead refused(wxXmlDocument& doc, wxString* why, const wxString& reason)
{
    if (why)
        *why = reason;
    doc = wxXmlDocument();
    return QxXmlRead::eDamaged;
}

wxString tooLarge(unsigned long long size, unsigned long long maxBytes)
{
    return wxString::Format(_("It is larger (%llu bytes) than such a file can be (%llu bytes)."), size, maxBytes);
}

} // namespace

namespace {

// Bytes a write may still put on the "disk" while a test stands in for a
// full one; negative for no limit.
long long g_writeSpace = -1;

// Passes writes on until the space set for tests is used up, then fails
// as a full disk does.
class SpaceLimitedStream : public wxFilterOutputStream {
public:
    explicit SpaceLimitedStream(wxOutputStream& out) : wxFilterOutputStream(out) {}
    // Seekable as the file is, so an archive is laid out as it would be
    // written to the file directly.
    bool IsSeekable() const override { return GetFilterOutputStream()->IsSeekable(); }

protected:
    wxFileOffset OnSysSeek(wxFileOffset pos, wxSeekMode mode) override
    {
        return GetFilterOutputStream()->SeekO(pos, mode);
    }
    wxFileOffset OnSysTell() const override { return GetFilterOutputStream()->TellO(); }
    size_t OnSysWrite(const void* buffer, size_t size) override
    {
        size_t allowed = size;
        if (g_writeSpace >= 0) {
            allowed = static_cast<size_t>(std::min<long long>(g_writeSpace, static_cast<long long>(size)));
            g_writeSpace -= static_cast<long long>(allowed);
        }
        const size_t written = allowed ? GetFilterOutputStream()->Write(buffer, allowed).LastWrite() : 0;
        if (written < size) {
            m_lasterror = wxSTREAM_WRITE_ERROR;
            if (allowed < size)
                errno = ENOSPC;
        }
        return written;
    }
};

} // namespace

void qxSetWriteSpaceForTests(long long bytes)
{
    g_writeSpace = bytes;
}

bool qxWriteFileReplacing(const wxString& path, const std::function<bool(wxOutputStream&)>& write, wxString* why)
{
    wxLogNull quiet; // failures are reported by the result
    // The step that failed, with the system's word for it.
    auto failed = [why](const wxString& step, int error) {
        if (why)
            *why = error ? wxString::Format("%s (%s)", step, wxString::FromUTF8(std::strerror(error))) : step;
        return false;
    };
    const wxFileName target(path);
    if (target.DirExists(path)) {
        if (why)
            *why = _("there is a folder of that name");
        return false; // a folder is never replaced
    }
    // What an earlier run left when it was stopped in the middle of a write.
    qxRemoveLeftoverTemporaryFiles(path);
    const wxString cannotMake = wxString::Format(_("no file can be made in the folder \"%s\""), target.GetPath());
    // ".<name>.XXXXXX" beside the target: hidden, and a name that tells a
    // leftover of this file from anything else in the folder.
    const wxCharBuffer pattern =
        wxFileName(target.GetPath(), "." + target.GetFullName() + ".XXXXXX").GetFullPath().fn_str();
    std::vector<char> name(pattern.data(), pattern.data() + pattern.length() + 1);
    errno = 0;
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return failed(cannotMake, errno);
    wxFile tempFile(fd);
    const wxString temp(name.data(), *wxConvFileName);
    // Held until the file is renamed or removed: it tells a cleaner of
    // leftovers that this one is still being written.
    const int lock = ::open(temp.fn_str(), O_RDONLY | O_CLOEXEC);
    if (lock < 0 || ::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (lock >= 0)
            ::close(lock);
        tempFile.Close();
        wxRemoveFile(temp);
        return failed(cannotMake, error);
    }
    struct Unlock {
        int fd;
        ~Unlock() { ::close(fd); }
    } unlock{lock};
    bool written;
    bool closed;
    int error = 0;
    {
        wxFileOutputStream file(tempFile);
        SpaceLimitedStream out(file);
        errno = 0;
        written = file.IsOk() && write(out) && out.IsOk();
        error = written ? 0 : errno;
        errno = 0;
        closed = out.Close() && file.Close();
    }
    closed = closed && tempFile.Flush();
    closed = tempFile.Close() && closed;
    if (!written || !closed) {
        if (!error)
            error = errno;
        wxRemoveFile(temp);
        return failed(written ? _("the file could not be completed on the disk") : _("writing the file failed"),
                      error);
    }
    // The temporary file is private; the result gets the old file's
    // permissions, or those of an ordinary new file.
    struct stat old;
    const mode_t mode = ::stat(path.fn_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    // rename() replaces the target in one step.
    errno = 0;
    if (::chmod(temp.fn_str(), mode) == 0 && std::rename(temp.fn_str(), path.fn_str()) == 0)
        return true;
    error = errno;
    wxRemoveFile(temp);
    return failed(_("the new file could not take the place of the one there, which is kept"), error);
}

bool qxSaveXmlFile(const wxXmlDocument& doc, const wxString& path, int indent)
{
    return qxWriteFileReplacing(path, [&doc, indent](wxOutputStream& out) { return doc.Save(out, indent); });
}

bool qxSaveBytesFile(const std::string& bytes, const wxString& path, wxString* why)
{
    return qxWriteFileReplacing(
        path, [&bytes](wxOutputStream& out) { return out.WriteAll(bytes.data(), bytes.size()); }, why);
}

namespace {

// What a pass over the text with the parser itself, building nothing, says
// of it. The tree is built only after this, so neither its building nor its
// freeing (both recurse once per level) ever sees more levels than allowed.
enum class QxXmlShape { eFits, eTooDeep, eDocumentType, eMalformed };

struct ShapeCheck {
    XML_Parser parser;
    int maxDepth;
    int depth = 0;
    QxXmlShape shape = QxXmlShape::eFits;

    void stop(QxXmlShape why)
    {
        shape = why;
        XML_StopParser(parser, XML_FALSE);
    }
};

void XMLCALL checkStart(void* data, const XML_Char*, const XML_Char**)
{
    auto* check = static_cast<ShapeCheck*>(data);
    if (++check->depth > check->maxDepth)
        check->stop(QxXmlShape::eTooDeep);
}

void XMLCALL checkEnd(void* data, const XML_Char*) { --static_cast<ShapeCheck*>(data)->depth; }

// No file of the program declares a document type; one that does could
// define entities that expand into markup, so it is refused before its
// internal subset is read.
void XMLCALL checkDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    static_cast<ShapeCheck*>(data)->stop(QxXmlShape::eDocumentType);
}

QxXmlShape xmlShape(const char* text, size_t size, int maxDepth)
{
    if (size > static_cast<size_t>(std::numeric_limits<int>::max()))
        return QxXmlShape::eMalformed;
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser)
        return QxXmlShape::eMalformed;
    ShapeCheck check{parser, maxDepth};
    XML_SetUserData(parser, &check);
    XML_SetElementHandler(parser, checkStart, checkEnd);
    XML_SetStartDoctypeDeclHandler(parser, checkDoctype);
    const bool parsed = XML_Parse(parser, text, static_cast<int>(size), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    if (check.shape != QxXmlShape::eFits)
        return check.shape;
    return parsed ? QxXmlShape::eFits : QxXmlShape::eMalformed;
}

// Files the writer above leaves only when it is stopped between creating
// and renaming its temporary file: "." + the target's name + "." + six
// letters or digits, beside the target.
bool isTemporaryFileOf(const wxString& name, const wxString& targetName)
{
    const wxString prefix = "." + targetName + ".";
    if (!name.StartsWith(prefix) || name.length() != prefix.length() + 6)
        return false;
    for (size_t i = prefix.length(); i < name.length(); ++i)
        if (!wxIsalnum(name[i]))
            return false;
    return true;
}

} // namespace

void qxRemoveLeftoverTemporaryFiles(const wxString& path)
{
    wxLogNull quiet; // what cannot be removed is left for the next time
    const wxFileName target(path);
    wxDir dir(target.GetPath().empty() ? wxString(".") : target.GetPath());
    if (!dir.IsOpened())
        return;
    std::vector<wxString> leftovers;
    wxString name;
    for (bool more = dir.GetFirst(&name, "." + target.GetFullName() + ".*", wxDIR_FILES | wxDIR_HIDDEN); more;
         more = dir.GetNext(&name))
        if (isTemporaryFileOf(name, target.GetFullName()))
            leftovers.push_back(wxFileName(dir.GetName(), name).GetFullPath());
    for (const wxString& leftover : leftovers) {
        // A writer holds a lock on its temporary file until it is renamed;
        // only files no running writer holds are removed.
        const int fd = ::open(leftover.fn_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(leftover.fn_str());
        ::close(fd);
    }
}

QxXmlRead qxParseXml(const char* text, size_t size, wxXmlDocument& doc, const QxXmlLimits& limits,
                     const wxString& rootName, wxString* why)
{
    auto damaged = [&](const wxString& reason) { return refused(doc, why, reason); };
    if (size > limits.maxBytes)
        return damaged(tooLarge(size, limits.maxBytes));
    switch (xmlShape(text, size, limits.maxDepth)) {
    case QxXmlShape::eFits:
        break;
    case QxXmlShape::eTooDeep:
        return damaged(wxString::Format(_("Its elements are nested deeper than %d levels."), limits.maxDepth));
    case QxXmlShape::eDocumentType:
        return damaged(_("It declares a document type, which no file of this program does."));
    case QxXmlShape::eMalformed:
        return damaged(_("It is not well-formed XML (damaged or cut short)."));
    }
    {
        wxLogNull quiet; // reported through why
        wxMemoryInputStream in(text, size);
        if (!doc.Load(in, "UTF-8") || !doc.GetRoot())
            return damaged(_("It is not well-formed XML (damaged or cut short)."));
    }
    if (!rootName.empty() && doc.GetRoot()->GetName() != rootName)
        return damaged(wxString::Format(_("Its root element is \"%s\", not \"%s\"."), doc.GetRoot()->GetName(),
                                        rootName));
    return QxXmlRead::eRead;
}

QxXmlRead qxLoadXmlFile(const wxString& path, wxXmlDocument& doc, const QxXmlLimits& limits,
                        const wxString& rootName, wxString* why)
{
    auto damaged = [&](const wxString& reason) { return refused(doc, why, reason); };
    qxRemoveLeftoverTemporaryFiles(path);
    if (!wxFileName::FileExists(path))
        return wxFileName::Exists(path) ? damaged(_("It is not a file.")) : QxXmlRead::eMissing;
    struct stat info;
    if (::stat(path.fn_str(), &info) != 0)
        return damaged(_("It could not be read."));
    if (static_cast<unsigned long long>(info.st_size) > limits.maxBytes)
        return damaged(tooLarge(static_cast<unsigned long long>(info.st_size), limits.maxBytes));
    std::string text;
    {
        std::ifstream in(static_cast<const char*>(path.fn_str()), std::ios::binary);
        if (!in)
            return damaged(_("It could not be read."));
        text.assign(std::istreambuf_iterator<char>(in), {});
        if (in.bad() || text.size() > limits.maxBytes)
            return damaged(_("It could not be read."));
    }
    return qxParseXml(text.data(), text.size(), doc, limits, rootName, why);
}

wxString qxSetAsideDamagedFile(const wxString& path)
{
    const wxString base = path + ".damaged-" + wxDateTime::Now().Format("%Y-%m-%d");
    wxString aside = base;
    for (int n = 2; wxFileName::Exists(aside); ++n) {
        if (n > 1000)
            return wxString();
        aside = wxString::Format("%s-%d", base, n);
    }
    // rename() never replaces anything here: the name was free just now.
    return std::rename(path.fn_str(), aside.fn_str()) == 0 ? aside : wxString();
}

wxString qxKeepDamagedFileAside(const wxString& path, const wxString& why)
{
    const wxString aside = qxSetAsideDamagedFile(path);
    wxString text = wxString::Format(_("The file \"%s\" could not be read. %s"), path, why);
    if (!aside.empty())
        text << "\n\n"
             << wxString::Format(_("It was kept as \"%s\"; a new file will be written in its place."), aside);
    else
        text << "\n\n" << _("It could not be moved aside, so it is left as it is and will not be written over.");
    qxNotifyUser(text);
    return aside;
}

QxFileStamp QxFileStamp::of(const wxString& path)
{
    QxFileStamp stamp;
    struct stat info;
    if (::stat(path.fn_str(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.inode = static_cast<unsigned long long>(info.st_ino);
    stamp.size = static_cast<long long>(info.st_size);
    stamp.modifiedNs = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return stamp;
}
