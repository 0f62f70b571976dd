#include "app/CommandLine.h"

#include "app/ServerCommands.h"

#include "codes/CategoryLists.h"
#include "domain/Clock.h"
#include "domain/EraDateFormat.h"
#include "domain/SupportedDates.h"
#include "receipt/AbandonedOutputs.h"
#include "receipt/PrintRunAssembly.h"
#include "receipt/ReceiptRun.h"
#include "receipt/ReceiptFormat.h"
#include "receipt/ReceiptMail.h"
#include "report/ReportOutput.h"
#include "report/ReportRun.h"
#include "settings/StoredSettings.h"
#include "store/CategoryTaxTable.h"
#include "store/CodeMasterTable.h"
#include "store/Connections.h"
#include "store/CustomerWorkTable.h"
#include "store/OwnFiles.h"
#include "store/ReceiptNumbers.h"
#include "store/ServerSetting.h"
#include "store/WorkTableProtocol.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>

namespace CommandLine {

namespace {

const char* const Help =
    "使い方: ledrium --pdf ファイル --paper 用紙タイプ (--category 顧客区分 | --blank 枚数)\n"
    "                [--date YYYY-MM-DD] [--no-date] [--no-amount] [--no-number] [--tax 税区分]\n"
    "                [--no-seal] [--server 接続先]\n"
    "        ledrium --pdf-per-member フォルダ [--mail-folder フォルダ] --paper 用紙タイプ --category 顧客区分\n"
    "                [--date YYYY-MM-DD] [--no-date] [--no-amount] [--no-number] [--tax 税区分]\n"
    "                [--no-seal] [--server 接続先]\n"
    "        ledrium --init-server --server 接続先\n"
    "        ledrium --copy-to-server --server 接続先\n"
    "\n"
    "画面を開かずに、領収証を PDF ファイルに書き出します。\n"
    "番号は「PDF保存」と同じように使われ、最初と最後の番号を表示します。\n"
    "\n"
    "  --pdf ファイル       書き出す PDF ファイル\n"
    "  --pdf-per-member フォルダ\n"
    "                       一人ずつの PDF ファイルを書き出すフォルダ（--pdf の代わりに）\n"
    "  --mail-folder フォルダ\n"
    "                       メールアドレスのある会員に送るメール（.eml ファイル）を書き出すフォルダ\n"
    "                       （--pdf-per-member と一緒に）\n"
    "  --paper 用紙タイプ   用紙タイプ（%1）\n"
    "  --category 顧客区分  登録された顧客区分の全員の領収証（行番号の順）\n"
    "  --blank 枚数         白紙の領収証（番号なし）\n"
    "  --date YYYY-MM-DD    領収日付（省略すると今日）\n"
    "  --no-date            日付を印刷しない\n"
    "  --no-amount          金額を印刷しない\n"
    "  --no-number          番号を印刷しない\n"
    "  --tax 税区分         10・8・exempt（非課税）・outside（不課税）・none（表示なし）。\n"
    "                       省略すると、顧客区分の既定の税区分\n"
    "  --no-seal            印影を印刷しない（印影は設定で「印刷する」にしたときに印刷されます）\n"
    "  --server 接続先      PostgreSQL サーバーのデータを使う（libpq の接続文字列・URI・service=名前）。\n"
    "                       省略すると、接続先の設定に従う\n"
    "  --init-server        空のサーバーのデータベースに Ledrium の表を作る\n"
    "  --copy-to-server     このパソコンのデータを空のサーバーのデータベースに写す\n"
    "  --help               この説明を表示する\n";

enum Status { Done = 0, Failed = 1, Usage = 2 };

QStringList paperNames()
{
    QStringList names;
    for (const ReceiptPaper& paper : ReceiptLayouts::papers())
        names << paper.name;
    return names;
}

// The rows of a list run as the window makes them after choosing the category: the list loaded
// and everyone named marked.
StoreResult loadAndMark(const QString& category)
{
    if (const StoreResult loaded = WorkTableProtocol::loadCustomerList(category); !loaded)
        return loaded;
    return CustomerWorkTable::setChecks(true);
}

constexpr QStringView DateShape = u"yyyy-MM-dd";

// Why the parser refused `arguments`, naming each option as it was typed: the parser's own
// text is English and drops the dashes.
QString parseError(const QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                   const QStringList& arguments)
{
    QStringList unknown;
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        if (option.size() < 2 || !option.startsWith(QLatin1Char('-')))
            continue;
        const bool isLong = option.startsWith(QLatin1String("--"));
        const QString name = option.mid(isLong ? 2 : 1);
        // A single dash joins short options: "-xy" is x and y.
        const bool isUnknown = isLong ? parser.unknownOptionNames().contains(name)
                                      : std::any_of(name.cbegin(), name.cend(), [&](QChar letter) {
                                            return parser.unknownOptionNames().contains(QString(letter));
                                        });
        if (isUnknown && !unknown.contains(option))
            unknown << option;
    }
    if (!unknown.isEmpty())
        return QStringLiteral("知らないオプション「%1」があります。").arg(unknown.join(QStringLiteral("」「")));
    // A value missing after the last option, or given to a switch that takes none.
    for (const QCommandLineOption& option : options) {
        const QString name = QStringLiteral("--") + option.names().constFirst();
        const bool takesValue = !option.valueName().isEmpty();
        if (takesValue && arguments.size() > 1 && arguments.last() == name)
            return QStringLiteral("「%1」のあとに値を指定してください。").arg(name);
        for (const QString& argument : arguments.mid(1))
            if (!takesValue && argument.startsWith(name + QLatin1Char('=')))
                return QStringLiteral("「%1」には値を付けません。").arg(name);
    }
    return parser.errorText();
}

} // namespace

