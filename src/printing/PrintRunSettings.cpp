#include "printing/PrintRunSettings.h"

PrintRunSettings& PrintRunSettings::current()
{
    static PrintRunSettings settings;
    return settings;
}
