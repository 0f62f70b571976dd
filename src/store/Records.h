#pragma once
#include <QString>
#include <QVariant>

// Rows as the tables hold them. A null QVariant is a Null field.

struct CustomerRecord { // 顧客マスタ
    qint64 行番号 = 0;
    QVariant 顧客名;
    QString 区分;
    QVariant 但書;
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
};

struct CustomerWorkRow { // w顧客マスタ
    qint64 id = 0;
    qint64 行番号 = 0;
    bool チェック = false;
    QVariant 顧客名;
    QVariant 領収額;
    QVariant 但書;
};

struct PrintRow { // w領収証印刷
    QVariant 顧客名;
    QVariant 領収額;
    QVariant 但書;
};

struct HintRecord { // ClHint
    QString FormName;
    QString CtlName;
    QString FormTitle;
    QVariant Contents;
};

// Yes/No fields store -1 for True and 0 for False.
inline constexpr int YesValue = -1;
inline constexpr int NoValue = 0;
