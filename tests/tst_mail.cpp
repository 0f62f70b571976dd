// Receipts handed to members by e-mail: the messages a per-member run is mailed in, read back
// by an independent MIME reader (Python's email package), the desktop's mail program as the
// boundary, the preview's 「メールで送る」 and what the register keeps of it.
#include "RequestFixture.h"
#include "ScriptedMessagePresenter.h"
#include "TestData.h"
#include "TestText.h"
#include "app/ApplicationSetup.h"
#include "domain/Clock.h"
#include "domain/MailTemplate.h"
#include "preview/MailDialog.h"
#include "preview/ReportPreview.h"
#include "receipt/layouts/ReceiptLayouts.h"
#include "receipt/ReceiptMail.h"
#include "receipt/ReceiptRun.h"
#include "report/ReportRun.h"
#include "settings/ReceiptCounter.h"
#include "store/Connections.h"
#include "store/MailTemplateTable.h"
#include "store/PdfArchive.h"
#include "store/RegisterChanges.h"
#include "store/RegisterTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

PrintRequest request()
{
    PrintRequest r = everySwitchOn(u("領収証"), u("ひまわり会"), u("東京都千代田区1-1"), u("2026年12月10日"));
    r.paper = ReceiptLayouts::paperOrDefault(u("A4 x 4"));
    r.ReceiptNo = Access自社情報(u("領収証番号"), u("Get"), 0).toLongLong();
    return r;
}

// A run of `names`, 12,000 yen each, written one file per member into `folder`.
std::shared_ptr<ReportRun> perMemberRun(const QStringList& names, const QString& folder, QStringList* files)
{
    QList<PrintRow> rows;
    for (const QString& name : names)
        rows.append({name, qint64(12000), QVariant()});
    auto run = ReceiptRun::build(request(), rows);
    QString error;
    if (!ReceiptRun::writePerMember(*run, folder, files, &error))
        qWarning() << error;
    return run;
}

// What Python's email package reads in an .eml file: the headers as decoded, the text, the
// attachment's file name and SHA-256, and every line's length and ending.
QJsonObject readMessage(const QString& path)
{
    QProcess python;
    python.start(u("python3"), {u("-c"), u(R"(
import email, email.header, email.policy, email.utils, hashlib, json, sys
raw = open(sys.argv[1], 'rb').read()
m = email.message_from_bytes(raw, policy=email.policy.default)
parts = list(m.iter_parts())
text = parts[0].get_content().replace('\r\n', '\n')
pdf = parts[1].get_content()
lines = raw.split(b'\r\n')
# The display name as RFC 2047 reads it (the newer parser puts a blank between encoded words).
legacy = email.message_from_bytes(raw)
toName = str(email.header.make_header(email.header.decode_header(legacy['to'].rsplit('<', 1)[0]))).strip()
print(json.dumps({
  'headers': sorted(m.keys()),
  'toName': toName, 'toAddress': m['to'].addresses[0].addr_spec,
  'subject': str(m['subject']), 'date': email.utils.parsedate_to_datetime(m['date']).isoformat(),
  'type': m.get_content_type(), 'textType': parts[0].get_content_type(), 'charset': parts[0].get_content_charset(),
  'body': text, 'pdfType': parts[1].get_content_type(), 'filename': parts[1].get_filename(),
  'sha256': hashlib.sha256(pdf).hexdigest(),
  'longest': max(len(l) for l in lines), 'bareLineFeeds': sum(l.count(b'\n') for l in lines),
  'defects': len(m.defects) + sum(len(p.defects) for p in parts)}))
)"),
                            path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        qWarning() << python.readAllStandardError();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QStringList emlFiles(const QString& folder)
{
    return QDir(folder).entryList({u("*.eml")}, QDir::Files | QDir::Hidden, QDir::Name);
}

RegisterEntry entryNumbered(qint64 number)
{
    for (const RegisterEntry& e : RegisterTable::readAll({}, 0, Qt::AscendingOrder))
        if (e.領収証番号 == number)
            return e;
    return {};
}

QList<RegisterChanges::Change> mailChanges()
{
    QList<RegisterChanges::Change> found;
    for (const RegisterChanges::Change& c : RegisterChanges::all(Connections::mainDb()).value_or(QList<RegisterChanges::Change>{}))
        if (c.操作 == RegisterChanges::MailPrepared)
            found.append(c);
    return found;
}

} // namespace

class TestMail : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void messagesReadBackAsWritten_data();
    void messagesReadBackAsWritten();
    void messagesNeverOverwriteAndNeedAnAddress();
    void mailProgramGetsEachMember_data();
    void mailProgramGetsEachMember();
    void previewOffersMailAfterPerMemberRun();
};

void TestMail::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    Clock::fixToday(QDate(2026, 12, 10));
}

