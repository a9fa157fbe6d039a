#pragma once
// Export Chart: draws the chart for a chosen date range into a bitmap,
// previews it and writes it as PNG, PCX, JPG, BMP or TIFF, the format
// following the file name's extension. It works on its own copy of the
// chartist, so the chart on screen keeps its width and scroll position.
#include "chartframe/FBChartExportDlg.h"
#include "core/QxObject.h"

#include <wx/bitmap.h>

#include <cstdint>

class QxChartist;
class QxPriceHistory;
class WndBitmapView;

// The widest and tallest bitmap the toolkit draws into (cairo's limit).
constexpr int kMaxExportPixels = 32767;

// The bars from the first on or after start to the first on or after end,
// the latter held to the last bar. False when that leaves fewer than two
// bars.
bool exportBarRange(const QxPriceHistory& prices, int64_t start, int64_t end, unsigned& first, unsigned& last);

class QxChartExportDlg : public FBChartExportDlg {
public:
    QxChartExportDlg(const QxChartist& chartist, wxWindow* parent);
    ~QxChartExportDlg() override;

    // The image type of a file extension (without regard to case), its
    // handler registered on first use; wxBITMAP_TYPE_ANY when unknown.
    static wxBitmapType imageTypeFromExtension(const wxString& extension);

    // Draws the range chosen in the pickers into a new preview.
    void renderPreview();
    // Writes the preview to a file the user chooses.
    void saveImage();

    // What a test looks at.
    QxChartist* chartist() const { return m_chartist.get(); }
    WndBitmapView* preview() const { return m_preview; }
    wxDatePickerCtrl* startPicker() const { return m_startDate; }
    wxDatePickerCtrl* endPicker() const { return m_endDate; }
    wxButton* saveButton() const { return m_save; }

protected:
    void onInitDialog(wxInitDialogEvent& event) override;
    void onUpdatePreview(wxCommandEvent& event) override;
    void onSave(wxCommandEvent& event);
    void onHelp(wxCommandEvent& event);

private:
    QxObjectSmartPtr<QxChartist> m_chartist;
    WndBitmapView* m_preview = nullptr;
    wxButton* m_save = nullptr;
    wxButton* m_help = nullptr;
};
