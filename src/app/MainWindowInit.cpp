#include "app/MainWindowInit.h"

#include "domain/EraDateFormat.h"
#include "receipt/layouts/ReceiptLayouts.h"

#include "store/Connections.h"
#include "ui/DateBox.h"
#include "ui/GridColumnDelegate.h"
#include "ui/LayoutUnits.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QSqlTableModel>
#include <QTableView>

namespace MainWindowInit {

namespace {

// The data control `name` on `table` of the work database, made once and reused.
QSqlTableModel* dataControl(QWidget* window, QSqlTableModel* model, const char* name, const QString& table)
{
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
    bool delegated = false; // the code grid's columns; the customer list sets up its own
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
        if (c.delegated) {
            auto* delegate = new GridColumnDelegate(c.alignment, grid);
            delegate->setLocked(c.locked);
            grid->setItemDelegateForColumn(column, delegate);
        }
    }
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

} // namespace

void apply(QWidget* window, MainWindowLayout::Panels& panels, const QString& settingEra)
{
    // Version and support texts.
    panels.info->setText(VersionLine + QLatin1Char('\n') + FreeUseLine);
    panels.support->setText(SupportText);

    // Data controls on the work tables and the grids bound to them.
    QSqlTableModel* customers = panels.customers.model =
        dataControl(window, panels.customers.model, "dat顧客", QStringLiteral("w顧客マスタ"));
    QSqlTableModel* provisos = panels.provisos =
        dataControl(window, panels.provisos, "dat但書", QStringLiteral("w但書"));
    QSqlTableModel* codes = panels.codes.model =
        dataControl(window, panels.codes.model, "datコードマスタ", QStringLiteral("wコードマスタ"));

    // Receipt date: place, width and pattern by the era setting (only "和暦" exactly selects the era).
    const bool era = EraDateFormat::isEraSetting(settingEra);
    DateBox* date = panels.receipt.date;
    const QRect place = date->geometry();
    date->setGeometry(LayoutUnits::px(era ? 5460 : 6760), place.top(), LayoutUnits::px(era ? 2295 : 1995),
                      place.height());
    date->setEraFormat(era);

    const Qt::Alignment centre = Qt::AlignHCenter, left = Qt::AlignLeft;
    setUpGrid(panels.customers.grid, customers,
              {{"行番号", "", 434.8347, centre},
               {"チェック", "", 390.0473, centre},
               {"顧客名", "顧　客　名", 2505.26, left},
               {"領収額", "領収額", 1230.236, Qt::AlignRight},
               {"但書", "但　　書", 3945.26, left}});
    setUpGrid(panels.codes.grid, codes,
              {{"code", "", 434.8347, centre, true, true}, {"sname", "名　　　　　称", 6405.166, left, true}});
    panels.provisoDropDown->setModel(provisos);
    panels.provisoDropDown->setModelColumn(qMax(0, provisos->fieldIndex(QStringLiteral("但書"))));

    QComboBox* eraList = panels.settings.era;
    eraList->clear();
    eraList->addItems({QStringLiteral("西暦"), QStringLiteral("和暦")});
    eraList->setCurrentIndex(era ? 1 : 0);
    QComboBox* paper = panels.printOptions.paper;
    paper->clear();
    for (const ReceiptPaper& type : ReceiptLayouts::papers())
        paper->addItem(type.name);
    paper->setCurrentIndex(paper->findText(ReceiptLayouts::defaultPaper().name));
    QComboBox* codeKind = panels.codes.kind;
    codeKind->clear();
    codeKind->addItems({QStringLiteral("顧客区分"), QStringLiteral("但書")});
    codeKind->setCurrentIndex(0);
}

void refreshDataControls(const MainWindowLayout::Panels& panels)
{
    for (QSqlTableModel* model : {panels.customers.model, panels.provisos, panels.codes.model})
        if (model)
            model->select();
}

} // namespace MainWindowInit
