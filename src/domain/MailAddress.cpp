#include "domain/MailAddress.h"

#include <QRegularExpression>

namespace MailAddress {

QString normalised(const QString& text) { return text.normalized(QString::NormalizationForm_KC).trimmed(); }

QString problem(const QString& text)
{
    if (text.isEmpty())
        return {};
    // One "@", a local part and a domain with a dot, printable ASCII without blanks: what a mail
    // program accepts in a To line without quoting.
    static const QRegularExpression shape(QStringLiteral("^[!#-'*+\\-/-9=?A-Z^-~.]+@[A-Za-z0-9\\-]+(\\.[A-Za-z0-9\\-]+)+$"));
    if (text.size() > 254 || !shape.match(text).hasMatch())
        return QStringLiteral("メールアドレス「%1」の形が正しくありません（例：taro@example.jp）").arg(text.left(60));
    return {};
}

} // namespace MailAddress
