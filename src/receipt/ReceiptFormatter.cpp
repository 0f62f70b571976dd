#include "receipt/ReceiptFormatter.h"

#include "domain/Clock.h"
#include "receipt/KeptFiles.h"
#include "receipt/ReceiptFormat.h"
#include "receipt/ReceiptTexts.h"
#include "receipt/ReissueMark.h"
#include "receipt/TaxMarks.h"
#include "report/ReportRun.h"
#include "store/Connections.h"

#include <algorithm>
#include <utility>

ReceiptFormatter::ReceiptFormatter(PrintRequest request, ReceiptNumbers numbers, PdfArchive archive,
                                   RowClasses rowClasses)
    : request_(std::move(request)), rowClasses_(std::move(rowClasses)), numbers_(std::move(numbers)),
      archive_(std::move(archive)), nextNumber_(request_.ReceiptNo)
{
}

ReceiptFormatter::ReceiptFormatter(PrintRequest request, RowClasses rowClasses)
    : ReceiptFormatter(std::move(request), ReceiptNumbers(Connections::mainDb()), PdfArchive::ofOpenData(),
                       std::move(rowClasses))
{
}

void ReceiptFormatter::reportStart(ReportLayout& layout)
{
    // Empty until a receipt has gone out once: a later output shows it as the copy it is.
    if (request_.PrintNumberFlag)
        ReissueMark::addTo(layout, {});
    QList<ConsumptionTax::TaxClass> own;
    for (const std::optional<ConsumptionTax::TaxClass>& taxClass : rowClasses_)
        if (taxClass)
            own.append(*taxClass);
    TaxMarks::addTo(layout, request_, own);
    row_ = 0;
}

void ReceiptFormatter::detailFormat(ReportDetail& detail)
{
    ReceiptTexts::Row row = ReceiptTexts::rowOf(detail);
    row.taxClass = rowClasses_.value(row_);
    const ReceiptTexts texts = ReceiptTexts::of(request_, row, nextNumber_);
    texts.writeTo(detail);
    if (request_.PrintNumberFlag) { // only numbered receipts are recorded
        const RegisterEntry entry = texts.entry(request_);
        if (receipts_.isEmpty())
            common_ = entry;
        Receipt receipt{nextNumber_};
        if (entry.領収額.typeId() == QMetaType::LongLong) {
            receipt.amountKind = Amount::Whole;
            receipt.amount = entry.領収額.toLongLong();
        } else if (!entry.領収額.isNull()) {
            receipt.amountKind = Amount::Text;
            textAmounts_.insert(receipts_.size(), entry.領収額.toString());
        }
        receipt.hasTax = !entry.消費税額.isNull();
        receipt.tax = entry.消費税額.toLongLong();
        receipt.hasStampDuty = !entry.印紙税額.isNull();
        receipt.stampDuty = entry.印紙税額.toLongLong();
        receipt.taxClass = quint8(texts.taxClass);
        receipts_.append(receipt);
    }
}

RegisterEntry ReceiptFormatter::entryOf(const ReportRun& run, int cell) const
{
    RegisterEntry entry = common_;
    const Receipt& receipt = receipts_.at(cell);
    entry.領収証番号 = receipt.number;
    entry.領収額 = receipt.amountKind == Amount::Whole ? QVariant(receipt.amount)
                   : receipt.amountKind == Amount::Text ? QVariant(textAmounts_.value(cell))
                                                        : QVariant();
    entry.消費税額 = receipt.hasTax ? QVariant(receipt.tax) : QVariant();
    entry.印紙税額 = receipt.hasStampDuty ? QVariant(receipt.stampDuty) : QVariant();
    ReceiptTexts::recordClass(entry, ConsumptionTax::TaxClass(receipt.taxClass));
    entry.顧客名 = run.text(cell, QStringLiteral("txt氏名"));
    entry.但書 = run.text(cell, QStringLiteral("txt但書"));
    return entry;
}

void ReceiptFormatter::detailAfterPrint()
{
    ++row_;
    ++nextNumber_;
    issued_.resize(receipts_.size());
}

