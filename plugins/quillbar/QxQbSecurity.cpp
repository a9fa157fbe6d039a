#include "plugins/quillbar/QxQbSecurity.h"

#include "core/QxPriceHistory.h"
#include "plugins/quillbar/QxQbCategory.h"
#include "plugins/quillbar/QxQbFolder.h"
#include "plugins/quillbar/QxQbFormats.h"

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
