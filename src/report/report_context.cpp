#include "report/report_context.h"

#include "log/logger.h"

std::string ReportTimeStamp() {
    return LocalTimeText(':');
}