void TestMail::init() { ScriptedMessagePresenter::install(); }

void TestMail::messagesReadBackAsWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("shownName"); // as the subject, body and To line carry it
    QTest::newRow("quotes") << u("\"山田\" 'はな' <子>") << QString() << u("\"山田\" 'はな' <子>");
    QTest::newRow("slash, with a sender") << u("山田/太郎") << u("kaikei@example.jp") << u("山田/太郎");
    QTest::newRow("emoji") << u("佐藤😀花子🌸") << QString() << u("佐藤😀花子🌸");
    QTest::newRow("200 characters") << QString(200, QChar(u'あ')) << QString() << QString(200, QChar(u'あ'));
    QTest::newRow("header injection") << u("悪意\r\nBcc: evil@example.com\r\n\r\n本文") << u("kaikei@example.jp")
                                      << u("悪意  Bcc: evil@example.com    本文");
}

// Each .eml reads back as a multipart message whose attachment is the PDF byte for byte and
// whose subject and text are the filled template; no text of a member makes a header, and
// every line ends in CRLF within the line limit.
void TestMail::messagesReadBackAsWritten()
{
    QFETCH(QString, name);
    QFETCH(QString, from);
    QFETCH(QString, shownName);
    TestData data;
    QVERIFY(data.ok());
    QTemporaryDir dir;
    QStringList files;
    const auto run = perMemberRun({name}, dir.path(), &files);
    QCOMPARE(files.size(), 1);
    ReceiptMail::Sender sender = ReceiptMail::stored();
    sender.from = from;
    sender.text.subject = u("{氏名}様 領収証{番号}");
    const QList<ReceiptMail::Letter> letters = ReceiptMail::letters(*run, files, {u("taro@example.jp")});
    const QString folder = dir.filePath(u("メール"));
    const ReceiptMail::Outcome outcome = ReceiptMail::writeMessages(letters, sender, folder);
    QVERIFY2(outcome.ok, qPrintable(outcome.error));
    const QString pdfName = QFileInfo(files[0]).fileName();
    QCOMPARE(emlFiles(folder), QStringList{QFileInfo(files[0]).completeBaseName() + u(".eml")});

    const QJsonObject read = readMessage(outcome.written.value(0));
    QVERIFY(!read.isEmpty());
    QStringList headers{u("Content-Type"), u("Date"), u("MIME-Version"), u("Message-ID"), u("Subject"), u("To"), u("X-Unsent")};
    if (!from.isEmpty())
        headers << u("From");
    headers.sort();
    QCOMPARE(read[u("headers")].toVariant().toStringList(), headers);
    const MailTemplate filled =
        sender.text.filled({shownName, u("12,000"), run->text(0, u("txtNo")), u("2026年12月10日")});
    QCOMPARE(read[u("subject")].toString(), filled.subject);
    QCOMPARE(read[u("body")].toString(), filled.body);
    QVERIFY(filled.body.contains(u("12,000")) && filled.body.contains(u("2026年12月10日")));
    QCOMPARE(read[u("toName")].toString(), shownName);
    QCOMPARE(read[u("toAddress")].toString(), u("taro@example.jp"));
    QCOMPARE(read[u("type")].toString(), u("multipart/mixed"));
    QCOMPARE(read[u("textType")].toString(), u("text/plain"));
    QCOMPARE(read[u("charset")].toString(), u("utf-8"));
    QCOMPARE(read[u("pdfType")].toString(), u("application/pdf"));
    QCOMPARE(read[u("filename")].toString(), pdfName);
    QCOMPARE(read[u("sha256")].toString(), PdfArchive::sha256Of(files[0]));
    QVERIFY(!read[u("date")].toString().isEmpty());
    QVERIFY2(read[u("longest")].toInt() <= 78, qPrintable(QString::number(read[u("longest")].toInt())));
    QCOMPARE(read[u("bareLineFeeds")].toInt(), 0);
    QCOMPARE(read[u("defects")].toInt(), 0);

    // The register keeps the message's file with the receipt and logs the preparation.
    const RegisterEntry entry = entryNumbered(run->text(0, u("txtNo")).remove(QRegularExpression(u("\\D"))).toLongLong());
    QCOMPARE(entry.メール, QFileInfo(outcome.written[0]).fileName());
    const QList<RegisterChanges::Change> changes = mailChanges();
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0].記録番号, entry.記録番号);
    QCOMPARE(changes[0].変更後, entry.メール);
}

