#include "ui/QxMessages.h"

#include <wx/msgdlg.h>

#include <utility>

namespace {

QxMessageSink& currentSink()
{
    static QxMessageSink sink;
    return sink;
}

long iconStyle(QxMessageKind kind)
{
    switch (kind) {
    case QxMessageKind::Error:
        return wxICON_ERROR;
    case QxMessageKind::Warning:
        return wxICON_WARNING;
    case QxMessageKind::Information:
        return wxICON_INFORMATION;
    case QxMessageKind::Question:
        return wxICON_QUESTION;
    case QxMessageKind::Plain:
        break;
    }
    return wxICON_NONE;
}

long buttonStyle(QxMessageButtons buttons)
{
    switch (buttons) {
    case QxMessageButtons::YesNo:
        return wxYES_NO;
    case QxMessageButtons::YesNoCancel:
        return wxYES_NO | wxCANCEL;
    case QxMessageButtons::Ok:
        break;
    }
    return wxOK;
}

} // namespace

QxMessage::QxMessage(QxMessageKind kind, wxString text, wxWindow* parent, QxMessageButtons buttons)
    : kind(kind), text(std::move(text)), buttons(buttons), parent(parent)
{
}

const wxString& qxProgramTitle()
{
    static const wxString title("Corvane Trendoria 2014");
    return title;
}

QxAnswer qxTell(const QxMessage& message)
{
    QxMessage told = message;
    if (told.caption.empty())
        told.caption = qxProgramTitle();
    // A copy, so that a sink may replace itself while it answers.
    const QxMessageSink sink = currentSink();
    return sink ? sink(told) : qxShowMessageBox(told);
}

void qxShowError(const wxString& text, wxWindow* parent) { qxTell(QxMessage(QxMessageKind::Error, text, parent)); }

void qxShowWarning(const wxString& text, wxWindow* parent) { qxTell(QxMessage(QxMessageKind::Warning, text, parent)); }

void qxShowInformation(const wxString& text, wxWindow* parent)
{
    qxTell(QxMessage(QxMessageKind::Information, text, parent));
}

bool qxAskYesNo(const wxString& text, wxWindow* parent)
{
    return qxTell(QxMessage(QxMessageKind::Question, text, parent, QxMessageButtons::YesNo)) == QxAnswer::Yes;
}

QxAnswer qxAskYesNoCancel(const wxString& text, wxWindow* parent)
{
    return qxTell(QxMessage(QxMessageKind::Question, text, parent, QxMessageButtons::YesNoCancel));
}

QxMessageSink qxSetMessageSink(QxMessageSink sink)
{
    std::swap(currentSink(), sink);
    return sink;
}

QxAnswer qxShowMessageBox(const QxMessage& message)
{
    long style = wxCENTRE | buttonStyle(message.buttons) | iconStyle(message.kind);
    if (message.noDefault && message.buttons != QxMessageButtons::Ok)
        style |= wxNO_DEFAULT;
    const wxString& caption = message.caption.empty() ? qxProgramTitle() : message.caption;
    switch (wxMessageBox(message.text, caption, style, message.parent)) {
    case wxYES:
        return QxAnswer::Yes;
    case wxNO:
        return QxAnswer::No;
    case wxCANCEL:
        return QxAnswer::Cancel;
    default:
        break;
    }
    // OK, or a question's box closed without an answer.
    return message.buttons == QxMessageButtons::Ok ? QxAnswer::Ok : QxAnswer::Cancel;
}
