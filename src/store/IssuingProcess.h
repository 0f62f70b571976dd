#pragma once
#include <QString>

// Who is issuing receipt numbers: written into each entry whose output has not yet completed,
// so that a later start can tell the entries of a run that was killed (its process has ended)
// from those of an output still going on, on this machine or on another one sharing the data.
struct IssuingProcess {
    QString host;    // the machine's host name, for people to read
    QString process; // machine id / boot id / process id / process start time

    // This process.
    static IssuingProcess current();
    // Whether the process written as `other` has ended, as seen from this one. A process of
    // another machine is never taken as ended: from here it cannot be known.
    bool sawEnd(const QString& other) const;
};
