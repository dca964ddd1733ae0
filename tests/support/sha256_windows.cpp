#include "sha256.h"

#include <windows.h>
#include <array>
#include <bcrypt.h>
#include <cstdio>

std::string sha256Hex(const std::vector<std::uint8_t>& bytes) {
    std::array<UCHAR, 32> digest{};
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    // The input is only read; the interface's pointer is not const.
    auto* input = const_cast<UCHAR*>(bytes.data());
    const bool hashed =
        BCRYPT_SUCCESS(
            BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) &&
        BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)) &&
        BCRYPT_SUCCESS(BCryptHashData(hash, input, static_cast<ULONG>(bytes.size()), 0)) &&
        BCRYPT_SUCCESS(BCryptFinishHash(hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    if (hash != nullptr) {
        BCryptDestroyHash(hash);
    }
    if (algorithm != nullptr) {
        BCryptCloseAlgorithmProvider(algorithm, 0);
    }
    if (!hashed) {
        return "the SHA-256 could not be worked out";
    }
    std::string hex;
    for (const UCHAR value : digest) {
        std::array<char, 3> digits{};
        std::snprintf(digits.data(), digits.size(), "%02x", value);
        hex += digits.data();
    }
    return hex;
}
