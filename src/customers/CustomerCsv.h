#pragma once
#include "customers/CustomerExport.h"

#include <QString>

class BriefNotice;
class CustomerList;
class QComboBox;
class QMenu;

// The customer grid's context menu: a member list read from CSV into a category (through
// the preview dialog), and lists written out as CSV.
class CustomerCsv {
public:
    // `category` is the category box: its list offers the targets, its text the shown list.
    CustomerCsv(CustomerList* list, QComboBox* category);

    // Puts the menu on the grid; once.
    void attach();
    QMenu* menu() const { return menu_; }

    // Asks for a file, then importFrom / exportTo.
    void importFile();
    void exportFile(CustomerExport::Scope scope);

    // Previews `path` and, when the user accepts, stores it and shows the category as a load
    // does. True when something was stored.
    bool importFrom(const QString& path);
    // Writes the list to `path`, whole or not at all; tells the user on failure.
    bool exportTo(CustomerExport::Scope scope, const QString& path);

private:
    CustomerList* list_;
    QComboBox* category_;
    QMenu* menu_ = nullptr;
    BriefNotice* notice_ = nullptr; // on the grid's window, made by attach()
};
