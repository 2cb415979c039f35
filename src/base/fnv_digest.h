#pragma once
// The digests the export log keeps, of a document's records and of a written file.

#include <cstdint>
#include <string>
#include <string_view>

namespace dralmoft {

// The 64-bit digest the log keeps: FNV-1a (64 bits) over the bytes given.
class FnvDigest {
public:
    // A piece closed by its length, so that ("ab", "c") and ("a", "bc") differ.
    void Add(std::string_view bytes);
    // Closes a piece fed in parts through AddBytes by its whole length: the same digest
    // as Add of the whole piece.
    void Close(std::uint64_t length);
    // Bytes of a stream: a file's digest is the plain FNV-1a of its bytes, whatever pieces
    // they were written in, so that anyone can take it again from the file.
    void AddBytes(std::string_view bytes);
    [[nodiscard]] std::uint64_t Value() const { return m_value; }
    // 16 lower-case hexadecimal digits.
    [[nodiscard]] static std::string Hex(std::uint64_t value);

private:
    std::uint64_t m_value = 14695981039346656037ull;
};

}  // namespace dralmoft
