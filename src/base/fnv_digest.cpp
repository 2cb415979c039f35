#include "base/fnv_digest.h"

namespace dralmoft {
namespace {

constexpr std::uint64_t kPrime = 1099511628211ull;

}  // namespace

void FnvDigest::AddBytes(std::string_view bytes) {
    // In a local: a char may alias the member, which would be stored at every byte.
    std::uint64_t value = m_value;
    for (const char byte : bytes) value = (value ^ static_cast<unsigned char>(byte)) * kPrime;
    m_value = value;
}

void FnvDigest::Add(std::string_view bytes) {
    AddBytes(bytes);
    Close(bytes.size());
}

void FnvDigest::Close(std::uint64_t length) {
    for (int i = 0; i < 8; ++i, length >>= 8) m_value = (m_value ^ (length & 0xff)) * kPrime;
}

std::string FnvDigest::Hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (std::size_t at = 16; at-- > 0; value >>= 4) text[at] = kDigits[value & 0xf];
    return text;
}

}  // namespace dralmoft
