#include "online/identity.h"

#include <sodium.h>

#include <cstdio>
#include <cstring>

#include "files/damaged_file.h"
#include "files/file_read.h"
#include "files/folders.h"
#include "files/safe_write.h"

namespace {

constexpr char IdentityHeader[] = "# tumblegrade identity 1\n";
constexpr char SeedTag[] = "seed ";

bool sodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

bool decodeSeed(const std::string& text, uint8_t seed[RiderSeedBytes]) {
    const size_t expected = sodium_base64_encoded_len(RiderSeedBytes, sodium_base64_VARIANT_ORIGINAL) - 1;
    if (text.size() != expected) return false;
    size_t length = 0;
    const char* end = nullptr;
    return sodium_base642bin(seed, RiderSeedBytes, text.data(), text.size(), nullptr, &length, &end,
                             sodium_base64_VARIANT_ORIGINAL) == 0 &&
           length == RiderSeedBytes && end == text.data() + text.size();
}

bool writeIdentity(const std::string& path, const uint8_t seed[RiderSeedBytes]) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !makeFolders(path.substr(0, slash).c_str())) return false;
    const std::string text = identityText(seed);
    return writeFileSafely(path.c_str(), text.data(), text.size(), OwnFileMode) == 1;
}

}  // namespace

std::string base64Of(const uint8_t* bytes, size_t size) {
    std::string text(sodium_base64_encoded_len(size, sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(), bytes, size, sodium_base64_VARIANT_ORIGINAL);
    text.pop_back();  // the closing zero
    return text;
}

void identityFromSeed(const uint8_t seed[RiderSeedBytes], RiderIdentity* identity) {
    sodiumReady();
    crypto_sign_seed_keypair(identity->publicKey, identity->secretKey, seed);
}

std::string identityText(const uint8_t seed[RiderSeedBytes]) {
    return std::string(IdentityHeader) + SeedTag + base64Of(seed, RiderSeedBytes) + "\n";
}

bool parseIdentityText(const std::string& text, RiderIdentity* identity, std::string* error) {
    const size_t headerLength = sizeof IdentityHeader - 1;
    if (text.compare(0, headerLength, IdentityHeader) != 0) {
        *error = "not an identity file";
        return false;
    }
    const size_t at = headerLength + sizeof SeedTag - 1;
    if (text.compare(headerLength, sizeof SeedTag - 1, SeedTag) != 0 || text.size() < at + 1 || text.back() != '\n') {
        *error = "no seed line";
        return false;
    }
    uint8_t seed[RiderSeedBytes];
    if (!decodeSeed(text.substr(at, text.size() - at - 1), seed)) {
        *error = "the seed is not 32 bytes in base64";
        return false;
    }
    identityFromSeed(seed, identity);
    sodium_memzero(seed, sizeof seed);
    return true;
}

std::string identityPath() {
    char path[4096];
    return xdgPath(XdgData, "identity", path, sizeof path) ? std::string(path) : std::string();
}

bool readIdentity(RiderIdentity* identity) {
    const std::string path = identityPath();
    std::string text, error;
    if (path.empty() || readFileText(path.c_str(), &text, IdentityFileLimit) != FileReadWhole) return false;
    return parseIdentityText(text, identity, &error);
}

bool loadOrMakeIdentity(RiderIdentity* identity) {
    if (!sodiumReady()) return false;
    const std::string path = identityPath();
    if (path.empty()) return false;
    std::string text, error;
    const FileRead read = readFileText(path.c_str(), &text, IdentityFileLimit);
    if (read == FileReadWhole && parseIdentityText(text, identity, &error)) return true;
    if (read != FileMissing) {
        if (error.empty()) error = read == FileTooLarge ? "too large" : "cannot be read";
        char aside[4200];
        if (moveDamagedAside(path.c_str(), aside, sizeof aside))
            std::fprintf(stderr, "tumblegrade: the rider's identity %s is damaged (%s); kept as %s, a new key made\n",
                         path.c_str(), error.c_str(), aside);
        else
            return false;  // never over a file that could not be moved
    }
    uint8_t seed[RiderSeedBytes];
    randombytes_buf(seed, sizeof seed);
    identityFromSeed(seed, identity);
    const bool kept = writeIdentity(path, seed);
    sodium_memzero(seed, sizeof seed);
    if (!kept) std::fprintf(stderr, "tumblegrade: cannot write the rider's identity %s\n", path.c_str());
    return kept;
}

std::string publicKeyText(const RiderIdentity& identity) { return base64Of(identity.publicKey, RiderPublicBytes); }

std::string signatureText(const RiderIdentity& identity, const std::string& bytes) {
    uint8_t signature[RiderSignatureBytes];
    crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                         identity.secretKey);
    return base64Of(signature, sizeof signature);
}
