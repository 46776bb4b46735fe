// The rider's key: an Ed25519 key pair, made on the first submission and kept in
// $XDG_DATA_HOME/tumblegrade/identity (mode 0600 from its first byte, written safely):
//   # tumblegrade identity 1
//   seed <the key pair's 32-byte seed in base64>
// A damaged file is moved aside with one line on standard error and a new key is made:
// the identity is lost, the local records are not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int RiderSeedBytes = 32;
constexpr int RiderPublicBytes = 32;
constexpr int RiderSecretBytes = 64;
constexpr int RiderSignatureBytes = 64;
constexpr size_t IdentityFileLimit = 4096;

struct RiderIdentity {
    uint8_t publicKey[RiderPublicBytes];
    uint8_t secretKey[RiderSecretBytes];
};

// Reads the identity file's text; false with one line in `error`.
bool parseIdentityText(const std::string& text, RiderIdentity* identity, std::string* error);
std::string identityText(const uint8_t seed[RiderSeedBytes]);
// The key pair of a seed.
void identityFromSeed(const uint8_t seed[RiderSeedBytes], RiderIdentity* identity);

// The identity file's place ("" without a home folder).
std::string identityPath();
// The rider's identity: read from its file, or made and written there when there is
// none (or it was damaged). False only when no key can be read or kept.
bool loadOrMakeIdentity(RiderIdentity* identity);
// The identity when its file is there and readable (nothing is made).
bool readIdentity(RiderIdentity* identity);

// The public key in base64 (44 characters), and the signature of bytes in base64.
std::string publicKeyText(const RiderIdentity& identity);
std::string signatureText(const RiderIdentity& identity, const std::string& bytes);
std::string base64Of(const uint8_t* bytes, size_t size);
