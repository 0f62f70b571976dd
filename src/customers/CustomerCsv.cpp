#include "customers/CustomerCsv.h"

#include "customers/CsvImportDialog.h"
#include "customers/CustomerImport.h"
#include "customers/CustomerList.h"
#include "customers/MemberMail.h"
#include "messages/ShowMsg.h"
#include "store/CsvText.h"
#include "store/WorkTableProtocol.h"
#include "ui/BriefNotice.h"
#include "ui/RecentFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTableView>

namespace {

// A member list is a few hundred kilobytes; a file far larger is not one.
constexpr qint64 LargestFile = 64 * 1024 * 1024;

void tell(const QString& text) { ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), text); }

QStringList categoriesOf(const QComboBox* box)
{
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names.append(box->itemText(i));
    return names;
}

} // namespace

CustomerCsv::CustomerCsv(CustomerList* list, QComboBox* category) : list_(list), category_(category) {}

void CustomerCsv::attach()
{
    QTableView* grid = list_->grid();
    menu_ = new QMenu(grid);
    QObject::connect(menu_->addAction(QStringLiteral("CSVから読み込む…")), &QAction::triggered, grid,
                     [this] { importFile(); });
    QMenu* out = menu_->addMenu(QStringLiteral("CSVに書き出す"));
    const std::pair<const char16_t*, CustomerExport::Scope> scopes[] = {
        {u"表の一覧（領収額つき）…", CustomerExport::Scope::OnScreen},
        {u"この区分の登録済み一覧…", CustomerExport::Scope::Registered},
        {u"全区分の登録済み一覧…", CustomerExport::Scope::Every},
    };
    for (const auto& [text, scope] : scopes)
        QObject::connect(out->addAction(QString::fromUtf16(text)), &QAction::triggered, grid,
                         [this, scope] { exportFile(scope); });
    menu_->addSeparator();
    QObject::connect(menu_->addAction(QStringLiteral("メールアドレス…")), &QAction::triggered, grid,
                     [this] { MemberMail::edit(*list_); });
    notice_ = new BriefNotice(grid->window());
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, grid,
                     [this, grid](const QPoint& at) { menu_->popup(grid->viewport()->mapToGlobal(at)); });
}

void CustomerCsv::importFile()
{
    const QString path = QFileDialog::getOpenFileName(list_->grid(), QStringLiteral("CSVから読み込む"), RecentFolder::suggest(),
                                                      QStringLiteral("CSV ファイル (*.csv *.txt);;すべてのファイル (*)"));
    RecentFolder::remember(path);
    if (!path.isEmpty())
        importFrom(path);
}

void CustomerCsv::exportFile(CustomerExport::Scope scope)
{
    QString name = QStringLiteral("顧客リスト");
    if (scope != CustomerExport::Scope::Every)
        name += u'_' + QString(category_->currentText()).replace(u'/', u'_');
    const QString path = QFileDialog::getSaveFileName(list_->grid(), QStringLiteral("CSVに書き出す"),
                                                      RecentFolder::suggest(name + QStringLiteral(".csv")),
                                                      QStringLiteral("CSV ファイル (*.csv)"));
    RecentFolder::remember(path);
    if (!path.isEmpty())
        exportTo(scope, path);
}

bool CustomerCsv::importFrom(const QString& path)
{
    QFile file(path);
    const QFileInfo info(path);
    // A pipe or a device would block the window on reading, or never end.
    if (info.exists() && !info.isFile()) {
        tell(QStringLiteral("通常のファイルではないため、読み込めません。\n") + path);
        return false;
    }
    if (info.size() > LargestFile) {
        tell(QStringLiteral("ファイルが大きすぎるため、読み込めません。\n") + path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        tell(QStringLiteral("ファイルを開けませんでした。\n%1\n（%2）").arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    file.close();

    list_->commitPendingEdit();
    CsvImportDialog preview(path, bytes, categoriesOf(category_), category_->currentText(), list_->grid()->window());
    if (preview.exec() != QDialog::Accepted)
        return false;
    const QString category = preview.category();
    if (preview.mode() == CustomerImport::Mode::Replace && preview.registeredCount() > 0 &&
        !ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                 QStringLiteral("「%1」に登録済みの %2 人を消して、CSV の %3 人と入れ替えます")
                     .arg(category)
                     .arg(preview.registeredCount())
                     .arg(preview.plan().customers.size())))
        return false;
    // Showing the imported list replaces the grid, as a load does.
    if (!WorkTableProtocol::customerListUnchanged(category_->currentText()) &&
        !ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                 QStringLiteral("表に登録していない入力（顧客名・但書・領収額）があります。読み込むと表の入力は消えます")))
        return false;
    QVariantList amounts;
    if (const StoreResult stored = CustomerImport::store(preview.plan(), category, preview.mode(), &amounts); !stored) {
        ShowWriteFailure(QStringLiteral("顧客リスト"), stored.error);
        return false;
    }
    list_->showCategory(category, amounts);
    ShowMsg(QStringLiteral("その他"), QStringLiteral("読込み完了"),
            QStringLiteral("「%1」に %2 人を").arg(category).arg(preview.plan().customers.size()));
    return true;
}

bool CustomerCsv::exportTo(CustomerExport::Scope scope, const QString& path)
{
    if (scope == CustomerExport::Scope::OnScreen)
        list_->commitPendingEdit();
    QByteArray bytes;
    QString error;
    if (!CustomerExport::document(scope, category_->currentText(), &bytes, &error) ||
        !CsvText::save(path, bytes, &error)) {
        tell(QStringLiteral("CSV ファイルを書き出せませんでした。\n%1\n%2").arg(path, error));
        return false;
    }
    if (notice_)
        notice_->showText(QStringLiteral("CSV ファイルに書き出しました：%1").arg(QDir::toNativeSeparators(path)));
    return true;
}
