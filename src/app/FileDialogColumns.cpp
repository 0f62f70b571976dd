#include "app/FileDialogColumns.h"

#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

bool FileDialogColumns::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
            // Qt's own dialog reaches its detail view only by the name it gives it.
            if (auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
                QHeaderView* header = details->header();
                header->setStretchLastSection(false);
                header->setSectionResizeMode(QHeaderView::ResizeToContents);
                header->setSectionResizeMode(0, QHeaderView::Stretch);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
