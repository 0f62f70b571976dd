#pragma once
#include "store/IssuingProcess.h"
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

// Receipt numbers run from 1 to here: far beyond any real count, and far from where adding a
// run's receipts could overflow.
inline constexpr qint64 LargestReceiptNumber = 999'999'999'999'999;

// The one owner of receipt numbers on a main database: the counter (自社情報.領収証番号) and
// the register (発行記録). No number is given to two receipts, whoever else writes the same
// file: issuing takes the write lock before it reads, the register's unique index refuses a
// second original entry for a number, and a stored number that is not a whole number in range
// stops numbering with a message naming it (it is never read as 0 nor written over).
// Entries are recorded as 出力中 when their numbers are issued, before any page goes out, and
// confirmed once the output has completed; those of a process that ended before that are voided
// at a later start.
class ReceiptNumbers {
public:
    // Entries are recorded as issued by this process unless another issuer is given.
    explicit ReceiptNumbers(QSqlDatabase db, std::optional<IssuingProcess> issuer = std::nullopt)
        : db_(std::move(db)), issuer_(std::move(issuer))
    {
    }

    // The next number a run would carry: one past the stored counter and past every number in
    // the register; or why there is none (error set, in Japanese).
    struct Next {
        std::optional<qint64> number;
        QString error;
    };
    Next next() const;
    // The highest number in the register (0 when empty), or nothing when it cannot be read or
    // holds a value that is not a number (error set).
    std::optional<qint64> highestRegistered(QString* error = nullptr) const;

    // Why an issue did not start at the number asked for.
    enum class Renumbered { No, CounterRaised, NumbersTaken };
    struct Issued {
        StoreResult result;
        qint64 first = 0;
        QList<qint64> ids; // 記録番号 of the entries, then of the copies, in their order
        Renumbered renumbered = Renumbered::No;
    };
    // Issues `count` numbers from `first` on, or from the next free one when that has moved past
    // `first` meanwhile, stores the last as the counter and records `entries` numbered from the
    // first issued (entries may be fewer than count) as pending originals, and `copies` (receipts
    // already issued, going out again in the same output) as pending copies, all in one
    // transaction.
    Issued issue(qint64 first, qint64 count, const EntrySource& entries, const EntrySource& copies = {}) const;
    // Stores `number` as the counter unless the stored one is already as high (never lowers);
    // adds the row (other fields Null) when there is none. `changed` says whether it was stored.
    StoreResult raise(qint64 number, bool* changed = nullptr) const;
    // Records receipts going out again as pending copies (the counter does not move).
    StoreResult reissue(const EntrySource& entries, QList<qint64>* ids = nullptr) const;
    // The file an entry went out in: its name, SHA-256 and kept copy.
    struct OutputFile {
        QString name;
        QString sha256;
        QString archived;
        bool operator==(const OutputFile&) const = default;
    };
    // The file an entry went out in, by its 記録番号; nothing when none is recorded.
    using FileOf = std::function<std::optional<OutputFile>(qint64 id)>;
    // The output of these pending entries has completed: originals become 発行, copies 再発行;
    // an entry found in `files` records its file.
    StoreResult confirm(const QList<qint64>& ids, const QHash<qint64, OutputFile>& files = {}) const;
    StoreResult confirm(const QList<qint64>& ids, const FileOf& fileOf) const;
    // Takes back pending copies of an output that failed; nothing else is ever removed.
    StoreResult withdraw(const QList<qint64>& ids) const;
    // Marks entries 無効 with a reason; their numbers stay taken.
    StoreResult voidEntries(const QList<qint64>& ids, const QString& reason) const;
    // Marks 無効 the pending entries whose issuing process has ended (a run killed during its
    // output), with the reason abandonedReason(), and returns their numbers, lowest first.
    struct Abandoned {
        StoreResult result;
        QList<qint64> numbers;
    };
    Abandoned voidAbandoned() const;
    static QString abandonedReason() { return QStringLiteral("出力の途中で終了したため"); }

private:
    QSqlDatabase db_;
    std::optional<IssuingProcess> issuer_;

    // Read only where an entry is written or pending ones are judged, not for every look at the
    // next number.
    IssuingProcess issuer() const { return issuer_ ? *issuer_ : IssuingProcess::current(); }

    EntrySource pending(const EntrySource& entries, bool originals) const;
};
