#include "chartframe/QxChartExportDlg.h"

#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chartframe/QxChartDocument.h"
#include "chartframe/WndBitmapView.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxTime.h"
#include "core/QxUtils.h"
#include "core/QxXmlFile.h"
#include "core/platform/QxFileDialogExt.h"
#include "core/platform/wxConfigEx.h"
#include "ui/QxMessages.h"

#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/imagjpeg.h>
#include <wx/imagpcx.h>
#include <wx/imagpng.h>
#include <wx/imagtiff.h>
#include <wx/wupdlock.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kWidthKey = "dlg/export/width";
const char* const kHeightKey = "dlg/export/height";

template <class Handler>
void registerHandler(wxBitmapType type)
{
    if (!wxImage::FindHandler(type))
        wxImage::AddHandler(new Handler);
}

int64_t dateStamp(const wxDateTime& date)
{
    return makeTimestamp(static_cast<uint8_t>(date.GetDay()), date.GetMonth() + 1,
                         static_cast<uint16_t>(date.GetYear()));
}

void showError(wxWindow* parent, const wxString& message)
{
    qxShowError(message, parent);
}

} // namespace

bool exportBarRange(const QxPriceHistory& prices, int64_t start, int64_t end, unsigned& first, unsigned& last)
{
    const unsigned n = prices.numBars();
    if (n == 0)
        return false;
    const int64_t* begin = prices.timestamp();
    first = static_cast<unsigned>(std::lower_bound(begin, begin + n, start) - begin);
    // An end after the last bar would point one past it.
    last = std::min(static_cast<unsigned>(std::lower_bound(begin, begin + n, end) - begin), n - 1);
    return first < last;
}

QxChartExportDlg::QxChartExportDlg(const QxChartist& chartist, wxWindow* parent)
    : FBChartExportDlg(parent), m_chartist(new QxChartist(chartist))
{
    m_preview = new WndBitmapView(this);
    m_mainSizer->Add(m_preview, 1, wxEXPAND | wxALL, 5);
    auto* buttons = new wxStdDialogButtonSizer;
    m_save = new wxButton(this, wxID_SAVE, _("&Save..."));
    m_help = new wxButton(this, wxID_HELP);
    buttons->AddButton(m_save);
    buttons->AddButton(new wxButton(this, wxID_CANCEL));
    buttons->AddButton(m_help);
    buttons->Realize();
    m_mainSizer->Add(buttons, 0, wxEXPAND | wxALL, 5);
    // Nothing to save until a preview has been drawn.
    m_save->Disable();
    m_save->Bind(wxEVT_BUTTON, &QxChartExportDlg::onSave, this);
    m_help->Bind(wxEVT_BUTTON, &QxChartExportDlg::onHelp, this);
}

QxChartExportDlg::~QxChartExportDlg()
{
    m_save->Unbind(wxEVT_BUTTON, &QxChartExportDlg::onSave, this);
    m_help->Unbind(wxEVT_BUTTON, &QxChartExportDlg::onHelp, this);
    wxConfigEx& config = wxConfigEx::get();
    const wxSize size = GetSize();
    config.Write(kWidthKey, static_cast<long>(size.x));
    config.Write(kHeightKey, static_cast<long>(size.y));
}

wxBitmapType QxChartExportDlg::imageTypeFromExtension(const wxString& extension)
{
    const wxString ext = extension.Lower();
    if (ext == "bmp")
        return wxBITMAP_TYPE_BMP; // always present
    if (ext == "png") {
        registerHandler<wxPNGHandler>(wxBITMAP_TYPE_PNG);
        return wxBITMAP_TYPE_PNG;
    }
    if (ext == "tif" || ext == "tiff") {
        registerHandler<wxTIFFHandler>(wxBITMAP_TYPE_TIFF);
        return wxBITMAP_TYPE_TIFF;
    }
    if (ext == "pcx") {
        registerHandler<wxPCXHandler>(wxBITMAP_TYPE_PCX);
        return wxBITMAP_TYPE_PCX;
    }
    if (ext == "jpg" || ext == "jpeg") {
        registerHandler<wxJPEGHandler>(wxBITMAP_TYPE_JPEG);
        return wxBITMAP_TYPE_JPEG;
    }
    return wxBITMAP_TYPE_ANY;
}

void QxChartExportDlg::onInitDialog(wxInitDialogEvent& event)
{
    wxConfigEx& config = wxConfigEx::get();
    const wxSize size = GetSize();
    SetSize(wxSize(static_cast<int>(config.ReadLong(kWidthKey, size.x)),
                   static_cast<int>(config.ReadLong(kHeightKey, size.y))));
    QxChart* chart = m_chartist->getChart();
    QxCalculator* calc = chart ? chart->getCalc() : nullptr;
    const QxPriceHistory* prices = calc ? calc->prices(calc->currentTimeframe(), false) : nullptr;
    if (!prices || prices->numBars() == 0) {
        // Otherwise the dialog would open on a blank preview without a word.
        showError(this, _("There is nothing to preview: the chart has no prices."));
    } else {
        const QxSplitTime t = splitTimestamp(prices->timestamp()[prices->numBars() - 1]);
        const wxDateTime end(static_cast<wxDateTime::wxDateTime_t>(t.day), static_cast<wxDateTime::Month>(t.month - 1),
                             t.year, static_cast<wxDateTime::wxDateTime_t>(t.hour),
                             static_cast<wxDateTime::wxDateTime_t>(t.minute),
                             static_cast<wxDateTime::wxDateTime_t>(t.second));
        // The generic date picker of GTK starts without a value: both are set.
        m_endDate->SetValue(end);
        m_startDate->SetValue(end - wxDateSpan(1, 0, 0, 0));
        renderPreview();
    }
    event.Skip();
}

