#include "PathString.h"

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
