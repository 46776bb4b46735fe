// The identity file's reader on any bytes: a text it takes gives a key pair whose
// signatures that key verifies.
#include <sodium.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/identity.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RiderIdentity identity;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!parseIdentityText(text, &identity, &error)) return 0;
    uint8_t signature[RiderSignatureBytes];
    crypto_sign_detached(signature, nullptr, data, size, identity.secretKey);
    if (crypto_sign_verify_detached(signature, data, size, identity.publicKey) != 0) std::abort();
    return 0;
}
