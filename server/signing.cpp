#include "signing.h"

#include <sodium.h>

#include <vector>

bool startSigning() { return sodium_init() >= 0; }

bool decodeBase64(const std::string& text, uint8_t* out, size_t size) {
    if (text.size() != sodium_base64_encoded_len(size, sodium_base64_VARIANT_ORIGINAL) - 1) return false;
    size_t length = 0;
    const char* end = nullptr;
    if (sodium_base642bin(out, size, text.data(), text.size(), nullptr, &length, &end,
                          sodium_base64_VARIANT_ORIGINAL) != 0)
        return false;
    return length == size && end == text.data() + text.size();
}

std::string encodeBase64(const uint8_t* bytes, size_t size) {
    std::string text(sodium_base64_encoded_len(size, sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(), bytes, size, sodium_base64_VARIANT_ORIGINAL);
    text.pop_back();  // the terminating zero
    return text;
}

bool decodeBase64Text(const std::string& text, std::string* out) {
    out->assign(text.size() / 4 * 3 + 3, '\0');
    size_t length = 0;
    const char* end = nullptr;
    if (sodium_base642bin(reinterpret_cast<unsigned char*>(out->data()), out->size(), text.data(), text.size(),
                          nullptr, &length, &end, sodium_base64_VARIANT_ORIGINAL) != 0 ||
        end != text.data() + text.size())
        return false;
    out->resize(length);
    return true;
}

std::string encodeBase64Text(const std::string& bytes) {
    return encodeBase64(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

bool signatureMatches(const uint8_t key[RiderKeyBytes], const uint8_t signature[SignatureBytes],
                      const std::string& body) {
    return crypto_sign_verify_detached(signature, reinterpret_cast<const unsigned char*>(body.data()),
                                       body.size(), key) == 0;
}

void sha256(const void* bytes, size_t size, uint8_t out[Sha256Bytes]) {
    crypto_hash_sha256(out, static_cast<const unsigned char*>(bytes), size);
}

std::string hexOf(const uint8_t* bytes, size_t size) {
    static const char Digits[] = "0123456789abcdef";
    std::string text(size * 2, '0');
    for (size_t i = 0; i < size; ++i) {
        text[2 * i] = Digits[bytes[i] >> 4];
        text[2 * i + 1] = Digits[bytes[i] & 15];
    }
    return text;
}

std::string sha256Text(const std::string& bytes) {
    uint8_t digest[Sha256Bytes];
    sha256(bytes.data(), bytes.size(), digest);
    return hexOf(digest, Sha256Bytes);
}