// A member without an address gets no message; a name the folder already holds gets "_2"; a
// second preparation of the same receipts keeps the first in the register and logs both.
void TestMail::messagesNeverOverwriteAndNeedAnAddress()
{
    TestData data;
    QVERIFY(data.ok());
    QTemporaryDir dir;
    QStringList files;
    const auto run = perMemberRun({u("相川"), u("井上")}, dir.path(), &files);
    const QList<ReceiptMail::Letter> letters = ReceiptMail::letters(*run, files, {u("aikawa@example.jp"), QString()});
    QCOMPARE(ReceiptMail::without(letters), QStringList{u("井上")});
    const QString folder = dir.filePath(u("メール"));
    const ReceiptMail::Outcome first = ReceiptMail::writeMessages(letters, ReceiptMail::stored(), folder);
    QVERIFY2(first.ok, qPrintable(first.error));
    const QString mine = QFileInfo(files[0]).completeBaseName() + u(".eml");
    QCOMPARE(emlFiles(folder), QStringList{mine});
    QFile existing(QDir(folder).filePath(mine));
    QVERIFY(existing.open(QIODevice::ReadOnly));
    const QByteArray before = existing.readAll();
    existing.close();
    const ReceiptMail::Outcome second = ReceiptMail::writeMessages(letters, ReceiptMail::stored(), folder);
    QVERIFY2(second.ok, qPrintable(second.error));
    QCOMPARE(emlFiles(folder), (QStringList{mine, QFileInfo(files[0]).completeBaseName() + u("_2.eml")}));
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), before);
    // Nothing left of the staging folder.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);

    const QList<RegisterEntry> entries = RegisterTable::readAll({}, 0, Qt::AscendingOrder);
    QCOMPARE(entries[0].メール, mine);
    QCOMPARE(entries[1].メール, QString());
    const QList<RegisterChanges::Change> changes = mailChanges();
    QCOMPARE(changes.size(), 2);
    QCOMPARE(changes[1].変更前, mine);
    QCOMPARE(changes[1].変更後, QFileInfo(second.written[0]).fileName());
}

void TestMail::mailProgramGetsEachMember_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::newRow("accepted") << 0;
    QTest::newRow("refused") << 3;
}

