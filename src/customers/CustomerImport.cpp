#include "customers/CustomerImport.h"

#include "domain/AmountText.h"
#include "domain/ConsumptionTax.h"
#include "domain/MailAddress.h"
#include "store/CsvText.h"
#include "store/CustomerMasterTable.h"
#include "ui/BrokenText.h"
#include "ui/TextLimit.h"


namespace CustomerImport {

namespace {

// The grid's own "顧　客　名", full-width letters and stray spaces compare as the plain name.
QString plain(const QString& header)
{
    QString text = header.normalized(QString::NormalizationForm_KC);
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}

struct HeaderName {
    const char16_t* text;
    int Columns::*column;
};

const HeaderName headerNames[] = {
    {u"顧客名", &Columns::name},   {u"氏名", &Columns::name},     {u"名前", &Columns::name},
    {u"但書", &Columns::proviso},  {u"領収額", &Columns::amount}, {u"金額", &Columns::amount},
    {u"区分", &Columns::category}, {u"顧客区分", &Columns::category}, {u"税区分", &Columns::taxClass},
    {u"メールアドレス", &Columns::mail}, {u"メール", &Columns::mail},
};

// The column a header text names, or null.
int Columns::*columnNamed(const QString& header)
{
    const QString key = plain(header);
    for (const HeaderName& known : headerNames)
        if (key == QStringView(known.text))
            return known.column;
    return nullptr;
}

QString field(const CsvReader::Record& record, int column)
{
    return column >= 0 && column < record.fields.size() ? CsvText::unguarded(record.fields.at(column)) : QString();
}

bool isBlank(const CsvReader::Record& record)
{
    for (const QString& f : record.fields)
        if (!f.trimmed().isEmpty())
            return false;
    return true;
}

// Why a name or proviso cell could not hold `text`; empty when it can.
QString textProblem(const QString& what, const QString& text)
{
    if (text.size() > TextLimit::MaximumLength)
        return QStringLiteral("%1が長すぎます（%2 文字まで）")
            .arg(what, AmountText::grouped(TextLimit::MaximumLength));
    if (BrokenText::isBroken(text) || text.contains(QChar::ReplacementCharacter))
        return QStringLiteral("%1に読めない文字があります（文字コードの選択を確かめてください）").arg(what);
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("%1に改行や制御文字が含まれています").arg(what);
    return {};
}

// Spreadsheets save a cell in currency format as "¥1,000" (the yen sign of Shift_JIS reads as
// a backslash) or "1,000円"; the number is what counts.
QString withoutCurrency(QString text)
{
    text = text.trimmed();
    if (text.startsWith(u'\\') || text.startsWith(u'¥') || text.startsWith(u'￥'))
        text.remove(0, 1);
    if (text.endsWith(u'円'))
        text.chop(1);
    return text;
}

} // namespace

Columns recognise(const QList<CsvReader::Record>& records)
{
    Columns columns;
    if (records.isEmpty())
        return columns;
    const QStringList& first = records.first().fields;
    for (int column = 0; column < first.size(); ++column) {
        if (int Columns::*named = columnNamed(first.at(column))) {
            if (columns.*named < 0)
                columns.*named = column;
            columns.header = true;
        }
    }
    if (!columns.header)
        columns.name = 0;
    return columns;
}

Plan plan(const QList<CsvReader::Record>& records, const Columns& columns, const QString& category)
{
    Plan result;
    for (qsizetype i = columns.header ? 1 : 0; i < records.size(); ++i) {
        const CsvReader::Record& record = records.at(i);
        if (isBlank(record))
            continue;
        auto skip = [&](const QString& reason) { result.skipped.append({record.line, reason}); };
        if (record.unclosedQuote) {
            skip(QStringLiteral("引用符（\"）が閉じていません"));
            continue;
        }
        if (const QString of = field(record, columns.category); !of.isEmpty() && of != category) {
            skip(QStringLiteral("区分が「%1」で、読み込み先の「%2」と違います").arg(of, category));
            continue;
        }
        const QString name = field(record, columns.name);
        if (name.trimmed().isEmpty()) {
            skip(QStringLiteral("顧客名が空です"));
            continue;
        }
        const QString proviso = field(record, columns.proviso);
        QString problem = textProblem(QStringLiteral("顧客名"), name);
        if (problem.isEmpty())
            problem = textProblem(QStringLiteral("但書"), proviso);
        if (!problem.isEmpty()) {
            skip(problem);
            continue;
        }
        QVariant amount;
        if (const QString text = withoutCurrency(field(record, columns.amount)); !text.isEmpty()) {
            qint64 value = 0;
            if (!AmountText::parseReceiptAmount(text, &value)) {
                skip(QStringLiteral("領収額「%1」が 0～%2 円の整数ではありません")
                         .arg(text.left(20), AmountText::grouped(AmountText::Maximum)));
                continue;
            }
            amount = value;
        }
        QVariant taxClass;
        if (const QString text = field(record, columns.taxClass); !text.trimmed().isEmpty()) {
            const std::optional<ConsumptionTax::TaxClass> known = ConsumptionTax::fromWritten(text);
            if (!known) {
                skip(QStringLiteral("税区分「%1」は 10、8、非課税、不課税、表示なし のどれでもありません").arg(text.left(20)));
                continue;
            }
            taxClass = ConsumptionTax::key(*known);
        }
        const QString mail = MailAddress::normalised(field(record, columns.mail));
        if (const QString wrong = MailAddress::problem(mail); !wrong.isEmpty()) {
            skip(wrong);
            continue;
        }
        result.customers.append({record.line, name, proviso.isEmpty() ? QVariant() : QVariant(proviso), amount, taxClass,
                                 mail.isEmpty() ? QVariant() : QVariant(mail)});
    }
    return result;
}

StoreResult store(const Plan& plan, const QString& category, Mode mode, QVariantList* amounts)
{
    QList<CustomerRecord> rows;
    QVariantList stored;
    if (mode == Mode::Append) {
        bool ok = false;
        const QList<CustomerRecord> kept = CustomerMasterTable::readCategory(category, &ok);
        if (!ok)
            return StoreResult::failure(QStringLiteral("顧客マスタを読み込めません。"));
        for (const CustomerRecord& row : kept)
            if (!row.顧客名.isNull()) {
                rows.append({rows.size() + 1, row.顧客名, category, row.但書, row.領収額, row.税区分, row.メールアドレス});
                stored.append(row.領収額);
            }
    }
    for (const Customer& customer : plan.customers) {
        rows.append({rows.size() + 1, customer.name, category, customer.proviso, customer.amount, customer.taxClass, customer.mail});
        stored.append(customer.amount);
    }
    const StoreResult result = CustomerMasterTable::replaceCategory(category, rows);
    if (result && amounts)
        *amounts = stored;
    return result;
}

} // namespace CustomerImport
