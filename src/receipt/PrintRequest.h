#pragma once
#include "domain/ConsumptionTax.h"
#include "domain/IssuerKind.h"
#include "receipt/layouts/ReceiptLayouts.h"

#include <QImage>
#include <QString>

// Everything one print run needs besides its rows: the paper (which layout), the switches, the
// number of blank forms, the texts as they stood when the user pressed print, and the first
// receipt number. A value: each run keeps its own copy.
struct PrintRequest {
    ReceiptPaper paper = ReceiptLayouts::defaultPaper();
    QString ReceiptTitle;
    qint64 ReceiptNo = 1; // the first receipt's number
    QString CompanyName;
    QString CompanyInfo;
    QString ReceiptDate;
    bool PrintDateFlag = false;
    bool PrintAmountFlag = false;
    bool PrintNumberFlag = false;
    qint64 PrintCopies = 1;
    // The receipt form's proviso, printed where a receipt has none of its own.
    QString ReceiptProviso;
    // Tax and stamp duty: who issues (from the settings) and the run's tax class. Left as they
    // are, the receipts carry none of it.
    IssuerKind Issuer = IssuerKind::Unset;
    QString RegistrationNumber; // printed for a qualified issuer
    ConsumptionTax::Rounding TaxRounding = ConsumptionTax::Rounding::Down;
    ConsumptionTax::TaxClass TaxClass = ConsumptionTax::TaxClass::None;
    // The issuer's seal, pressed on every receipt at its layout's place; none when null.
    // SealFlag false (the command line's --no-seal) leaves the stored seal off.
    bool SealFlag = true;
    QImage Seal;
    int SealTwips = 0; // its longer side
};
