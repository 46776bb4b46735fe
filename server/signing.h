// The rider's identity: an Ed25519 key and detached signatures, base64 as in RFC 4648
// section 4 (with padding), and SHA-256 for fingerprints. All through libsodium.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t RiderKeyBytes = 32;
constexpr size_t SignatureBytes = 64;
constexpr size_t Sha256Bytes = 32;

// libsodium's start; false when it cannot run (the server does not start).
bool startSigning();
// Strict base64 with padding into out; false when text is not exactly that many bytes.
bool decodeBase64(const std::string& text, uint8_t* out, size_t size);
std::string encodeBase64(const uint8_t* bytes, size_t size);
// Any length, for stored byte strings; false on text that is not base64.
bool decodeBase64Text(const std::string& text, std::string* out);
std::string encodeBase64Text(const std::string& bytes);
// The detached signature of body under key.
bool signatureMatches(const uint8_t key[RiderKeyBytes], const uint8_t signature[SignatureBytes],
                      const std::string& body);
void sha256(const void* bytes, size_t size, uint8_t out[Sha256Bytes]);
std::string hexOf(const uint8_t* bytes, size_t size);
// The SHA-256 of the bytes in 64 lowercase hex digits.
std::string sha256Text(const std::string& bytes);
