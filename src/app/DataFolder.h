#pragma once
#include <QString>

// The folder that holds Ledrium.mdb and LedriumWork.mdb: "data/" beside the program.
namespace DataFolder {
QString locate();
}
