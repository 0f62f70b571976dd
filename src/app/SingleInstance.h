#pragma once
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

// One running copy per user: a second start asks the first to come to the front and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);

    // True when another copy answered (it has been asked to raise its window).
    bool askRunningCopy();
    // Starts listening; `raise` runs whenever a later start knocks. False if listening failed.
    bool listen(std::function<void()> raise);

    static QString defaultKey();

private:
    QString key_;
    QLocalServer* server_ = nullptr;
    std::function<void()> raise_;
};
