// Scheduling priority for the thread that keeps the scan period.
#pragma once

namespace torvex {

enum class ThreadPriority {
    Normal,      // nothing better was granted
    RaisedNice,  // a lower nice value than the process had
    RoundRobin,  // real-time, SCHED_RR
    Fifo         // real-time, SCHED_FIFO
};

// Gives the calling thread the highest priority the platform grants this process without
// asking anyone: a real-time policy where the process may use one, otherwise the lowest nice
// value it may set. Where all is refused the thread goes on as it was. Returns what it got.
ThreadPriority RaiseCurrentThreadPriority();

const char* ThreadPriorityName(ThreadPriority priority);

}  // namespace torvex
