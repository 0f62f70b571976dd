#pragma once
// The print request the report and layout tests start from, and runs built from it.
#include "receipt/PrintRequest.h"
#include "receipt/ReceiptRun.h"
#include "receipt/layouts/ReceiptLayouts.h"

#include <memory>

// Every switch on, numbered from 41, with these texts.
inline PrintRequest everySwitchOn(const QString& title, const QString& company, const QString& info,
                                  const QString& date)
{
    PrintRequest request;
    request.ReceiptTitle = title;
    request.CompanyName = company;
    request.CompanyInfo = info;
    request.ReceiptDate = date;
    request.PrintDateFlag = request.PrintAmountFlag = request.PrintNumberFlag = true;
    request.ReceiptNo = 41;
    return request;
}

// A run of `request` on that paper.
inline std::shared_ptr<ReportRun> runOn(PrintRequest request, const QString& paperType, const QList<PrintRow>& rows)
{
    request.paper = ReceiptLayouts::paperOrDefault(paperType);
    return ReceiptRun::build(request, rows);
}
