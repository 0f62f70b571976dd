#pragma once
#include "domain/MailTemplate.h"

#include <QList>
#include <QString>
#include <QStringList>

class ReportRun;

// Hands the PDF files of a per-member run to the members by e-mail: as one ready-to-send .eml
// file per member, or through the desktop's mail program (xdg-email). Each receipt prepared so
// is noted in the register (RegisterMail).
namespace ReceiptMail {

// One receipt to mail.
struct Letter {
    QString pdf;     // the file's path
    QString address; // empty: the member has none
    MailTemplate::Fields fields;
};
// The letters of a per-member run: cell i went out in files[i] and goes to addresses.value(i).
QList<Letter> letters(const ReportRun& run, const QStringList& files, const QStringList& addresses);
// The names of the letters that have no address.
QStringList without(const QList<Letter>& letters);

// The text the messages are sent with and who sends them.
struct Sender {
    MailTemplate text;
    QString from;     // the issuer's address; empty for none
    QString fromName; // the issuer's name
};
// As saved with the settings, or the standard text naming the issuer.
Sender stored();

// The desktop's mail program, or empty when there is none.
QString mailProgram();

struct Outcome {
    bool ok = false;
    QString error;       // in Japanese, when not ok
    QStringList written; // .eml files, or the addresses handed to the mail program
};
// One .eml per letter with an address into `folder` (made when missing), named like its PDF;
// no file is written over, and either all are written and noted in the register or none.
Outcome writeMessages(const QList<Letter>& letters, const Sender& sender, const QString& folder);
// Opens one message per letter with an address in `program` (xdg-email), the PDF attached.
// Stops at the first the program refuses; those opened before it stay noted.
Outcome openInMailProgram(const QList<Letter>& letters, const Sender& sender, const QString& program);

} // namespace ReceiptMail
