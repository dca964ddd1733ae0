#include "sha256.h"

#include <array>
#include <emscripten.h>

namespace {

// Built for WebAssembly, the suites run under node, whose crypto module hashes.
EM_JS(void, sha256HexOfHeap, (const std::uint8_t* bytes, std::size_t size, char* hex), {
    const digest = require('crypto').createHash('sha256');
    digest.update(HEAPU8.subarray(bytes, bytes + size));
    stringToUTF8(digest.digest('hex'), hex, 65);
});

} // namespace

std::string sha256Hex(const std::vector<std::uint8_t>& bytes) {
    std::array<char, 65> hex{};
    sha256HexOfHeap(bytes.data(), bytes.size(), hex.data());
    return {hex.data(), 64};
}
