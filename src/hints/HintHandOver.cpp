#include "hints/HintHandOver.h"

HintHandOver& HintHandOver::current()
{
    static HintHandOver handOver;
    return handOver;
}
