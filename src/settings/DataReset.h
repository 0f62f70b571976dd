#pragma once

// "実行" beside "すべてのデータを削除し初期状態に戻す": after the user's Yes, the main database
// loses every customer, the settings row and every code name, in one go; the work database
// stays as it is. The register of issued receipts goes too only when the user says so in a
// second question (preselected いいえ: kept). A failure is shown and changes nothing. True when the data was wiped, so that
// the caller shows the screens afresh.
namespace DataReset {
bool run();
}
