#pragma once
#include <QString>

// What the print command and the print runs fill and the receipt layouts read.
struct PrintRunSettings {
    QString ReceiptTitle;
    qint64 ReceiptNo = 0;
    QString CompanyName;
    QString CompanyInfo;
    QString ReceiptDate;
    bool PrintDateFlag = false;
    bool PrintAmountFlag = false;
    bool PrintNumberFlag = false;
    qint64 PrintCopies = 0;
    QString PaperType;
    // The receipt form's proviso, printed where a receipt has none of its own.
    QString ReceiptProviso;

    static PrintRunSettings& current();
};
