#include "platform/Texts.h"

#include <vector>

namespace {

const Translator* installed = nullptr;

}  // namespace

void installTranslator(const Translator* translator) {
    installed = translator;
}

std::string translated(const char* context, const char* source) {
    if (installed != nullptr) {
        std::string text = installed->translate(context, source, nullptr, 0);
        if (!text.empty()) {
            return text;
        }
    }
    return source;
}

std::string translatedCount(const char* context, const char* one, const char* many,
                            std::uint64_t n) {
    std::string text;
    if (installed != nullptr) {
        text = installed->translate(context, one, many, n);
    }
    if (text.empty()) {
        text = n == 1 ? one : many;
    }
    const std::string number = std::to_string(n);
    for (auto at = text.find("%n"); at != std::string::npos; at = text.find("%n", at)) {
        text.replace(at, 2, number);
        at += number.size();
    }
    return text;
}

std::string listInWords(const std::vector<std::string>& items) {
    std::string all;
    for (std::size_t i = 0; i < items.size(); ++i) {
        all = i == 0                 ? items[i]
              : i + 1 < items.size() ? withArgs(translated("Texts", "%1, %2"), {all, items[i]})
                                     : withArgs(translated("Texts", "%1 and %2"), {all, items[i]});
    }
    return all;
}

std::string withArgs(const std::string& text, std::initializer_list<std::string> args) {
    const std::vector<std::string> values(args);
    std::string result;
    result.reserve(text.size());
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            result += values[index];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}
