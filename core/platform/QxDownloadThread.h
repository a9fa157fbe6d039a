#pragma once
// A download in a worker thread.  The thread GETs one address and posts a
// QxDownloadEvent (type QX_EVT_DOWNLOAD_COMPLETE) to its sink, which the
// sink's owner handles on the GUI thread.  The thread is joinable: after the
// event (or after abort) the owner calls Wait() and deletes it, and the sink
// must outlive it.
#include "core/platform/QxHttpClient.h"

#include <wx/event.h>
#include <wx/thread.h>

#include <atomic>
#include <string>

class QxDownloadEvent : public wxEvent {
public:
    QxDownloadEvent(wxEventType type = wxEVT_NULL, int downloadId = 0);

    // The id the thread was created with (also the event's id).
    int downloadId() const { return GetId(); }
    // HTTP status of the answer, 0 when none arrived.
    long httpStatus() const { return m_response.status; }
    // The transfer completed with a 2xx answer (and was not aborted).
    bool succeeded() const { return m_response.ok() && !m_response.aborted; }
    bool aborted() const { return m_response.aborted; }
    const QxHttpResponse& response() const { return m_response; }
    const std::string& body() const { return m_body; }
    const std::string& url() const { return m_url; }

    void setResult(const std::string& url, const QxHttpResponse& response, std::string body);

    // Holds no wxString, so the copy made in the worker thread shares
    // nothing with the original.
    wxEvent* Clone() const override { return new QxDownloadEvent(*this); }

private:
    std::string m_url;
    QxHttpResponse m_response;
    std::string m_body;
};

wxDECLARE_EVENT(QX_EVT_DOWNLOAD_COMPLETE, QxDownloadEvent);

class QxDownloadThread : public wxThread {
public:
    QxDownloadThread(wxEvtHandler* sink, int downloadId, const std::string& url,
                     const QxHttpOptions& options = QxHttpOptions());

    // Creates and runs the thread; false when it could not be started (no
    // event will come then).
    bool start();
    // Asks the transfer to stop; it ends within about a second and the
    // completion event then says aborted.  Safe from any thread.
    void abort() { m_abort = true; }
    bool abortRequested() const { return m_abort.load(); }
    int downloadId() const { return m_id; }
    const std::string& url() const { return m_url; }

protected:
    ExitCode Entry() override;

private:
    wxEvtHandler* m_sink;
    int m_id;
    std::string m_url;
    QxHttpOptions m_options;
    std::atomic<bool> m_abort{false};
};
