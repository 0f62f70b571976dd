#include "ui/ReadOnlyComboFilter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

ReadOnlyComboFilter::ReadOnlyComboFilter(QComboBox* combo, DeleteKey deleteKey)
    : QObject(combo), combo_(combo), deleteKey_(deleteKey)
{
}

ReadOnlyComboFilter* ReadOnlyComboFilter::install(QComboBox* combo, DeleteKey deleteKey)
{
    auto* filter = new ReadOnlyComboFilter(combo, deleteKey);
    combo->installEventFilter(filter);
    if (QLineEdit* edit = combo->lineEdit()) {
        // Read-only turns away every edit the line edit offers besides keys: the primary
        // selection's middle click, the context menu's paste and delete, drag and drop.
        edit->setReadOnly(true);
        edit->setAcceptDrops(false);
        edit->installEventFilter(filter);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    combo->setAcceptDrops(false);
    combo->setAttribute(Qt::WA_InputMethodEnabled, false);
    return filter;
}

bool ReadOnlyComboFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            // Delete empties the box (no category) rather than leaving part of a name.
            QLineEdit* edit = combo_->lineEdit();
            if (deleteKey_ == DeleteKey::Allowed && event->type() == QEvent::KeyPress && edit &&
                edit->hasSelectedText())
                combo_->clearEditText();
            return true;
        }
        if (key->key() == Qt::Key_Backspace)
            return true;
        // Paste and cut would change the text as typing does.
        if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
            key->matches(QKeySequence::Redo))
            return true;
        const QString typed = key->text();
        return !typed.isEmpty() && typed.at(0).isPrint();
    }
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
