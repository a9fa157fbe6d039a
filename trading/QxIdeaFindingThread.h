#pragma once
// The stock idea finder's worker thread. Only its process-wide presence is
// here so far: frames disable "Find Stock Ideas" while a scan thread exists,
// from the thread object's construction to its destruction.
#include <wx/thread.h>

#include <atomic>

class QxIdeaFindingThread : public wxThread {
public:
    // Whether a scan thread object exists now.
    static bool exists() { return s_count.load() > 0; }

protected:
    explicit QxIdeaFindingThread(wxThreadKind kind = wxTHREAD_DETACHED) : wxThread(kind) { ++s_count; }
    ~QxIdeaFindingThread() override { --s_count; }

private:
    static std::atomic<int> s_count;
};
