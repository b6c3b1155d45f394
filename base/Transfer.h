#pragma once

#include <sys/types.h>

#include <cerrno>
#include <cstdint>

// Moves `bytes` in as many steps as it takes: step(done, left) reads or writes from `done` on
// and answers what one call of read, write, pread or pwrite answers. Interrupted calls are
// retried and short ones continued; a step that moves nothing ends it with nothingMoved, so
// that no short transfer is ever taken for a whole one. Answers 0 or an errno value.
template <typename Step>
int transferFully(std::uint64_t bytes, Step step, int nothingMoved = EIO) {
    for (std::uint64_t done = 0; done < bytes;) {
        const ssize_t n = step(done, bytes - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : nothingMoved;
        }
        done += static_cast<std::uint64_t>(n);
    }
    return 0;
}
