#include "preview/MailDialog.h"

#include "domain/MailAddress.h"
#include "messages/ShowMsg.h"
#include "store/MailTemplateTable.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

MailDialog::MailDialog(QList<ReceiptMail::Letter> letters, const QString& pdfFolder, QWidget* parent)
    : QDialog(parent), letters_(std::move(letters)), program_(ReceiptMail::mailProgram())
{
    setObjectName(QStringLiteral("MailDialog"));
    setWindowTitle(QStringLiteral("メールで送る"));
    loaded_ = ReceiptMail::stored();
    if (const std::optional<MailTemplateTable::Stored> stored = MailTemplateTable::read())
        loadedVersion_ = stored->version;

    const qsizetype without = ReceiptMail::without(letters_).size();
    auto* counts = new QLabel(QStringLiteral("メールアドレスのある会員：%1 人　ない会員：%2 人")
                                  .arg(letters_.size() - without)
                                  .arg(without),
                              this);
    counts->setObjectName(QStringLiteral("lbl宛先"));

    subject_ = new QLineEdit(loaded_.text.subject, this);
    subject_->setObjectName(QStringLiteral("txt件名"));
    body_ = new QPlainTextEdit(loaded_.text.body, this);
    body_->setObjectName(QStringLiteral("txt本文"));
    body_->setTabChangesFocus(true);
    from_ = new QLineEdit(loaded_.from, this);
    from_->setObjectName(QStringLiteral("txt差出人"));
    from_->setPlaceholderText(QStringLiteral("空欄ならメールソフトの設定のとおり"));
    auto* placeholders = new QLabel(QStringLiteral("件名と本文の {氏名} {金額} {番号} {日付} は、領収証ごとの内容に置き換わります。"), this);
    placeholders->setWordWrap(true);

    mailProgram_ = new QRadioButton(QStringLiteral("メールソフトで開く"), this);
    mailProgram_->setObjectName(QStringLiteral("optメールソフト"));
    mailProgram_->setEnabled(!program_.isEmpty());
    if (program_.isEmpty())
        mailProgram_->setToolTip(QStringLiteral("メールソフトを開くプログラム（xdg-email）が見つかりません"));
    files_ = new QRadioButton(QStringLiteral(".emlファイルを書き出す"), this);
    files_->setObjectName(QStringLiteral("optEml"));
    (program_.isEmpty() ? files_ : mailProgram_)->setChecked(true);
    folder_ = new QLineEdit(QDir(pdfFolder).filePath(QStringLiteral("メール")), this);
    folder_->setObjectName(QStringLiteral("txtメールフォルダ"));
    auto* browse = new QPushButton(QStringLiteral("参照…"), this);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("メールの保存先"), folder_->text());
        if (!chosen.isEmpty())
            folder_->setText(chosen);
    });
    const auto followChoice = [this, browse] {
        folder_->setEnabled(files_->isChecked());
        browse->setEnabled(files_->isChecked());
    };
    connect(files_, &QRadioButton::toggled, this, followChoice);
    followChoice();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("件名"), subject_);
    form->addRow(QStringLiteral("本文"), body_);
    form->addRow(QString(), placeholders);
    form->addRow(QStringLiteral("差出人"), from_);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("作成"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("cmd作成"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &MailDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MailDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counts);
    layout->addLayout(form);
    layout->addWidget(mailProgram_);
    layout->addWidget(files_);
    layout->addLayout(folderRow);
    layout->addWidget(buttons);
    resize(560, 480);
}

bool MailDialog::saveText()
{
    const QString from = MailAddress::normalised(from_->text());
    if (const QString wrong = MailAddress::problem(from); !wrong.isEmpty()) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), QStringLiteral("差出人の") + wrong);
        return false;
    }
    from_->setText(from);
    const MailTemplate text{subject_->text(), body_->toPlainText()};
    if (text == loaded_.text && from == loaded_.from)
        return true;
    qint64 saved = 0;
    const StoreResult written = MailTemplateTable::write(text.subject, text.body, from, loadedVersion_, &saved);
    if (!written) {
        ShowWriteFailure(QStringLiteral("メールの文面"), written.error);
        return false;
    }
    loadedVersion_ = saved;
    loaded_.text = text;
    loaded_.from = from;
    return true;
}

bool MailDialog::prepare()
{
    if (!saveText())
        return false;
    const bool toFiles = files_->isChecked() || program_.isEmpty();
    const ReceiptMail::Outcome outcome = toFiles ? ReceiptMail::writeMessages(letters_, loaded_, folder_->text())
                                                 : ReceiptMail::openInMailProgram(letters_, loaded_, program_);
    QString text = outcome.ok ? toFiles ? QStringLiteral("メールのファイルを %1 通作成しました：%2")
                                              .arg(outcome.written.size())
                                              .arg(QDir::toNativeSeparators(folder_->text()))
                                        : QStringLiteral("メールソフトでメールを %1 通開きました。").arg(outcome.written.size())
                              : outcome.error;
    if (!outcome.ok && !toFiles && !outcome.written.isEmpty())
        text += QStringLiteral("\nそれまでに %1 通を開きました。").arg(outcome.written.size());
    if (const QStringList without = ReceiptMail::without(letters_); !without.isEmpty())
        text += QStringLiteral("\n\nメールアドレスのない会員（%1 人）：%2").arg(without.size()).arg(without.join(u'、'));
    ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), text);
    return outcome.ok;
}

void MailDialog::accept()
{
    if (prepare())
        QDialog::accept();
}
