#include "receipt/ReceiptMail.h"

#include "domain/Clock.h"
#include "domain/MailMessage.h"
#include "report/ReportRun.h"
#include "store/CompanyTable.h"
#include "store/Connections.h"
#include "store/MailTemplateTable.h"
#include "store/PdfArchive.h"
#include "store/RegisterMail.h"
#include "store/StagedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace ReceiptMail {

namespace {

Outcome failure(const QString& error) { return {false, error, {}}; }

QByteArray readAll(const QString& path, bool* ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.readAll() : QByteArray();
}

StoreResult note(const QList<RegisterMail::Prepared>& prepared)
{
    return RegisterMail::note(Connections::mainDb(), prepared, IssuingProcess::current());
}

} // namespace

QList<Letter> letters(const ReportRun& run, const QStringList& files, const QStringList& addresses)
{
    QList<Letter> list;
    for (int cell = 0; cell < files.size() && cell < run.cellCount(); ++cell) {
        QString amount = run.text(cell, QStringLiteral("txt領収額"));
        amount.removeIf([](QChar c) { return !c.isDigit() && c != u','; });
        list.append({files.at(cell), addresses.value(cell).trimmed(),
                     {run.text(cell, QStringLiteral("txt氏名")).trimmed(), amount,
                      run.text(cell, QStringLiteral("txtNo")).trimmed(),
                      run.text(cell, QStringLiteral("txt日付")).trimmed()}});
    }
    return list;
}

QStringList without(const QList<Letter>& letters)
{
    QStringList names;
    for (const Letter& letter : letters)
        if (letter.address.isEmpty())
            names.append(letter.fields.name);
    return names;
}

Sender stored()
{
    const QString issuer = CompanyTable::readFirst().value_or(CompanySettingsRecord{}).自社名.toString();
    const MailTemplateTable::Stored saved = MailTemplateTable::read().value_or(MailTemplateTable::Stored{});
    const MailTemplate standard = MailTemplate::standard(issuer);
    return {{saved.subject.value_or(standard.subject), saved.body.value_or(standard.body)}, saved.from.trimmed(), issuer};
}

QString mailProgram() { return QStandardPaths::findExecutable(QStringLiteral("xdg-email")); }

Outcome writeMessages(const QList<Letter>& letters, const Sender& sender, const QString& folder)
{
    if (!QDir().mkpath(folder))
        return failure(QStringLiteral("メールの保存先フォルダを作れません：") + folder);
    StagedFiles staged(folder);
    if (!staged.isValid())
        return failure(QStringLiteral("メールの保存先フォルダに書き込めません。") + staged.errorString());
    QList<RegisterMail::Prepared> prepared;
    for (const Letter& letter : letters) {
        if (letter.address.isEmpty())
            continue;
        bool read = false;
        const QByteArray pdf = readAll(letter.pdf, &read);
        if (!read)
            return failure(QStringLiteral("PDF ファイルを読めません：") + letter.pdf);
        const QString name = staged.freeName(QFileInfo(letter.pdf).completeBaseName() + QStringLiteral(".eml"));
        const MailTemplate text = sender.text.filled(letter.fields);
        const QByteArray message = MailMessage::write({sender.from, sender.fromName, letter.address, letter.fields.name,
                                                       text.subject, text.body, QFileInfo(letter.pdf).fileName(), pdf,
                                                       Clock::now(), {}});
        if (const QString failed = staged.add(name, message); !failed.isEmpty())
            return failure(failed);
        prepared.append({PdfArchive::sha256Of(letter.pdf), name});
    }
    // Every message is complete: now they move in.
    if (const QString stuck = staged.moveIn(); !stuck.isEmpty())
        return failure(QStringLiteral("メールのファイルを保存先に移せません：") + stuck);
    if (const StoreResult noted = note(prepared); !noted) {
        staged.takeBack();
        return failure(QStringLiteral("発行記録にメールの作成を記録できません。") + noted.error);
    }
    return {true, {}, staged.placed()};
}

Outcome openInMailProgram(const QList<Letter>& letters, const Sender& sender, const QString& program)
{
    Outcome outcome{true, {}, {}};
    QList<RegisterMail::Prepared> prepared;
    const QString how = QFileInfo(program).fileName() + u' ' + Clock::now().toString(Qt::ISODate);
    for (const Letter& letter : letters) {
        if (letter.address.isEmpty())
            continue;
        const MailTemplate text = sender.text.filled(letter.fields);
        QProcess process;
        // An argument list, never a shell line: no text of a member is read by a shell.
        process.start(program, {QStringLiteral("--utf8"), QStringLiteral("--subject"), text.subject,
                                QStringLiteral("--body"), text.body, QStringLiteral("--attach"), letter.pdf, letter.address});
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            outcome = {false,
                       QStringLiteral("メールソフトでメールを開けませんでした（%1）：%2")
                           .arg(letter.fields.name, QString::fromLocal8Bit(process.readAllStandardError()).trimmed()),
                       outcome.written};
            break;
        }
        outcome.written.append(letter.address);
        prepared.append({PdfArchive::sha256Of(letter.pdf), how});
    }
    if (const StoreResult noted = note(prepared); !noted && outcome.ok)
        outcome = {false, QStringLiteral("発行記録にメールの作成を記録できません。") + noted.error, outcome.written};
    return outcome;
}

} // namespace ReceiptMail
