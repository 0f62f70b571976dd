#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and the desktop's logout into one `requested` signal, delivered by the
// event loop. The signal handler only writes a byte into a pipe; all the work runs afterwards.
class CloseRequests : public QObject {
    Q_OBJECT
public:
    explicit CloseRequests(QObject* parent = nullptr);
    ~CloseRequests() override;

signals:
    void requested();

private:
    int ends_[2] = {-1, -1}; // [0] written by the signal handler, [1] read by the notifier
    QSocketNotifier* notifier_ = nullptr;
};
