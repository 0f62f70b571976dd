#include "settings/ServerDialog.h"

#include "store/ServerSetting.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QVBoxLayout>

namespace {

// Only 接続を試す opens it, and closes it again at once.
const QString TrialConnection = QStringLiteral("ServerDialogTrial");

} // namespace

ServerDialog::ServerDialog(QWidget* parent)
    : QDialog(parent), local_(new QRadioButton(QStringLiteral("このパソコンのデータ（Ledrium.mdb）"), this)),
      server_(new QRadioButton(QStringLiteral("サーバー（PostgreSQL）"), this)), connection_(new QLineEdit(this)),
      try_(new QPushButton(QStringLiteral("接続を試す"), this)), result_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(QStringLiteral("接続先"));
    okButton()->setText(QStringLiteral("OK"));
    cancelButton()->setText(QStringLiteral("キャンセル"));
    connection_->setPlaceholderText(QStringLiteral("例: postgresql://kaikei@server/ledrium"));
    connection_->setMinimumWidth(connection_->fontMetrics().averageCharWidth() * 56);
    connection_->setToolTip(QStringLiteral("URI（postgresql://…）、host=… dbname=… の形、または service=名前。"
                                           "パスワードは ~/.pgpass かサービスファイルに書きます。"));
    result_->setWordWrap(true);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* connectionRow = new QHBoxLayout;
    connectionRow->setContentsMargins(24, 0, 0, 0); // under the server choice it belongs to
    connectionRow->addWidget(connection_, 1);
    connectionRow->addWidget(try_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("顧客・コード・設定・発行記録を置く場所"), this));
    layout->addWidget(local_);
    layout->addWidget(server_);
    layout->addLayout(connectionRow);
    layout->addWidget(result_);
    layout->addStretch();
    layout->addWidget(buttons_);

    const QString stored = ServerSetting::storedText();
    (stored.trimmed().isEmpty() ? local_ : server_)->setChecked(true);
    connection_->setText(stored); // also a text libpq no longer reads, to be mended
    QString error;
    ServerSetting::load(&error);
    if (!error.isEmpty())
        showResult(error, false);
    showChoice();

    connect(server_, &QRadioButton::toggled, this, &ServerDialog::showChoice);
    connect(try_, &QPushButton::clicked, this, &ServerDialog::tryConnection);
    connect(buttons_, &QDialogButtonBox::accepted, this, &ServerDialog::storeChoice);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QPushButton* ServerDialog::okButton() const { return buttons_->button(QDialogButtonBox::Ok); }

QPushButton* ServerDialog::cancelButton() const { return buttons_->button(QDialogButtonBox::Cancel); }

void ServerDialog::showChoice()
{
    connection_->setEnabled(server_->isChecked());
    try_->setEnabled(server_->isChecked());
}

void ServerDialog::showResult(const QString& text, bool good)
{
    result_->setStyleSheet(good ? QStringLiteral("color: #006000") : QStringLiteral("color: #b00000"));
    result_->setText(text);
    adjustSize(); // room for every line of the driver's message
}

void ServerDialog::tryConnection()
{
    QString error;
    const std::optional<ServerAddress> server = ServerAddress::parse(connection_->text(), &error);
    if (!server) {
        showResult(error, false);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    error = server->open(TrialConnection);
    QSqlDatabase::removeDatabase(TrialConnection); // closes it; a failed one is gone already
    QApplication::restoreOverrideCursor();
    showResult(error.isEmpty() ? QStringLiteral("%1 に接続できました。").arg(server->describe()) : error,
               error.isEmpty());
}

void ServerDialog::storeChoice()
{
    std::optional<ServerAddress> server;
    if (server_->isChecked()) {
        QString error;
        server = ServerAddress::parse(connection_->text(), &error);
        if (!server) {
            showResult(error, false);
            return;
        }
    }
    const QString refused = ServerSetting::store(server);
    if (!refused.isEmpty()) {
        showResult(refused, false);
        return;
    }
    chosen_ = server;
    accept();
}
