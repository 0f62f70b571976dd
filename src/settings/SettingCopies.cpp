#include "settings/SettingCopies.h"

SettingCopies& SettingCopies::current()
{
    static SettingCopies copies;
    return copies;
}
