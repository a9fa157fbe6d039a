#pragma once
// The process-wide security selection dialog, in its least form: one list
// of every security of the current database (category, ticker and name),
// single or multiple selection, OK and Cancel.
#include <wx/dialog.h>

#include <vector>

class wxListBox;

class QxSymbolSelectionDlg : public wxDialog {
public:
    // The dialog, made on first use as a child of the application's hidden
    // top-level window, set to single or multiple selection and filled
    // from the current database.
    static QxSymbolSelectionDlg* get(bool singleSelection);
    // Destroys the process-wide dialog (the next get builds a new one).
    static void destroy();
    static QxSymbolSelectionDlg* instance() { return s_instance; }

    ~QxSymbolSelectionDlg() override;

    // The selected ids in selection order, after ShowModal answered wxID_OK.
    const std::vector<unsigned>& getSelectedIds() const { return m_selected; }

    // Takes the list's selection as the selected ids; false when nothing is selected.
    bool confirmSelection();

    // The listed securities' ids, in list order.
    const std::vector<unsigned>& listedIds() const { return m_ids; }
    wxListBox* list() const { return m_list; }

private:
    explicit QxSymbolSelectionDlg(wxWindow* parent);
    void fill();
    void makeList();
    void setSingle(bool single);
    void onOk(wxCommandEvent& event);

    static QxSymbolSelectionDlg* s_instance;
    wxListBox* m_list = nullptr;
    bool m_single = true;
    std::vector<unsigned> m_ids;
    std::vector<unsigned> m_selected;
};
