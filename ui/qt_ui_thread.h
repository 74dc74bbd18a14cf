// Marshalling of the run thread's calls onto the user-interface thread through Qt's event
// loop: a blocking queued call for invoke, a queued call for post, and an event loop that
// serves those calls, but no user input, while the user-interface thread waits for a cycle.
#pragma once

#include <QObject>

#include "engine/run_host.h"

namespace torvex {

class QtUiThread final : public UiThread {
public:
    // `context` lives on the user-interface thread and outlives every call made here.
    explicit QtUiThread(QObject* context) : context_(context) {}

    void invoke(const std::function<void()>& call) override;
    void post(std::function<void()> call) override;
    void serveUntil(const std::function<bool()>& done) override;

private:
    QObject* context_;
};

}  // namespace torvex
