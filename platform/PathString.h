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
