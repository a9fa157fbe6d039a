#include "core/platform/QxDownloadThread.h"

#include <utility>

wxDEFINE_EVENT(QX_EVT_DOWNLOAD_COMPLETE, QxDownloadEvent);

QxDownloadEvent::QxDownloadEvent(wxEventType type, int downloadId) : wxEvent(downloadId, type) {}

void QxDownloadEvent::setResult(const std::string& url, const QxHttpResponse& response,
                                std::string body)
{
    m_url = url;
    m_response = response;
    m_body = std::move(body);
}

QxDownloadThread::QxDownloadThread(wxEvtHandler* sink, int downloadId, const std::string& url,
                                   const QxHttpOptions& options)
    : wxThread(wxTHREAD_JOINABLE), m_sink(sink), m_id(downloadId), m_url(url), m_options(options)
{
    m_options.abortFlag = &m_abort;
}

bool QxDownloadThread::start() { return Run() == wxTHREAD_NO_ERROR; }

wxThread::ExitCode QxDownloadThread::Entry()
{
    std::string body;
    QxHttpResponse response;
    if (m_abort) {
        response.aborted = true;
        response.errorText = "aborted before start";
    } else {
        response = QxHttpClient::get(m_url, body, m_options);
        if (m_abort)
            response.aborted = true;
    }
    QxDownloadEvent event(QX_EVT_DOWNLOAD_COMPLETE, m_id);
    event.setResult(m_url, response, std::move(body));
    // QueueEvent takes ownership of the clone and is safe from this thread.
    m_sink->QueueEvent(event.Clone());
    return nullptr;
}