OutputClearance ReceiptFormatter::clearForOutput(ReportRun& run, const QString& outputName, OutputPages pages)
{
    output_ = {};
    if (!request_.PrintNumberFlag || receipts_.isEmpty())
        return {};
    const auto [firstCell, endCell] = run.cellsOn(pages);
    QList<int> copies;
    output_.cells.reserve(endCell - firstCell);
    for (int cell = firstCell; cell < std::min(endCell, int(receipts_.size())); ++cell) {
        output_.cells.append(cell);
        (issued_.at(cell) ? copies : output_.fresh).append(cell);
    }
    // The entries of the cells, as they go out now: made one at a time as they are recorded.
    const auto stamped = [this, &run, outputName, now = Clock::now().toString(Qt::ISODate)](QList<int> cells) {
        return EntrySource(cells.size(), [this, &run, outputName, now, cells](qsizetype i) {
            RegisterEntry entry = entryOf(run, cells.at(i));
            entry.出力先 = outputName;
            entry.発行日時 = now;
            return entry;
        });
    };
    const QList<int> fresh = output_.fresh;
    const qint64 first = fresh.isEmpty() ? 0 : receipts_.at(fresh.first()).number;
    const ReceiptNumbers::Issued issued =
        fresh.isEmpty() ? ReceiptNumbers::Issued{numbers_.reissue(stamped(copies), &output_.copyIds), 0, {}, {}}
                        : numbers_.issue(first, fresh.size(), stamped(fresh), stamped(copies));
    if (!issued.result) {
        output_ = {};
        const QString what = fresh.isEmpty() ? QStringLiteral("発行記録") : QStringLiteral("領収証番号");
        return {false, what + QStringLiteral("を保存できなかったため、印刷を中止しました。\n") + issued.result.error, {}};
    }
    if (fresh.isEmpty())
        return {};
    output_.originalIds = issued.ids.mid(0, fresh.size());
    output_.copyIds = issued.ids.mid(fresh.size());
    return {true, {}, renumber(run, first, issued)};
}

// The receipts this output issued carry the numbers it was given: the ones previewed, unless
// another output took them meanwhile or an output of this run failed and voided them.
QString ReceiptFormatter::renumber(ReportRun& run, qint64 first, const ReceiptNumbers::Issued& issued)
{
    const bool voided = std::exchange(voided_, false);
    bool moved = false;
    for (qsizetype i = 0; i < output_.fresh.size(); ++i) {
        const int cell = output_.fresh.at(i);
        moved = moved || receipts_.at(cell).number != issued.first + i;
        receipts_[cell].number = issued.first + i;
        ReceiptTexts::writeNumber(run, cell, ReceiptFormat::number(issued.first + i));
    }
    if (!moved)
        return {};
    QString numbers = ReceiptFormat::number(issued.first);
    if (output_.fresh.size() > 1)
        numbers += QStringLiteral("～") + ReceiptFormat::number(issued.first + output_.fresh.size() - 1);
    bool takenHere = false; // by an earlier output of another page of this run
    for (qsizetype cell = 0; cell < receipts_.size(); ++cell)
        takenHere = takenHere || (issued_.at(cell) && receipts_.at(cell).number >= first);
    const QString why = voided ? QStringLiteral("前回の出力ができなかった番号は無効として発行記録に残したため")
                        : issued.first == first ? QStringLiteral("出力するページの領収証に続き番号を振るため")
                        : takenHere ? QStringLiteral("この一覧のほかのページが先に出力されてこの番号を使ったため")
                        : issued.renumbered == ReceiptNumbers::Renumbered::CounterRaised
                            ? QStringLiteral("設定で領収証番号がこの番号より先に進められたため")
                            : QStringLiteral("ほかの出力が先にこの番号を使ったため");
    return QStringLiteral("%1、領収証番号を %2 に振り直しました。").arg(why, numbers);
}

QString ReceiptFormatter::outputCompleted(ReportRun& run)
{
    // Each cell's entry, beside the cell: the fresh ones in order, then the copies in order (the
    // cells, and the fresh ones among them, come in increasing order).
    QList<qint64> entryAt;
    entryAt.reserve(output_.cells.size());
    for (qsizetype at = 0, fresh = 0, copy = 0; at < output_.cells.size(); ++at)
        entryAt.append(fresh < output_.fresh.size() && output_.fresh.at(fresh) == output_.cells.at(at)
                           ? output_.originalIds.value(fresh++)
                           : output_.copyIds.value(copy++));
    const auto entryOf = [this, &entryAt](int cell) -> qint64 {
        const auto found = std::lower_bound(output_.cells.cbegin(), output_.cells.cend(), cell);
        return found != output_.cells.cend() && *found == cell ? entryAt.at(found - output_.cells.cbegin()) : 0;
    };
    KeptFiles::EntryFiles files;
    if (const QString unkept = KeptFiles::keep(archive_, std::exchange(written_, {}), entryOf, &files); !unkept.isEmpty())
        return unkept;
    // Unconfirmed, the output stays the one under way, for outputFailed to put right.
    if (const StoreResult confirmed =
            numbers_.confirm(output_.originalIds + output_.copyIds, [&files](qint64 id) { return files.of(id); });
        !confirmed)
        return QStringLiteral("発行記録に出力の完了を記録できませんでした。\n") + confirmed.error;
    const Output done = std::exchange(output_, {});
    for (int cell : done.fresh)
        issued_[cell] = true;
    // From now on these receipts exist on paper: any further output of them is a copy.
    for (int cell : done.cells)
        run.setText(cell, ReissueMark::control(), ReissueMark::text());
    return {};
}

void ReceiptFormatter::outputFailed(ReportRun&, const QString& reason)
{
    const Output failed = std::exchange(output_, {});
    numbers_.withdraw(failed.copyIds);
    if (!failed.originalIds.isEmpty()) {
        numbers_.voidEntries(failed.originalIds, QStringLiteral("出力できませんでした：") + reason);
        voided_ = true;
    }
}
