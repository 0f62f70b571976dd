#pragma once
// A member list read from CSV into one category: which columns hold what, which lines become
// customers and why the others do not, and storing them as the category's list.
#include "domain/CsvReader.h"
#include "store/StoreResult.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace CustomerImport {

// Column indexes of the record, -1 for none.
struct Columns {
    int name = -1;
    int proviso = -1;
    int amount = -1;
    int category = -1;
    bool header = false; // the first record names the columns and is no customer
    int taxClass = -1;   // only under a header that names it
    int mail = -1;       // found by its header only
};

struct Customer {
    int line = 0;
    QString name;
    QVariant proviso; // Null when the field is empty
    QVariant amount;  // whole yen, Null when the field is empty
    QVariant taxClass = {}; // a ConsumptionTax key, Null when the field is empty (the run's class)
    QVariant mail = {}; // the e-mail address, Null when the field is empty
};

struct Skipped {
    int line = 0;
    QString reason;
};

struct Plan {
    QList<Customer> customers;
    QList<Skipped> skipped;
};

enum class Mode { Append, Replace };

// The header names the columns when it holds 顧客名, 氏名 or 名前 (spaces, full-width forms
// and the grid's own "顧　客　名" included), 但書, 領収額 or 金額, 区分, 税区分, メールアドレス. Without such a header
// the first column is the name and the first record a customer.
Columns recognise(const QList<CsvReader::Record>& records);

// The customers the records give for `category`. A record is skipped, with its line and the
// reason, for an empty name, a name or proviso the grid would not take (too long, characters
// it cannot hold), an amount that is not a whole number from 0 to the largest receipt amount,
// a tax class that is none of ConsumptionTax::fromWritten's, another category in the category column,
// an e-mail address of the wrong shape, or a quote left open. Empty records are passed
// over without a word. A leading apostrophe that the export put before a formula-like text is
// taken off again.
Plan plan(const QList<CsvReader::Record>& records, const Columns& columns, const QString& category);

// Stores the plan's customers as the category's registered list, after the customers already
// registered (Append) or instead of them (Replace), in one step: on failure nothing changed.
// `amounts` gets the amounts of the stored list from the top, for the work list.
StoreResult store(const Plan& plan, const QString& category, Mode mode, QVariantList* amounts = nullptr);

} // namespace CustomerImport
