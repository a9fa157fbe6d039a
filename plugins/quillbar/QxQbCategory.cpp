#include "plugins/quillbar/QxQbCategory.h"

#include "core/QxErrorCode.h"
#include "plugins/quillbar/QxQbDatabase.h"
#include "plugins/quillbar/QxQbFolder.h"
#include "plugins/quillbar/QxQbSymbolTable.h"
#include "core/QxUserNotice.h"

#include <wx/intl.h>

namespace {

// A file-system name as UTF-8; names the locale cannot decode are read as Latin-1.
std::string fileNameToUtf8(const std::string& name)
{
    if (name.empty())
        return name;
    const wxString decoded(name.c_str(), *wxConvFileName);
    if (!decoded.empty())
        return decoded.utf8_string();
    return QxQb::latin1ToUtf8(reinterpret_cast<const uint8_t*>(name.data()), name.size());
}

} // namespace

QxQbCategory::QxQbCategory(QxQbDatabase* database)
{
    m_database = database;
}

QxQbCategory::~QxQbCategory() = default;

QxDatabase* QxQbCategory::database() const
{
    return m_database.get();
}

int QxQbCategory::loadIndexFiles(const wxString& location)
{
    const auto encoded = location.fn_str();
    const std::string folder = encoded.data() ? encoded.data() : "";
    // An empty path would name the working folder.
    if (folder.empty())
        return eRequiredFilesNotFound;

    bool found = false;
    std::string nameSource;
    // EMASTER stands in for MASTER; one that cannot be read leaves MASTER to be read instead.
    bool emasterRead = false;
    if (const std::string emaster = QxQb::findFile(folder, "EMASTER"); !emaster.empty()) {
        found = true;
        nameSource = emaster;
        emasterRead = parseIndexFile(emaster, QxQb::parseEmaster, QxQb::kEmasterMaxBytes) == eNoError;
    }
    if (!emasterRead) {
        if (const std::string master = QxQb::findFile(folder, "MASTER"); !master.empty()) {
            found = true;
            nameSource = master;
            parseIndexFile(master, QxQb::parseMaster, QxQb::kMasterMaxBytes);
        }
    }
    if (const std::string xmaster = QxQb::findFile(folder, "XMASTER"); !xmaster.empty()) {
        found = true;
        if (nameSource.empty())
            nameSource = xmaster;
        parseIndexFile(xmaster, QxQb::parseXmaster, QxQb::kXmasterMaxBytes);
    }
    if (!found)
        return eRequiredFilesNotFound;

    m_name = fileNameToUtf8(QxQb::parentFolderName(nameSource));
    m_id = QxQbSymbolTable::instance().number(m_name);
    // The records were entered under the low bits of their ids before the
    // category had its number; the ids follow now.
    for (auto& entry : m_securities)
        entry.second.m_id = qxQbSecurityId(m_id, entry.first);
    if (!m_notListed.empty())
        qxNotifyUser(wxString::Format(_("%zu securities of the folder \"%s\" could not be listed: a folder "
                                        "lists at most %u different symbols."),
                                      m_notListed.size(), location, kMaxSymbols));
    if (m_securities.empty())
        return eUnknownError;
    m_folder = folder;
    return eNoError;
}

int QxQbCategory::parseIndexFile(const std::string& path, Parser parser, std::size_t maxBytes)
{
    std::vector<uint8_t> bytes;
    if (!QxQb::readFile(path, maxBytes, bytes))
        return eUnknownError;
    std::vector<QxQb::IndexRecord> records;
    const int rc = parser(bytes.data(), bytes.size(), records);
    for (const QxQb::IndexRecord& record : records)
        addRecord(record);
    return rc;
}

bool QxQbCategory::symbolNumber(const std::string& symbol, unsigned* number)
{
    if (symbol.empty()) {
        *number = 0;
        return true;
    }
    auto found = m_symbolNumbers.find(symbol);
    if (found != m_symbolNumbers.end()) {
        *number = found->second;
        return true;
    }
    // A number beyond 16 bits would alias another symbol's id.
    if (m_symbolNumbers.size() >= kMaxSymbols)
        return false;
    *number = static_cast<unsigned>(m_symbolNumbers.size() + 1);
    m_symbolNumbers.emplace(symbol, *number);
    return true;
}

void QxQbCategory::addRecord(const QxQb::IndexRecord& record)
{
    unsigned number = 0;
    if (!symbolNumber(record.symbol, &number)) {
        m_notListed.insert(record.symbol);
        return;
    }
    QxQbSecurityData& data = m_securities[number];
    data.m_id = qxQbSecurityId(m_id, number);
    data.m_fileNumber = record.fileNumber;
    data.m_symbol = record.symbol;
    data.m_name = record.name;
    data.m_period = QxQb::periodFromLetter(record.periodLetter);
}

QxQbSecurity* QxQbCategory::makeSecurity(const QxQbSecurityData& data)
{
    return new QxQbSecurity(this, data);
}

int QxQbCategory::listSecurities(std::vector<QxObjectSmartPtr<QxSecurity>>& out)
{
    for (const auto& entry : m_securities)
        out.emplace_back(makeSecurity(entry.second));
    return eNoError;
}

QxSecurity* QxQbCategory::findSecurity(const char* ticker)
{
    // Looking up a ticker must not number it.
    if (!ticker)
        return nullptr;
    unsigned number = 0;
    if (*ticker) {
        auto found = m_symbolNumbers.find(ticker);
        if (found == m_symbolNumbers.end())
            return nullptr;
        number = found->second;
    }
    return getSecurity(qxQbSecurityId(m_id, number));
}

QxSecurity* QxQbCategory::getSecurity(unsigned securityId)
{
    auto found = m_securities.find(securityId & 0xFFFFu);
    if (found == m_securities.end())
        return nullptr;
    return makeSecurity(found->second);
}
