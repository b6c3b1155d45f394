#include "engine/KeyedStream.h"

#include <fcntl.h>
#include <openssl/crypto.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/UniqueFd.h"

int KeyedStream::keyFromDevice(int device) {
    unsigned char key[32];
    for (std::size_t got = 0; got < sizeof key;) {
        const ssize_t n = ::read(device, key + got, sizeof key - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        got += static_cast<std::size_t>(n);
    }
    // A fresh key for every stream: the counter and the nonce may start at zero.
    static const unsigned char kStart[16] = {};
    context_.reset(EVP_CIPHER_CTX_new());
    const bool keyed = context_ != nullptr && EVP_EncryptInit_ex(context_.get(), EVP_chacha20(),
                                                                 nullptr, key, kStart) == 1;
    OPENSSL_cleanse(key, sizeof key);
    if (!keyed) {
        context_.reset();
        return EIO;
    }
    return 0;
}

int KeyedStream::keyFrom(const char* devicePath) {
    const UniqueFd device(::open(devicePath, O_RDONLY | O_CLOEXEC));
    return device.get() < 0 ? errno : keyFromDevice(device.get());
}

int KeyedStream::fill(unsigned char* out, std::size_t length) {
    if (context_ == nullptr) {
        return EIO;
    }
    // The keystream is the cipher of zeros: enciphering a small block of them, still in the
    // cache, into out goes over out once, where zeroing it first went over it twice.
    static const unsigned char kZeros[64 << 10] = {};
    for (std::size_t done = 0; done < length;) {
        const int chunk = static_cast<int>(std::min(sizeof kZeros, length - done));
        int produced = 0;
        if (EVP_EncryptUpdate(context_.get(), out + done, &produced, kZeros, chunk) != 1 ||
            produced != chunk) {
            return EIO;
        }
        done += static_cast<std::size_t>(chunk);
    }
    return 0;
}
