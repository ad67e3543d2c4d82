// Every call of the device library is a safe point before and after: a run being stopped
// makes no further call, and stops right after the call in progress returns.
#pragma once

#include <cstdint>

#include "interrupt/interrupt.h"

template <typename Function, typename... Arguments>
int32_t DeviceCall(Function function, Arguments... arguments) {
    StopPoint();
    const int32_t status = function(arguments...);
    StopPoint();
    return status;
}
