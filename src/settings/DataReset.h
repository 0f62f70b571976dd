#pragma once

// "実行" beside "すべてのデータを削除し初期状態に戻す": after the user's Yes, the main database
// loses every customer, the settings row and every code name, in one go; the work database and
// the screen stay as they are. A failure is shown and changes nothing.
namespace DataReset {
void run();
}