void QxChartExportDlg::onUpdatePreview(wxCommandEvent&) { renderPreview(); }

void QxChartExportDlg::renderPreview()
{
    wxWindowUpdateLocker frozen(this);
    if (!m_startDate->GetValue().IsValid() || !m_endDate->GetValue().IsValid())
        return;
    const int64_t start = dateStamp(m_startDate->GetValue());
    const int64_t end = dateStamp(m_endDate->GetValue());
    if (start > end) {
        showError(this, _("Invalid date range."));
        return;
    }
    QxObjectSmartPtr<QxChart> chart(m_chartist->getChart());
    QxCalculator* calc = chart ? chart->getCalc() : nullptr;
    const QxPriceHistory* prices = calc ? calc->prices(calc->currentTimeframe(), false) : nullptr;
    if (!prices || prices->numBars() == 0) {
        showError(this, _("There is nothing to preview: the chart has no prices."));
        return;
    }
    unsigned first = 0, last = 0;
    if (!exportBarRange(*prices, start, end, first, last)) {
        // A picture needs two bars; a blank preview would not say so.
        showError(this, wxString::Format(_("There is nothing to preview: from %s to %s the chart has fewer than two "
                                           "bars.\nChoose a longer date range."),
                                         formatTimestamp(start, "%x"), formatTimestamp(end, "%x")));
        return;
    }

    wxBitmap scratch(1000, 1000);
    wxMemoryDC dc(scratch);
    if (chart->getChartWidth() != 1000)
        chart->setChartWidth(1000);
    const int laidOut = chart->setup(dc);
    if (laidOut != 0) {
        showError(this, wxString::Format(_("There is nothing to preview: the chart could not be laid out for the "
                                           "picture (error %d)."),
                                         laidOut));
        return;
    }
    const int width = chart->calcWidth(first, last);
    const int height = chart->chartHeight();
    // A bitmap past the limit is made without complaint but never drawn.
    if (width < 1 || height < 1 || width > kMaxExportPixels || height > kMaxExportPixels) {
        showError(this, wxString::Format(_("The picture would be %d x %d pixels; an image can be at most %d pixels "
                                           "wide and high.\nChoose a shorter date range or zoom out."),
                                         width, height, kMaxExportPixels));
        return;
    }
    chart->setChartWidth(width);
    chart->setLastVisibleBar(last);

    auto* bitmap = new wxBitmap(width, height);
    dc.SelectObject(*bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    chart->display(dc, m_chartist->showLegend());
    dc.SelectObject(wxNullBitmap);

    wxBitmap* old = m_preview->getBitmap();
    m_preview->setBitmap(bitmap);
    delete old;
    m_save->Enable();

    // Shrinks around a small picture, never grows.
    const wxSize needed = m_mainSizer->ComputeFittingWindowSize(this);
    const wxSize current = GetSize();
    SetSize(wxSize(std::min(current.x, needed.x), std::min(current.y, needed.y)));
}

void QxChartExportDlg::onSave(wxCommandEvent&) { saveImage(); }

void QxChartExportDlg::saveImage()
{
    wxBitmap* bitmap = m_preview->getBitmap();
    if (!bitmap || !bitmap->IsOk())
        return;
    const QxChart* chart = m_chartist->getChart();
    const QxSecurity* security = chart && chart->getCalc() ? chart->getCalc()->getSecurity() : nullptr;
    const wxString ticker = security ? wxString::FromUTF8(security->ticker()) : wxString();
    wxFileDialog dialog(this, _("Export chart as"), wxEmptyString, qxProposedFileName(ticker, wxString()),
                        _("PNG Image (*.png)|*.png|PCX Image (*.pcx)|*.pcx|JPG Image (*.jpg)|*.jpg|BMP Image "
                          "(*.bmp)|*.bmp|TIF Image (*.tif)|*.tif"),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    const wxString path = qxChooseFile(dialog);
    if (path.empty())
        return;
    const wxBitmapType type = imageTypeFromExtension(wxFileName(path).GetExt());
    if (type == wxBITMAP_TYPE_ANY) {
        showError(this, _("Failed to recognise image type"));
        return;
    }
    wxImage image = bitmap->ConvertToImage();
    if (type == wxBITMAP_TYPE_PNG || type == wxBITMAP_TYPE_TIFF) {
        // Opaque everywhere; the image frees the buffer.
        const size_t n = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
        auto* alpha = static_cast<unsigned char*>(std::malloc(n));
        std::memset(alpha, 255, n);
        image.SetAlpha(alpha);
    } else if (image.HasAlpha()) {
        // These formats have no alpha channel.
        image.ClearAlpha();
    }
    const bool written =
        qxWriteFileReplacing(path, [&image, type](wxOutputStream& out) { return image.SaveFile(out, type); });
    if (!written)
        showError(this, wxString::Format(_("Failed to write the image file %s."), path));
}

void QxChartExportDlg::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/export_chart.htm"); }
