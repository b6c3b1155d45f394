#include "platform/ErrorText.h"

#include <cstring>

std::string errorInWords(int errorNumber) {
    if (errorNumber == 0) {
        return {};
    }
    // The GNU strerror_r: the text of a known number is static, an unknown one goes in
    // buffer; either way no other thread's call can change it under us.
    char buffer[128];
    return ::strerror_r(errorNumber, buffer, sizeof buffer);
}
