#include "core/QxDataProviderRepository.h"

#include "core/QxCategory.h"
#include "core/QxSecurity.h"

namespace {
QxDataProviderRepository* s_instance = nullptr;
}

QxDataProviderRepository* QxDataProviderRepository::instance()
{
    if (!s_instance)
        s_instance = new QxDataProviderRepository;
    return s_instance;
}

void QxDataProviderRepository::destroy()
{
    if (!s_instance)
        return;
    s_instance->clear();
    delete s_instance;
    s_instance = nullptr;
}

void QxDataProviderRepository::windupAll()
{
    // Walk a snapshot: a provider may unregister itself while winding up.
    std::vector<QxObjectSmartPtr<QxDataProvider>> providers;
    for (const auto& entry : m_objs)
        providers.push_back(entry.second);
    for (const auto& provider : providers)
        provider->windup();
}

QxDataProvider* QxDataProviderRepository::providerOf(const QxSecurity* security) const
{
    QxCategory* category = security ? security->category() : nullptr;
    if (!category)
        return nullptr;
    const QxAtom name(category->dataProvider());
    return name.isNull() ? nullptr : getObj(name);
}
