#pragma once
// The portfolio manager's top-level window; at most one is open.
#include "app/QxCommonFrame.h"
#include "core/platform/QxFramePlacement.h"

class QxPortfolioView;

class QxPortfolioManagerFrame : public QxCommonFrame {
public:
    QxPortfolioManagerFrame();
    ~QxPortfolioManagerFrame() override;

    // The open frame, or null.
    static QxPortfolioManagerFrame* instance() { return s_instance; }
    // Opens the frame when none is open, then gives it the focus.
    static QxPortfolioManagerFrame* showFrame();

    QxPortfolioView* view() const { return m_view; }

private:
    void onSize(wxSizeEvent& event);

    static inline QxPortfolioManagerFrame* s_instance = nullptr;
    QxPortfolioView* m_view = nullptr;
    QxFramePlacement m_placement;
};
