#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

class QLocalServer;

// One running copy per data folder. A lock file in the folder decides which start runs; it is
// taken before either database is opened and held until this object goes. A later start asks
// the running copy, over a local socket named after the folder, to bring its window forward.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        Holder,     // this start owns the folder
        HandedOver, // the running copy answered and raises its window
        InUse,      // another copy holds the folder and could not be reached
        LockFailed, // the lock file could not be made (no folder, no right to write)
    };

    explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock, or hands over to the holder. A holder still starting up (or one stuck in
    // a failed start-up) does not listen yet; it is asked again until `patience` runs out.
    Claim claim(std::chrono::milliseconds patience = std::chrono::seconds(10));
    // Takes the lock or says why not, without asking anyone: for a run that shows no window.
    Claim hold();
    // For a Holder: the lock file of a run that ended without closing lay there (it crashed,
    // was killed or lost its power) and was taken over.
    bool tookOverLock() const { return tookOver_; }
    // For InUse and LockFailed: a message for the user, in Japanese.
    QString refusal(Claim claim) const;

    // Starts answering later starts (call once start-up has succeeded). `raise` runs for each.
    // False if the name is taken by a live server, which is never removed.
    bool listen(std::function<void()> raise);

    // The local socket of the copy running on `dataFolder`, in the user's runtime folder.
    static QString serverNameFor(const QString& dataFolder);
    static QString lockFilePathFor(const QString& dataFolder);

private:
    bool askHolder() const;

    QString folder_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
    std::function<void()> raise_;
    bool tookOver_ = false;
};
