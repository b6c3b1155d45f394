#pragma once

#include <openssl/evp.h>

#include <cstddef>
#include <memory>

// Random bytes from a keyed stream: ChaCha20, keyed with 32 bytes read from the random
// device. As unpredictable as the device, and drawn at several gigabytes a second on one
// core, where reading the device block by block gave about half a gigabyte. The random pass
// keys one for every file; a free-space wipe keys one for its whole fill.
class KeyedStream {
public:
    // 0, or why no key could be read (errno; EIO for a short read).
    int keyFromDevice(int device);
    // The same from the device at path ("/dev/urandom").
    int keyFrom(const char* devicePath);
    // The next `length` bytes of the stream, into out: 0, or EIO when it was never keyed or
    // the cipher failed.
    int fill(unsigned char* out, std::size_t length);

private:
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context_{nullptr,
                                                                             &EVP_CIPHER_CTX_free};
};
