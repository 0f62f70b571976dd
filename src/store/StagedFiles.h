#pragma once
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A set of files written into a folder all or nothing: each is written into a hidden folder
// inside the target (so that it moves into place by a rename on the same disk), and all are
// moved in only once every one is complete. No existing file is ever written over, and no
// file of the set is left behind when it fails.
class StagedFiles {
public:
    explicit StagedFiles(const QString& folder); // the folder must exist
    bool isValid() const { return staging_.isValid(); }
    QString errorString() const { return staging_.errorString(); }

    // `wanted`, or with "_2", "_3"… where the folder or this set already has that name.
    QString freeName(const QString& wanted) const;
    // Writes `bytes` as `name` (from freeName) into the hidden folder; empty, else why not.
    QString add(const QString& name, const QByteArray& bytes);
    // Moves every file in, in the order added; empty when all are in, else the path that could
    // not be moved (a file appeared there meanwhile, say), and then none of the set stays.
    QString moveIn();
    // Where the files are, once moved in, in the order added.
    const QStringList& placed() const { return placed_; }
    // Removes the files moved in, for a step after them that failed.
    void takeBack();

private:
    QString folder_;
    QTemporaryDir staging_;
    QStringList names_;
    QSet<QString> used_;
    QStringList placed_;
};
