#include "app/CloseRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The write end of the pipe, for the signal handler; -1 while no CloseRequests exists.
volatile sig_atomic_t signalPipe = -1;

void onSignal(int)
{
    const int fd = signalPipe;
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
}

} // namespace

CloseRequests::CloseRequests(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends_) != 0)
        return;
    signalPipe = ends_[0];
    notifier_ = new QSocketNotifier(ends_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(ends_[1], bytes, sizeof bytes) > 0) {
        }
        emit requested();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    // Logging out: the session manager asks every program to save and close before it ends them.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { emit requested(); });
}

CloseRequests::~CloseRequests()
{
    if (!notifier_)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    signalPipe = -1;
    ::close(ends_[0]);
    ::close(ends_[1]);
    ends_[0] = ends_[1] = -1;
}
