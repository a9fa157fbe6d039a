#pragma once
// Row images of securities by their category's data provider: the 16 x 16
// icons of "Google" and "Yahoo!", each added to a window's image list only
// when that provider is registered, so rows use the index really given.
class QxSecurity;
class wxImageList;

struct QxProviderImages {
    int google = -1;
    int yahoo = -1;

    void addTo(wxImageList& images);
    // The image of the security's provider, or -1 for none.
    int of(const QxSecurity* security) const;
};