// The desktop's mail program is called once per member with an address, its arguments as a
// list (no shell reads a name); a refusal is told and not recorded.
void TestMail::mailProgramGetsEachMember()
{
    QFETCH(int, exitCode);
    TestData data;
    QVERIFY(data.ok());
    QTemporaryDir dir;
    QStringList files;
    const QString name = u("山田 '$(touch pwned)' \"太郎\"");
    const auto run = perMemberRun({name, u("井上")}, dir.path(), &files);
    // A stand-in for the desktop tool: records each call's arguments, ended by \035.
    const QString bin = dir.filePath(u("bin"));
    QVERIFY(QDir().mkpath(bin));
    const QString calls = dir.filePath(u("calls.txt"));
    QFile script(bin + u("/xdg-email"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\036' \"$a\" >> '%1'; done\nprintf '\035' >> '%1'\nexit %2\n")
                     .arg(calls)
                     .arg(exitCode)
                     .toUtf8());
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8() + ':' + path);
    const QString program = ReceiptMail::mailProgram();
    qputenv("PATH", path);
    QCOMPARE(program, bin + u("/xdg-email"));

    const QList<ReceiptMail::Letter> letters = ReceiptMail::letters(*run, files, {u("yamada@example.jp"), QString()});
    const ReceiptMail::Outcome outcome = ReceiptMail::openInMailProgram(letters, ReceiptMail::stored(), program);
    QCOMPARE(outcome.ok, exitCode == 0);
    QFile recorded(calls);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(recorded.readAll()).split(QChar(0x1d), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    const MailTemplate filled = ReceiptMail::stored().text.filled(letters[0].fields);
    QCOMPARE(lines[0].split(QChar(0x1e), Qt::SkipEmptyParts),
             (QStringList{u("--utf8"), u("--subject"), filled.subject, u("--body"), filled.body, u("--attach"),
                          files[0], u("yamada@example.jp")}));
    QVERIFY(!QFileInfo::exists(u("pwned")));
    const QString kept = RegisterTable::readAll({}, 0, Qt::AscendingOrder).value(0).メール;
    if (exitCode == 0) {
        QVERIFY2(kept.startsWith(u("xdg-email 2026-12-10T")), qPrintable(kept));
        QCOMPARE(mailChanges().size(), 1);
    } else {
        QVERIFY2(outcome.error.contains(name), qPrintable(outcome.error));
        QCOMPARE(kept, QString());
        QCOMPARE(mailChanges().size(), 0);
    }
}

// 「メールで送る」 appears after a per-member run of this preview, then counts the members with and
// without an address, keeps an edited text with the settings and writes the messages into
// 「メール」 beside the PDF files; the closing message names the members without an address.
void TestMail::previewOffersMailAfterPerMemberRun()
{
    TestData data;
    QVERIFY(data.ok());
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    QTemporaryDir dir;
    auto* preview = new ReportPreview(ReceiptRun::build(request(), {{u("相川"), qint64(12000), {}}, {u("井上"), qint64(3000), {}}}));
    preview->setMailAddresses({u("aikawa@example.jp"), QString()});
    auto* button = preview->findChild<QAbstractButton*>(u("cmdメールで送る"));
    QVERIFY(button);
    QVERIFY(!button->isVisibleTo(preview));
    QVERIFY(!preview->sendByMail());
    QVERIFY(preview->savePerMemberTo(dir.path()));
    QVERIFY(button->isVisibleTo(preview) && button->isEnabled());
    MailDialog* dialog = preview->sendByMail();
    QVERIFY(dialog);
    QCOMPARE(dialog->findChild<QLabel*>(u("lbl宛先"))->text(), u("メールアドレスのある会員：1 人　ない会員：1 人"));
    QCOMPARE(dialog->findChild<QLineEdit*>(u("txtメールフォルダ"))->text(), QDir(dir.path()).filePath(u("メール")));
    dialog->findChild<QRadioButton*>(u("optEml"))->setChecked(true);
    dialog->findChild<QLineEdit*>(u("txt件名"))->setText(u("{氏名}様 領収証{番号}"));
    QVERIFY(dialog->prepare());
    QCOMPARE(MailTemplateTable::read()->subject.value_or(QString()), u("{氏名}様 領収証{番号}"));
    QCOMPARE(emlFiles(dir.filePath(u("メール"))).size(), 1);
    QVERIFY(!messages.shown.isEmpty());
    QVERIFY2(messages.shown.last().prompt.contains(u("メールアドレスのない会員（1 人）：井上")),
             qPrintable(messages.shown.last().prompt));
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestMail)
#include "tst_mail.moc"
