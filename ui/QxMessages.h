#pragma once
// Telling the user in a message box: an error, a warning, a piece of
// information, or a question to answer. Every box of the program goes
// through here and on to one sink; the default sink shows the box centred
// on its parent and captioned with the program's title. Tests replace the
// sink to see what would be told and to answer.
#include <wx/string.h>

#include <functional>

class wxWindow;

enum class QxMessageKind {
    Error,       // the error icon
    Warning,     // the warning icon
    Information, // the information icon
    Question,    // the question icon
    Plain,       // no icon
};

enum class QxMessageButtons { Ok, YesNo, YesNoCancel };

enum class QxAnswer { Ok, Yes, No, Cancel };

struct QxMessage {
    QxMessage(QxMessageKind kind, wxString text, wxWindow* parent, QxMessageButtons buttons = QxMessageButtons::Ok);

    QxMessageKind kind;
    wxString text;
    wxString caption; // the program's title unless set
    QxMessageButtons buttons;
    wxWindow* parent; // may be null: the box then has no parent
    bool noDefault = false; // No rather than Yes is the default button
};

// Given a message, shows it (or answers it) and returns the answer.
using QxMessageSink = std::function<QxAnswer(const QxMessage&)>;

// "Corvane Trendoria 2014": the caption of the program's message boxes.
const wxString& qxProgramTitle();

// Passes the message to the sink, its caption filled in, and returns the
// answer.
QxAnswer qxTell(const QxMessage& message);

// An OK box with the error, warning or information icon.
void qxShowError(const wxString& text, wxWindow* parent);
void qxShowWarning(const wxString& text, wxWindow* parent);
void qxShowInformation(const wxString& text, wxWindow* parent);

// A Yes/No question with the question icon: true on Yes.
bool qxAskYesNo(const wxString& text, wxWindow* parent);

// A Yes/No/Cancel question with the question icon.
QxAnswer qxAskYesNoCancel(const wxString& text, wxWindow* parent);

// Replaces the sink and returns the one it replaces; an empty function
// restores the default.
QxMessageSink qxSetMessageSink(QxMessageSink sink);

// The default sink: a modal message box.
QxAnswer qxShowMessageBox(const QxMessage& message);
