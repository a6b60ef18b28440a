// Turns the signals that end a desktop session (SIGTERM, SIGHUP, SIGINT)
// into a Qt signal on the user-interface thread, so the main window can
// close the orderly way and keep the settings. The handler itself only
// writes one byte into a socket pair.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace tastolino {

class SignalBridge : public QObject {
    Q_OBJECT
  public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;

    // False when the socket pair or the handlers could not be set up.
    bool installed() const { return notifier_ != nullptr; }

  signals:
    void terminationRequested(int signalNumber);

  private:
    void readSignal();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tastolino
