#pragma once
// A small pull reader for JSON text: the company loader asks for the value it expects
// next, so a large file is read straight into the company without a document tree.
// Every fault is a CompanyFileError whose text begins with "line L, column C: ".

#include <cstdint>
#include <string>
#include <string_view>

namespace demo {

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    // Objects: BeginObject, then NextKey until it answers false.
    void BeginObject();
    [[nodiscard]] bool NextKey(std::string& key);
    // Arrays: BeginArray, then NextElement until it answers false.
    void BeginArray();
    [[nodiscard]] bool NextElement();

    // Consumes a null and answers true, or leaves anything else in place.
    [[nodiscard]] bool TryNull();
    [[nodiscard]] std::string String();  // UTF-8, escapes resolved
    [[nodiscard]] double Number();
    [[nodiscard]] std::int64_t Integer();
    [[nodiscard]] bool Boolean();
    void SkipValue();
    // After the top-level value: only white space may follow.
    void End();

    [[noreturn]] void Fail(std::string_view message) const { FailAt(m_pos, message); }
    [[noreturn]] void FailAt(std::size_t offset, std::string_view message) const;
    // Where the next value starts, for messages about it.
    [[nodiscard]] std::size_t Offset() {
        SkipSpace();
        return m_pos;
    }
    // Where the member name last read by NextKey starts.
    [[nodiscard]] std::size_t KeyOffset() const { return m_keyOffset; }

private:
    void SkipSpace();
    [[nodiscard]] char Peek();
    void Expect(char wanted, std::string_view what);
    [[nodiscard]] std::string_view NumberToken();
    void AppendEscape(std::string& out);
    void AppendUtf8(std::string& out);
    [[nodiscard]] unsigned Hex4();

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_keyOffset = 0;
    // After an element or member: a ',' or the closing bracket must come next.
    bool m_first = true;
};

}  // namespace demo
