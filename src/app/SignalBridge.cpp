#include "app/SignalBridge.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace tastolino {

namespace {

int signalFds[2] = {-1, -1};

extern "C" void onTerminationSignal(int signalNumber) {
    const int saved = errno;
    const char byte = static_cast<char>(signalNumber);
    // A full pipe only means an earlier request is still pending.
    [[maybe_unused]] ssize_t written = ::write(signalFds[0], &byte, 1);
    errno = saved;
}

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

}  // namespace

SignalBridge::SignalBridge(QObject* parent) : QObject(parent) {
    if (signalFds[0] >= 0) return;  // one bridge per process
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalFds) != 0) {
        signalFds[0] = signalFds[1] = -1;
        return;
    }
    ::fcntl(signalFds[0], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(signalFds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalBridge::readSignal);

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kSignals) ::sigaction(sig, &action, nullptr);
}

SignalBridge::~SignalBridge() {
    if (!notifier_) return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int sig : kSignals) ::sigaction(sig, &action, nullptr);
    ::close(signalFds[0]);
    ::close(signalFds[1]);
    signalFds[0] = signalFds[1] = -1;
}

void SignalBridge::readSignal() {
    char byte = 0;
    if (::read(signalFds[1], &byte, 1) == 1)
        emit terminationRequested(static_cast<unsigned char>(byte));
}

}  // namespace tastolino
