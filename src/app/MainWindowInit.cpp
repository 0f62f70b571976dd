#include "app/MainWindowInit.h"

#include "printing/layouts/ReceiptLayouts.h"
#include "ui/EraDateFormat.h"

#include "ui/LayoutUnits.h"
#include "store/Connections.h"
#include "ui/DateBox.h"
#include "ui/GridColumnDelegate.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QSqlTableModel>
#include <QTableView>

namespace MainWindowInit {

namespace {

template <class T> T* find(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromUtf8(name));
}

// The data control `name` on `table` of the work database, made once and reused.
QSqlTableModel* dataControl(QWidget* window, const char* name, const QString& table)
{
    QSqlTableModel* model = window->findChild<QSqlTableModel*>(QString::fromUtf8(name));
    if (!model) {
        model = new QSqlTableModel(window, Connections::workDb());
        model->setObjectName(QString::fromUtf8(name));
        model->setEditStrategy(QSqlTableModel::OnFieldChange);
    }
    model->setTable(table);
    return model;
}

struct Column {
    const char* field;
    const char* caption;
    double widthTwips;
    Qt::Alignment alignment;
    bool thousands = false;
    bool locked = false;
};

void setUpGrid(QTableView* grid, QSqlTableModel* model, const QList<Column>& shown)
{
    grid->setModel(model);
    for (int column = 0; column < model->columnCount(); ++column)
        grid->setColumnHidden(column, true);
    for (const Column& c : shown) {
        const int column = model->fieldIndex(QString::fromUtf8(c.field));
        if (column < 0)
            continue;
        grid->setColumnHidden(column, false);
        model->setHeaderData(column, Qt::Horizontal, QString::fromUtf8(c.caption));
        grid->horizontalHeader()->resizeSection(column, LayoutUnits::px(c.widthTwips));
        auto* delegate = new GridColumnDelegate(c.alignment, grid);
        delegate->setThousands(c.thousands);
        delegate->setLocked(c.locked);
        grid->setItemDelegateForColumn(column, delegate);
    }
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

} // namespace

void apply(QWidget* window, const QString& settingEra)
{
    // Version and support texts.
    if (auto* info = find<QLabel>(window, "lblInfo"))
        info->setText(VersionLine + QLatin1Char('\n') + FreeUseLine);
    if (auto* support = find<QLabel>(window, "lblSupport"))
        support->setText(SupportText);

    // Data controls on the work tables and the grids bound to them.
    QSqlTableModel* customers = dataControl(window, "dat顧客", QStringLiteral("w顧客マスタ"));
    QSqlTableModel* provisos = dataControl(window, "dat但書", QStringLiteral("w但書"));
    QSqlTableModel* codes = dataControl(window, "datコードマスタ", QStringLiteral("wコードマスタ"));

    // Receipt date: place, width and pattern by the era setting (only "和暦" exactly selects the era).
    const bool era = EraDateFormat::isEraSetting(settingEra);
    if (auto* date = find<DateBox>(window, "Dt領収日付")) {
        const QRect place = date->geometry();
        date->setGeometry(LayoutUnits::px(era ? 5460 : 6760), place.top(), LayoutUnits::px(era ? 2295 : 1995),
                          place.height());
        date->setEraFormat(era);
    }

    const Qt::Alignment centre = Qt::AlignHCenter, left = Qt::AlignLeft, right = Qt::AlignRight;
    if (auto* grid = find<QTableView>(window, "Grid顧客"))
        setUpGrid(grid, customers,
                  {{"行番号", "", 434.8347, centre},
                   {"チェック", "", 390.0473, centre},
                   {"顧客名", "顧　客　名", 2505.26, left},
                   {"領収額", "領収額", 1230.236, right, true},
                   {"但書", "但　　書", 3945.26, left}});
    if (auto* grid = find<QTableView>(window, "Gridコード表"))
        setUpGrid(grid, codes,
                  {{"code", "", 434.8347, centre, false, true}, {"sname", "名　　　　　称", 6405.166, left}});
    if (auto* dropDown = find<QListView>(window, "DD但書")) {
        dropDown->setModel(provisos);
        dropDown->setModelColumn(qMax(0, provisos->fieldIndex(QStringLiteral("但書"))));
    }

    if (auto* eraList = find<QComboBox>(window, "cmb年号")) {
        eraList->clear();
        eraList->addItems({QStringLiteral("西暦"), QStringLiteral("和暦")});
        eraList->setCurrentIndex(era ? 1 : 0);
    }
    if (auto* paper = find<QComboBox>(window, "cmb用紙")) {
        paper->clear();
        for (const ReceiptPaper& type : ReceiptLayouts::papers())
            paper->addItem(type.name);
        paper->setCurrentIndex(paper->findText(ReceiptLayouts::defaultPaper().name));
    }
    if (auto* codeKind = find<QComboBox>(window, "cmbコード区分")) {
        codeKind->clear();
        codeKind->addItems({QStringLiteral("顧客区分"), QStringLiteral("但書")});
        codeKind->setCurrentIndex(0);
    }
}

void refreshDataControls(QWidget* window)
{
    for (const char* name : {"dat顧客", "dat但書", "datコードマスタ"})
        if (auto* model = window->findChild<QSqlTableModel*>(QString::fromUtf8(name)))
            model->select();
}

} // namespace MainWindowInit
