#pragma once
// A scrolled window that shows one bitmap at its natural size: the export
// dialog's preview.
#include <wx/scrolwin.h>

class wxBitmap;

class WndBitmapView : public wxScrolledWindow {
public:
    WndBitmapView(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~WndBitmapView() override;

    // Shows bitmap (owned from now on; null shows nothing). The previous
    // bitmap is not deleted: the caller takes it back.
    void setBitmap(wxBitmap* bitmap);
    wxBitmap* getBitmap() const { return m_bitmap; }

protected:
    wxSize DoGetBestSize() const override;

private:
    void onPaint(wxPaintEvent& event);

    wxBitmap* m_bitmap = nullptr;
};
