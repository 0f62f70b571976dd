#pragma once
// Print runs started as the user starts them, through the started window's controls.
#include "StartedWindow.h"
#include "TestText.h"
#include "preview/ReportPreview.h"
#include "printing/PrintRuns.h"
#include "store/CustomerMasterTable.h"
#include "ui/NumberBox.h"

#include <QComboBox>
#include <QRadioButton>

// A category with customers, stored, then loaded and marked as the user does it.
inline void loadCategory(StartedWindow& started, const QStringList& names, const QString& category = u("会員"))
{
    QList<CustomerRecord> rows;
    for (int i = 0; i < names.size(); ++i)
        rows.append({i + 1, names[i], category, QVariant()});
    QVERIFY(CustomerMasterTable::replaceCategory(category, rows));
    auto* box = started.get<QComboBox>("cmb顧客区分");
    if (box->findText(category) < 0)
        box->addItem(category);
    box->setCurrentIndex(box->findText(category));
    click(started.window.get(), "cmd徴収読込");
}

// Opens the print panel, picks the paper type and the run, and prints; the preview it opened.
inline ReportPreview* printThroughWindow(StartedWindow& started, const QString& paperType, bool blank = false,
                                         int copies = 1)
{
    click(started.window.get(), "cmd徴収印刷");
    auto* paper = started.get<QComboBox>("cmb用紙");
    paper->setCurrentIndex(paper->findText(paperType));
    started.get<QRadioButton>(blank ? "Opt白紙印刷" : "Optリスト印刷")->setChecked(true);
    if (blank)
        started.get<NumberBox>("num枚数")->setValue(copies);
    click(started.window.get(), "cmd印刷実行");
    return started.window->printRuns()->lastPreview();
}
