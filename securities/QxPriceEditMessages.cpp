#include "securities/QxPriceEditMessages.h"

#include "ui/QxMessages.h"

wxString qxProductName() { return "Trendoria"; }

void qxPriceEditError(wxWindow* parent, const wxString& text)
{
    QxMessage message(QxMessageKind::Error, text, parent);
    message.caption = qxProductName();
    qxTell(message);
}

void qxPriceEditInfo(wxWindow* parent, const wxString& text)
{
    QxMessage message(QxMessageKind::Information, text, parent);
    message.caption = qxProductName();
    qxTell(message);
}

bool qxPriceEditAsk(wxWindow* parent, const wxString& text, const wxString& caption)
{
    QxMessage message(QxMessageKind::Question, text, parent, QxMessageButtons::YesNo);
    message.caption = caption;
    return qxTell(message) == QxAnswer::Yes;
}
