#pragma once
#include <functional>
#include <QList>
#include <QByteArray>
#include <QString>
#include <QVariant>

#include <utility>

// Rows as the tables hold them. A null QVariant is a Null field.

struct CustomerRecord { // 顧客マスタ
    // A member without a usual amount needs none to be named: {行番号, 顧客名, 区分, 但書}.
    CustomerRecord(qint64 number = 0, QVariant name = {}, QString category = {}, QVariant proviso = {},
                   QVariant amount = {}, QVariant taxClass = {}, QVariant mail = {})
        : 行番号(number), 顧客名(std::move(name)), 区分(std::move(category)), 但書(std::move(proviso)),
          領収額(std::move(amount)), 税区分(std::move(taxClass)), メールアドレス(std::move(mail))
    {
    }
    qint64 行番号 = 0;
    QVariant 顧客名;
    QString 区分;
    QVariant 但書;
    QVariant 領収額; // the usual amount, Null when none is kept
    QVariant 税区分; // the member's own tax class (a ConsumptionTax key); Null: the run's
    QVariant メールアドレス; // where the member's receipts are mailed, Null when none
};

struct CodeRecord { // コードマスタ / wコードマスタ
    QString code;
    QVariant sname;
};

struct CompanySettingsRecord { // 自社情報
    QVariant 自社名;
    QVariant 自社情報;
    QVariant 年号;
    QVariant 領収証番号;
    // Written later than the four above: older callers leave them Null.
    QVariant 事業者区分 = {}; // Null when none chosen
    QVariant 登録番号 = {};
    QVariant 端数処理 = {};
};

struct SealRecord { // 印影
    QString 種類;      // "png" or "svg"
    QByteArray 画像;   // the file as it was chosen (a PNG made transparent is stored so)
    int 寸法 = 0;      // tenths of a millimetre
    bool 印刷 = true;

    bool operator==(const SealRecord&) const = default;
};

struct PrinterCalibration { // 印刷位置
    int 左右 = 0;    // tenths of a millimetre, right positive
    int 上下 = 0;    // tenths of a millimetre, down positive
    int 倍率 = 1000; // tenths of a per cent

    bool operator==(const PrinterCalibration&) const = default;
};

struct CustomerWorkRow { // w顧客マスタ
    qint64 id = 0;
    qint64 行番号 = 0;
    bool チェック = false;
    QVariant 顧客名;
    QVariant 領収額;
    QVariant 但書;
    QVariant 税区分 = {}; // as in 顧客マスタ
    QVariant メールアドレス = {};
};

struct PrintRow { // w領収証印刷
    QVariant 顧客名;
    QVariant 領収額;
    QVariant 但書;
    QVariant 税区分 = {}; // as in 顧客マスタ
};

struct HintRecord { // ClHint
    QString FormName;
    QString CtlName;
    QString FormTitle;
    QVariant Contents;
};

struct RegisterEntry { // 発行記録: one receipt as it went out
    qint64 記録番号 = 0;   // set by the table
    qint64 領収証番号 = 0;
    QString 領収日付;      // as printed
    QString 顧客名;
    QVariant 領収額;       // whole yen; Null when no amount was printed
    QString 但書;
    QString 表題;
    QString 自社名;
    QString 自社情報;
    QString 用紙;          // the paper type, e.g. "A4 x 4"
    QString 出力先;        // the printer's name or the PDF file's name
    QString 種別;          // the run: 一覧 or 白紙
    QString 発行日時;      // ISO 8601, local time
    QString 状態;          // 出力中 (output not yet complete), 発行, 再発行 or 無効
    QString 無効理由;
    bool 原本 = true;      // false for a copy printed again under the number of its original
    QString 発行端末;      // the host name of the machine that issued it
    QString 発行プロセス;  // the issuing process, as IssuingProcess writes it
    QString 税区分;        // the tax class printed ("none", "10", "8", "exempt", "outside")
    QVariant 税率;         // percent; Null without a rate
    QVariant 消費税額;     // the tax printed, whole yen; Null when none
    QString 登録番号;      // the registration number printed
    QVariant 印紙税額;     // the stamp duty the receipt bears; Null when not judged
    QString 領収日;        // the receipt's date as YYYY-MM-DD; empty when none was printed
    QString SHA256;        // of the PDF file it went out in, hexadecimal
    QString 保存ファイル;  // that file's copy in the archive folder, relative to it
    QString メール;        // how it was first prepared for mail: the message file's name, or the mail program and time
};

// Rows made one at a time as they are asked for, so that a long list is never held a second
// time: the entries a register records as it writes them, the rows of a print run read from
// their table. A list converts to one.
template <class Row>
struct RowsOnDemand {
    qsizetype count = 0;
    std::function<Row(qsizetype)> at;

    RowsOnDemand() = default;
    RowsOnDemand(qsizetype count, std::function<Row(qsizetype)> at) : count(count), at(std::move(at)) {}
    RowsOnDemand(QList<Row> rows) // NOLINT: a list is a source
        : count(rows.size()), at([rows = std::move(rows)](qsizetype i) { return rows.at(i); })
    {
    }
    RowsOnDemand(std::initializer_list<Row> rows) : RowsOnDemand(QList<Row>(rows)) {}
    // The same rows, each changed by `change` as it is made.
    RowsOnDemand changed(std::function<void(Row&, qsizetype)> change) const
    {
        return {count, [from = at, change = std::move(change)](qsizetype i) {
                    Row row = from(i);
                    change(row, i);
                    return row;
                }};
    }
};
using EntrySource = RowsOnDemand<RegisterEntry>;
using PrintRowSource = RowsOnDemand<PrintRow>;

// Yes/No fields store -1 for True and 0 for False.
inline constexpr int YesValue = -1;
inline constexpr int NoValue = 0;
