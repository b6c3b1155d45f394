#include "platform/posix/PosixSystemLog.h"

#include <syslog.h>
#include <cstdio>

PosixSystemLog::PosixSystemLog(bool alsoStandardError) : alsoStandardError_(alsoStandardError) {
    ::openlog("ORBA Zurizede", LOG_PID, LOG_USER);
}

void PosixSystemLog::log(const std::string& line) {
    ::syslog(LOG_NOTICE, "%s", line.c_str());
    if (alsoStandardError_) {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}
