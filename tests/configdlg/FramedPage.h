#pragma once
// Test helpers for the indicator dialog's pages: a TA-Lib indicator by
// function name, and a page shown on its own in a frame.
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include <functional>

inline QxObjectSmartPtr<QxIndicator> makeTaIndicator(const char* name)
{
    const TA_FuncHandle* handle = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
    return QxObjectSmartPtr<QxIndicator>(new TaLibIndicator(handle));
}

template <class Page>
struct FramedPage {
    FramedPage(const std::function<Page*(wxWindow*)>& make, const wxSize& size)
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Page", wxDefaultPosition, size);
        page = make(frame);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(page, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Show();
        frame->Layout();
    }
    ~FramedPage()
    {
        frame->Destroy();
        TestSupport::pumpEvents(50);
    }

    wxFrame* frame;
    Page* page;
};
