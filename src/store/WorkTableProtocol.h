#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QString>
#include <QVariant>

#include <optional>

// The editors' protocol: master rows are copied onto a rebuilt work table, the grid edits the
// work table, and registering replaces the master rows of the category with the work rows.
// A load keeps the version it read (LoadedVersions); registering names it, so that a list
// registered elsewhere since is never silently replaced: the save is refused with `outdated`
// set, nothing is written, and a load of the list is the way on.
namespace WorkTableProtocol {
// w顧客マスタ rebuilt with the category's named customers from the top, in 行番号 order,
// then blank rows; every named customer of the category is kept (100 rows at least).
// `amounts`, when given, go to the loaded customers from the top.
StoreResult loadCustomerList(const QString& category, const QVariantList& amounts = {});
// w顧客マスタ emptied (blank rows only); it holds no registered list.
StoreResult clearCustomerList();
// The named rows of w顧客マスタ, in stored order, become the category's master rows
// numbered 1, 2, 3 …, each with its amount as the member's usual amount; marks are not saved.
StoreResult registerCustomerList(const QString& category);
// True when w顧客マスタ holds nothing that a load of another list would lose: its named rows
// are the category's registered customers (names, provisos and amounts, in order) and no
// unnamed row has an amount. False when either table cannot be read.
bool customerListUnchanged(const QString& category);
// True when w顧客マスタ holds an amount that differs from what is registered for its member
// of `category` (typed, or on a row that is not registered): loading a list would lose it.
bool amountsUnregistered(const QString& category);
// wコードマスタ rebuilt, then the list's master rows laid over it in code order; a work table
// that already holds exactly that is left as it is (every rebuild is a disk write).
StoreResult loadCodeList(const QString& kcode);
// The 30 work rows, in code order, become the list's master rows "01" … "30"
// (a Null or empty name is stored as "").
StoreResult registerCodeList(const QString& kcode);
// The settings screen is about to show the stored settings: keeps their version. Call before
// reading them, so that a save registered in between refuses this screen's, never the reverse.
StoreResult markSettingsLoaded();
// The settings screen's record becomes the stored settings (CompanyTable::writeFirst); given a
// seal (or its absence), that is stored with them, all or nothing.
StoreResult registerSettings(const CompanySettingsRecord& record);
StoreResult registerSettings(const CompanySettingsRecord& record, const std::optional<SealRecord>& seal);
} // namespace WorkTableProtocol
