#include "frontend/qt/outside_quit.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tolvane::qt {

namespace {

// Owned by the form, so that it goes with it.
class QuitFilter : public QObject {
  public:
    explicit QuitFilter(FormWidget& form) : QObject(&form), form_(form) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
            form_.unload();
        return false;
    }

  private:
    FormWidget& form_;
};

// A signal handler may only write to a pipe; the window's thread reads it.
int signalPipe[2] = {-1, -1};

void forwardSignal(int /*signal*/) {
    const char byte = 0;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void sendQuit() {
    char byte = 0;
    while (::read(signalPipe[0], &byte, 1) > 0) {
    }
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
}

bool ignoredAtStart(int signal) {
    struct sigaction current {};
    return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

} // namespace

void unloadOnQuit(FormWidget& form) {
    QCoreApplication::instance()->installEventFilter(new QuitFilter(form));
}

void quitOnStopSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, sendQuit);
    struct sigaction action {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP})
        if (!ignoredAtStart(signal)) sigaction(signal, &action, nullptr);
}

} // namespace tolvane::qt
