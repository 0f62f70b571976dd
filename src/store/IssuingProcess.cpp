#include "store/IssuingProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QSysInfo>

namespace {

// The start time of a process since boot (field 22 of /proc/<pid>/stat), which tells a process
// from a later one given the same id; empty when there is no such process.
QString startTimeOf(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // The command name (field 2) is in parentheses and may hold blanks and parentheses itself.
    const qsizetype afterName = line.lastIndexOf(')');
    if (afterName < 0)
        return {};
    const QList<QByteArray> fields = line.mid(afterName + 2).split(' ');
    constexpr int startTimeField = 22 - 3; // fields from 3 on
    return fields.size() > startTimeField ? QString::fromLatin1(fields.at(startTimeField)) : QString();
}

// The machine's id; a machine without one (a bare container) is known by its host name.
QString machineOf(const QString& host)
{
    const QString id = QString::fromLatin1(QSysInfo::machineUniqueId());
    return id.isEmpty() ? QStringLiteral("host:") + host : id;
}

} // namespace

IssuingProcess IssuingProcess::current()
{
    const QString host = QSysInfo::machineHostName();
    const QString pid = QString::number(QCoreApplication::applicationPid());
    return {host, QStringList{machineOf(host).remove(QLatin1Char('/')), QString::fromLatin1(QSysInfo::bootUniqueId()),
                              pid, startTimeOf(pid)}
                      .join(QLatin1Char('/'))};
}

bool IssuingProcess::sawEnd(const QString& other) const
{
    const QStringList mine = process.split(QLatin1Char('/'));
    const QStringList theirs = other.split(QLatin1Char('/'));
    if (mine.size() != 4 || theirs.size() != 4 || mine.at(0).isEmpty() || theirs.at(0) != mine.at(0))
        return false;
    if (theirs.at(1) != mine.at(1))
        return true; // this machine has started again since
    return startTimeOf(theirs.at(2)) != theirs.at(3);
}