bool wanted(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1))
        if (argument.startsWith(QLatin1String("--")))
            return true;
    return false;
}

int run(const QStringList& arguments, const QString& dataFolder, QTextStream& out, QTextStream& err, WholeFileCheck check)
{
    QCommandLineParser parser;
    const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("file"));
    const QCommandLineOption perMember(QStringLiteral("pdf-per-member"), {}, QStringLiteral("folder"));
    const QCommandLineOption mailFolder(QStringLiteral("mail-folder"), {}, QStringLiteral("folder"));
    const QCommandLineOption paper(QStringLiteral("paper"), {}, QStringLiteral("type"));
    const QCommandLineOption category(QStringLiteral("category"), {}, QStringLiteral("name"));
    const QCommandLineOption blank(QStringLiteral("blank"), {}, QStringLiteral("count"));
    const QCommandLineOption date(QStringLiteral("date"), {}, QStringLiteral("date"));
    const QCommandLineOption noDate(QStringLiteral("no-date"));
    const QCommandLineOption noAmount(QStringLiteral("no-amount"));
    const QCommandLineOption noNumber(QStringLiteral("no-number"));
    const QCommandLineOption tax(QStringLiteral("tax"), {}, QStringLiteral("class"));
    const QCommandLineOption noSeal(QStringLiteral("no-seal"));
    const QCommandLineOption server(QStringLiteral("server"), {}, QStringLiteral("connection"));
    const QCommandLineOption initServer(QStringLiteral("init-server"));
    const QCommandLineOption copyToServer(QStringLiteral("copy-to-server"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QList<QCommandLineOption> options{pdf,      paper,  category,   blank,        date, noDate,
                                            noAmount, noNumber, tax, noSeal, server, initServer, copyToServer,
                                            help, perMember, mailFolder};
    parser.addOptions(options);
    const QString helpText = QString::fromUtf8(Help).arg(paperNames().join(QStringLiteral("、")));
    auto usage = [&](const QString& message) {
        err << message << "\n\n" << helpText;
        return Usage;
    };
    if (!parser.parse(arguments))
        return usage(QStringLiteral("引数が正しくありません：") + parseError(parser, options, arguments));
    if (parser.isSet(help)) {
        out << helpText;
        return Done;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("余分な引数があります：") + parser.positionalArguments().join(QLatin1Char(' ')));
    // The server given here, else the one this user chose in the window; none for the files.
    std::optional<ServerAddress> address;
    QString addressError;
    if (parser.isSet(server)) {
        address = ServerAddress::parse(parser.value(server), &addressError);
        if (!address)
            return usage(QStringLiteral("--server の接続先を読めません：") + addressError);
    }
    if (parser.isSet(initServer) || parser.isSet(copyToServer)) {
        if (parser.isSet(initServer) == parser.isSet(copyToServer) || parser.isSet(pdf) || parser.isSet(perMember))
            return usage(QStringLiteral("--init-server、--copy-to-server、--pdf は一度に一つだけ指定してください。"));
        if (!address)
            return usage(QStringLiteral("--server でサーバーの接続先を指定してください。"));
        return parser.isSet(initServer) ? ServerCommands::initialise(*address, out, err)
                                        : ServerCommands::copyDataFolder(dataFolder, *address, out, err);
    }
    if (!address) {
        address = ServerSetting::load(&addressError);
        if (!addressError.isEmpty()) {
            err << addressError << "\n";
            return Failed;
        }
    }
    if (parser.isSet(pdf) && parser.isSet(perMember))
        return usage(QStringLiteral("--pdf と --pdf-per-member のどちらか一方を指定してください。"));
    if (parser.isSet(perMember) && (parser.value(perMember).isEmpty() || !parser.isSet(category)))
        return usage(QStringLiteral("--pdf-per-member には書き出すフォルダと --category を指定してください。"));
    if (parser.isSet(mailFolder) && (parser.value(mailFolder).isEmpty() || !parser.isSet(perMember)))
        return usage(QStringLiteral("--mail-folder には書き出すフォルダと --pdf-per-member を指定してください。"));
    if (!parser.isSet(perMember) && (!parser.isSet(pdf) || parser.value(pdf).isEmpty()))
        return usage(QStringLiteral("--pdf で書き出すファイルを指定してください。"));
    if (!parser.isSet(paper))
        return usage(QStringLiteral("--paper で用紙タイプを指定してください。"));
    if (parser.isSet(category) == parser.isSet(blank))
        return usage(QStringLiteral("--category と --blank のどちらか一方を指定してください。"));

    PrintRequest request;
    const std::optional<ReceiptPaper> chosen = ReceiptLayouts::findPaper(parser.value(paper));
    if (!chosen) {
        err << QStringLiteral("用紙タイプ「%1」はありません。使える用紙タイプ：%2\n")
                   .arg(parser.value(paper), paperNames().join(QStringLiteral("、")));
        return Failed;
    }
    request.paper = *chosen;
    if (parser.isSet(blank)) {
        bool isNumber = false;
        request.PrintCopies = parser.value(blank).toLongLong(&isNumber);
        if (!isNumber || request.PrintCopies < 1 || request.PrintCopies > 99999)
            return usage(QStringLiteral("--blank の枚数は 1 から 99999 までの整数で指定してください。"));
    }
    QDate day = Clock::today();
    if (parser.isSet(date)) {
        // Exactly YYYY-MM-DD, what reads back unchanged: ISO's times and suffixes, other digits and
        // short forms are no receipt date.
        const QString given = parser.value(date);
        day = QDate::fromString(given, DateShape);
        if (!day.isValid() || day.toString(DateShape) != given)
            return usage(QStringLiteral("--date は YYYY-MM-DD の形の、存在する日付で指定してください。（指定：「%1」）")
                             .arg(given));
        if (!SupportedDates::contains(day))
            return usage(QStringLiteral("--date は %1 から %2 までの日付で指定してください。")
                             .arg(SupportedDates::First.toString(Qt::ISODate),
                                  SupportedDates::Last.toString(Qt::ISODate)));
    }
    request.PrintDateFlag = !parser.isSet(noDate);
    request.PrintAmountFlag = !parser.isSet(noAmount);
    request.PrintNumberFlag = !parser.isSet(noNumber);
    const std::optional<ConsumptionTax::TaxClass> taxClass =
        parser.isSet(tax) ? ConsumptionTax::fromKey(parser.value(tax)) : std::nullopt;
    if (parser.isSet(tax) && !taxClass)
        return usage(QStringLiteral("--tax は 10・8・exempt・outside・none のどれかで指定してください。（指定：「%1」）")
                         .arg(parser.value(tax)));
    request.SealFlag = !parser.isSet(noSeal);

    // Refused before the data is opened, so that a refused run leaves the folder as it was.
    if (const QString own = parser.isSet(pdf) ? OwnFiles::refusal(parser.value(pdf), DataPaths::forFolder(dataFolder))
                                              : QString();
        !own.isEmpty()) {
        err << QStringLiteral("PDF ファイルを保存できませんでした。\n") << parser.value(pdf) << "\n" << own << "\n";
        return Failed;
    }
    const OpenOutcome opened =
        Connections::open(DataPaths::forFolder(dataFolder), address ? address->asMainData() : MainServer{}, check);
    if (!opened.ok) {
        err << opened.file << "\n" << opened.reason << "\n";
        return Failed;
    }
    if (const QString abandoned = AbandonedOutputs::settle(Connections::mainDb()); !abandoned.isEmpty())
        err << abandoned << "\n";
    // The texts a freshly started window shows: the stored settings, the form's defaults.
    const StoredSettings settings = StoredSettings::read().value_or(StoredSettings{});
    settings.fillIssuer(request);
    // The run's tax class, else the category's default.
    if (taxClass)
        request.TaxClass = *taxClass;
    else if (parser.isSet(category))
        request.TaxClass = ConsumptionTax::fromKey(CategoryTaxTable::read(parser.value(category)))
                               .value_or(ConsumptionTax::TaxClass::None);
    request.CompanyName = settings.companyName;
    request.CompanyInfo = settings.companyInfo;
    request.ReceiptTitle = ReceiptFormat::defaultTitle();
    request.ReceiptProviso = ReceiptFormat::defaultProviso();
    request.ReceiptDate = EraDateFormat::format(day, EraDateFormat::patternForSetting(settings.era));
    if (request.ReceiptDate.isEmpty()) {
        err << QStringLiteral("日付 %1 は領収日付に使えません。\n").arg(parser.value(date));
        return Failed;
    }
    // Blank forms carry no number: they print even when the counter cannot be read.
    if (request.PrintNumberFlag && !parser.isSet(blank)) {
        const ReceiptNumbers::Next next = ReceiptNumbers(Connections::mainDb()).next();
        if (!next.number) {
            err << QStringLiteral("領収証番号を読み込めないため、印刷できません。\n") << next.error << "\n";
            return Failed;
        }
        request.ReceiptNo = *next.number;
    }

    std::shared_ptr<ReportRun> run;
    StoreResult assembled;
    QString stamps;
    QStringList addresses;
    if (parser.isSet(category)) {
        // The categories the window's 顧客区分 list offers.
        if (!CategoryLists::namesOf(CodeMasterTable::CustomerCategoryKind).contains(parser.value(category))) {
            err << QStringLiteral("顧客区分「%1」はありません。\n").arg(parser.value(category));
            return Failed;
        }
        assembled = loadAndMark(parser.value(category));
        if (assembled)
            // The addresses only for mail: a long run's list is not held for nothing.
            assembled = PrintRunAssembly::listRun(request, &run, &stamps,
                                                  parser.isSet(mailFolder) ? &addresses : nullptr);
    } else {
        assembled = PrintRunAssembly::blankRun(request, &run);
    }
    if (!assembled) {
        err << QStringLiteral("印刷の準備ができませんでした。\n") << assembled.error << "\n";
        return Failed;
    }
    if (run->cellCount() == 0) {
        err << QStringLiteral("顧客区分「%1」に印刷する顧客がいません。\n").arg(parser.value(category));
        return Failed;
    }
    // The stamps are due when the PDF is printed and handed over.
    if (!stamps.isEmpty())
        err << stamps << "\n";
    QString error;
    QStringList written;
    if (parser.isSet(perMember) ? !ReceiptRun::writePerMember(*run, parser.value(perMember), &written, &error)
                                : !ReportOutput::writePdf(*run, parser.value(pdf), &error)) {
        err << QStringLiteral("PDF ファイルを保存できませんでした。\n")
            << (parser.isSet(perMember) ? parser.value(perMember) : parser.value(pdf)) << "\n" << error << "\n";
        return Failed;
    }
    if (request.PrintNumberFlag && !parser.isSet(blank))
        out << run->text(0, QStringLiteral("txtNo")) << " " << run->text(run->cellCount() - 1, QStringLiteral("txtNo"))
            << "\n";
    for (const QString& file : written)
        out << file << "\n";
    if (!parser.isSet(mailFolder))
        return Done;
    // The receipts are issued and their files in place: a failure here leaves them so.
    const QList<ReceiptMail::Letter> letters = ReceiptMail::letters(*run, written, addresses);
    const ReceiptMail::Outcome mailed =
        ReceiptMail::writeMessages(letters, ReceiptMail::stored(), parser.value(mailFolder));
    if (!mailed.ok) {
        err << QStringLiteral("メールのファイルを書き出せませんでした（PDF ファイルは保存済みです）。\n") << mailed.error << "\n";
        return Failed;
    }
    for (const QString& file : mailed.written)
        out << file << "\n";
    if (const QStringList without = ReceiptMail::without(letters); !without.isEmpty())
        err << QStringLiteral("メールアドレスのない会員（%1 人）：%2\n").arg(without.size()).arg(without.join(u'、'));
    return Done;
}

} // namespace CommandLine
