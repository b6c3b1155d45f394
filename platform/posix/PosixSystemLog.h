#pragma once

#include "platform/Services.h"

// The system log: syslog(3) under the ident "ORBA Zurizede", and the same line on standard
// error, where a person starting the program from a terminal sees it.
class PosixSystemLog : public SystemLog {
public:
    explicit PosixSystemLog(bool alsoStandardError = true);
    void log(const std::string& line) override;

private:
    bool alsoStandardError_;
};
