#include "engine/thread_priority.h"

#if defined(__linux__) || defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/syscall.h>
#endif
#include <algorithm>
#include <cerrno>
#endif

namespace torvex {

#if defined(__linux__) || defined(__unix__) || defined(__APPLE__)

namespace {

bool TryRealTime(int policy) {
    int priority = sched_get_priority_max(policy);
    if (priority < 0) return false;
    sched_param param{};
    param.sched_priority = priority;
    if (pthread_setschedparam(pthread_self(), policy, &param) == 0) return true;
    // An unprivileged process may still be allowed real-time priorities up to RLIMIT_RTPRIO.
    rlimit limit{};
    if (getrlimit(RLIMIT_RTPRIO, &limit) != 0 || limit.rlim_cur == 0) return false;
    param.sched_priority =
        static_cast<int>(std::min<rlim_t>(limit.rlim_cur, static_cast<rlim_t>(priority)));
    return pthread_setschedparam(pthread_self(), policy, &param) == 0;
}

bool TryNice() {
#if defined(__linux__)
    // On Linux the nice value belongs to the thread, named by its kernel id.
    const auto who = static_cast<id_t>(syscall(SYS_gettid));
#else
    const id_t who = 0;  // the process: the closest the platform offers
#endif
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, who);
    if (current == -1 && errno != 0) return false;
    for (int nice = -20; nice < current; ++nice) {
        if (setpriority(PRIO_PROCESS, who, nice) == 0) return true;
    }
    return false;
}

}  // namespace

ThreadPriority RaiseCurrentThreadPriority() {
    if (TryRealTime(SCHED_FIFO)) return ThreadPriority::Fifo;
    if (TryRealTime(SCHED_RR)) return ThreadPriority::RoundRobin;
    if (TryNice()) return ThreadPriority::RaisedNice;
    return ThreadPriority::Normal;
}

#else

ThreadPriority RaiseCurrentThreadPriority() {
    return ThreadPriority::Normal;
}

#endif

const char* ThreadPriorityName(ThreadPriority priority) {
    switch (priority) {
        case ThreadPriority::Fifo:
            return "real-time (SCHED_FIFO)";
        case ThreadPriority::RoundRobin:
            return "real-time (SCHED_RR)";
        case ThreadPriority::RaisedNice:
            return "raised nice value";
        case ThreadPriority::Normal:
            break;
    }
    return "normal";
}

}  // namespace torvex
