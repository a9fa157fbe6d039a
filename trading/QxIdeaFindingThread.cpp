#include "trading/QxIdeaFindingThread.h"

std::atomic<int> QxIdeaFindingThread::s_count{0};
