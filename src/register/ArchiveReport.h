#pragma once
#include "store/PdfArchive.h"

#include <QString>

// What 保存ファイルの確認 tells the user: the counts, then each file that differs.
namespace ArchiveReport {
QString of(const PdfArchive::Check& check);
} // namespace ArchiveReport
