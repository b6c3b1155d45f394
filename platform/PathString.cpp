#include "platform/PathString.h"

std::string withoutTrailingSlashes(const std::string& path) {
    std::string::size_type end = path.size();
    while (end > 1 && path[end - 1] == '/') {
        --end;
    }
    return path.substr(0, end);
}

std::string lastPathComponent(const std::string& path) {
    const std::string trimmed = withoutTrailingSlashes(path);
    if (trimmed == "/") {
        return trimmed;
    }
    const auto slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string stringByDeletingLastPathComponent(const std::string& path) {
    const std::string trimmed = withoutTrailingSlashes(path);
    const auto slash = trimmed.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    if (slash == 0) {
        return "/";
    }
    return withoutTrailingSlashes(trimmed.substr(0, slash));
}

std::string stringByAppendingPathComponent(const std::string& path, const std::string& name) {
    if (path.empty()) {
        return name;
    }
    std::string joined = withoutTrailingSlashes(path);
    if (joined != "/") {
        joined += '/';
    }
    std::string::size_type start = 0;
    while (start < name.size() && name[start] == '/') {
        ++start;
    }
    return joined + name.substr(start);
}

namespace {

// The length of the well-formed UTF-8 sequence at text[at], or 0: no overlong forms, no
// surrogates, nothing past U+10FFFF (what a reader would turn into U+FFFD).
std::size_t utf8Length(const std::string& text, std::size_t at) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf;  // the range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    }
    if (length == 0 || at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xbf) {
            return 0;
        }
    }
    // C1 controls (U+0080 to U+009F) drive a terminal as C0 ones do.
    return lead == 0xc2 && byte(at + 1) < 0xa0 ? 0 : length;
}

}  // namespace

std::string escapedForLog(const std::string& path) {
    static const char hex[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        const auto c = static_cast<unsigned char>(path[i]);
        const std::size_t length = c < 0x80 ? 1 : utf8Length(path, i);
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c < 0x20 || c == 0x7f || length == 0) {
            escaped += "\\x";
            escaped += hex[c >> 4];
            escaped += hex[c & 0xf];
        } else {
            escaped.append(path, i, length);
        }
        i += length == 0 ? 1 : length;
    }
    return escaped;
}
