#pragma once

#include <string>

// Path arithmetic on the file system's bytes, with the usual rules for trailing slashes.

// "/tmp/scratch.tiff" -> "scratch.tiff", "/tmp/lock/" -> "lock", "/" -> "/".
std::string lastPathComponent(const std::string& path);
// "/tmp/scratch.tiff" -> "/tmp", "/tmp" -> "/", "scratch.tiff" -> "".
std::string stringByDeletingLastPathComponent(const std::string& path);
// "/tmp/lock//" -> "/tmp/lock", "/" stays "/".
std::string withoutTrailingSlashes(const std::string& path);
// "/tmp" + "x" -> "/tmp/x", with exactly one separator between them.
std::string stringByAppendingPathComponent(const std::string& path, const std::string& name);

// The path with control characters, backslashes and bytes that are not UTF-8 escaped
// ("\x01", "\\", "\xff"), so that a log entry or a report line stays on one line, shows as
// text, and says exactly which bytes the path holds: two names never look the same.
std::string escapedForLog(const std::string& path);
