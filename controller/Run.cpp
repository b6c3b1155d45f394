#include "Run.h"

Run::Run(const ShredderConnections& services, const NumberFormatter* commaFormat)
    : services_(services), progress_(services.display.progress), commaFormat_(commaFormat) {}

void Run::show(Field field, const std::string& text, bool redrawNow) const {
    TextField* shown = services_.display[field];
    shown->setStringValue(text);
    if (redrawNow) {
        shown->display();
    }
}

std::string Run::formatted(std::uint64_t number) const {
    return commaFormat_ != nullptr ? commaFormat_->stringFromNumber(number)
                                   : std::to_string(number);
}

std::string Run::exactBytes(std::uint64_t bytes) const {
    return ::exactBytes(bytes, grouped());
}

Grouped Run::grouped() const {
    return [this](std::uint64_t n) { return formatted(n); };
}

bool Run::stopRequested() const {
    return services_.stopRequested && services_.stopRequested();
}

void Run::tellAccount(const std::string& summary, const std::vector<std::string>& details) const {
    if (services_.account != nullptr) {
        services_.account->showAccount(summary, details);
    }
}
