#include "plugins/quillbar/QxQbSecurity.h"

#include "core/QxPriceHistory.h"
#include "plugins/quillbar/QxQbCategory.h"
#include "plugins/quillbar/QxQbFolder.h"
#include "plugins/quillbar/QxQbFormats.h"

#include <wx/intl.h>
#include <wx/string.h>

#include <vector>

QxQbSecurity::QxQbSecurity(QxQbCategory* category, const QxQbSecurityData& data)
    : QxQbSecurityData(data), m_category(category)
{
}

QxQbSecurity::~QxQbSecurity() = default;

QxCategory* QxQbSecurity::category() const
{
    return m_category.get();
}

QxPriceHistory* QxQbSecurity::getHistory(Qx::QxPeriod period, int64_t&, int64_t&)
{
    if (period < m_period || !m_category || m_category->folder().empty())
        return nullptr;
    const std::string path = QxQb::findFile(m_category->folder(), QxQb::priceFileName(m_fileNumber));
    std::vector<uint8_t> bytes;
    if (path.empty() || !QxQb::readFile(path, QxQb::kPriceFileMaxBytes, bytes))
        return nullptr;
    return QxQb::parsePriceFile(bytes.data(), bytes.size(), m_period);
}

std::string QxQbSecurity::whyNoHistory() const
{
    if (!m_category || m_category->folder().empty())
        return std::string();
    const std::string name = QxQb::priceFileName(m_fileNumber);
    const wxString file = wxString::FromUTF8(name.c_str());
    const wxString folder = wxString(m_category->folder().c_str(), wxConvFile);
    const std::string path = QxQb::findFile(m_category->folder(), name);
    wxString text;
    if (path.empty()) {
        // The index lists the security, but its bars were never copied in.
        text = wxString::Format(_("The price file \"%s\" of this security is missing from the folder \"%s\"."), file,
                                folder);
    } else {
        std::vector<uint8_t> bytes;
        QxObjectSmartPtr<QxPriceHistory> history(
            QxQb::readFile(path, QxQb::kPriceFileMaxBytes, bytes)
                ? QxQb::parsePriceFile(bytes.data(), bytes.size(), m_period)
                : nullptr);
        const wxString found(path.substr(path.find_last_of('/') + 1).c_str(), wxConvFile);
        if (!history)
            text = wxString::Format(_("The price file \"%s\" of this security in the folder \"%s\" could not be "
                                      "read."),
                                    found, folder);
        else if (history->numBars() == 0)
            text = wxString::Format(_("The price file \"%s\" of this security in the folder \"%s\" holds no "
                                      "prices."),
                                    found, folder);
        else if (m_period > Qx::eDaily)
            // Charts start from daily bars, which this file does not hold.
            text = wxString::Format(_("The price file \"%s\" of this security holds bars longer than a day; "
                                      "only daily prices can be charted."),
                                    found);
    }
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}
