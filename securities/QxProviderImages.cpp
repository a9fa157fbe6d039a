#include "securities/QxProviderImages.h"

#include "core/QxAtom.h"
#include "core/QxCategory.h"
#include "core/QxDataProvider.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxSecurity.h"

#include <wx/imaglist.h>

#include <cstring>

namespace {

int addIcon(wxImageList& images, const char* name)
{
    QxDataProvider* provider = QxDataProviderRepository::instance()->getObj(QxAtom(name));
    const wxBitmap* icon = provider ? provider->icon() : nullptr;
    if (!icon || !icon->IsOk())
        return -1;
    wxImage image = icon->ConvertToImage();
    if (image.GetWidth() != 16 || image.GetHeight() != 16)
        image.Rescale(16, 16, wxIMAGE_QUALITY_HIGH);
    return images.Add(wxBitmap(image));
}

} // namespace

void QxProviderImages::addTo(wxImageList& images)
{
    google = addIcon(images, "Google");
    yahoo = addIcon(images, "Yahoo!");
}

int QxProviderImages::of(const QxSecurity* security) const
{
    const QxCategory* category = security ? security->category() : nullptr;
    const char* provider = category ? category->dataProvider() : nullptr;
    if (!provider)
        return -1;
    return std::strcmp(provider, "Google") == 0 ? google : std::strcmp(provider, "Yahoo!") == 0 ? yahoo : -1;
}
