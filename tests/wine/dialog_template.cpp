#include "dialog_template.h"

#include <gtest/gtest.h>

#include <cstring>

namespace dralmoft::test {
namespace {

class Reader {
public:
    explicit Reader(const BYTE* data) : m_at(data) {}
    template <class T>
    T Take() {
        T value;
        std::memcpy(&value, m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    // A string or an ordinal; ordinals of the predefined classes get their names.
    std::wstring TakeText() {
        const WORD first = Take<WORD>();
        if (first == 0) return {};
        if (first == 0xFFFF) {
            switch (Take<WORD>()) {
                case 0x80: return L"Button";
                case 0x81: return L"Edit";
                case 0x82: return L"Static";
                default: return L"#ordinal";
            }
        }
        std::wstring text(1, static_cast<wchar_t>(first));
        for (WORD c = Take<WORD>(); c != 0; c = Take<WORD>()) text += static_cast<wchar_t>(c);
        return text;
    }
    void AlignTo4(const BYTE* base) {
        while ((m_at - base) % 4 != 0) ++m_at;
    }

private:
    const BYTE* m_at;
};

RECT TakePlace(Reader& reader) {
    const short x = reader.Take<short>(), y = reader.Take<short>(), cx = reader.Take<short>(), cy = reader.Take<short>();
    return {x, y, cx, cy};
}

}  // namespace

DialogTemplate LoadDialogTemplate(int id) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
    EXPECT_NE(resource, nullptr) << "no dialog " << id;
    if (resource == nullptr) return {};
    const auto* base = static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
    Reader reader(base);
    DialogTemplate result{};
    EXPECT_EQ(reader.Take<WORD>(), 1);       // dlgVer
    EXPECT_EQ(reader.Take<WORD>(), 0xFFFF);  // signature of DLGTEMPLATEEX
    reader.Take<DWORD>();                    // help id
    result.exStyle = reader.Take<DWORD>();
    result.style = reader.Take<DWORD>();
    const WORD count = reader.Take<WORD>();
    result.place = TakePlace(reader);
    reader.TakeText();  // menu
    reader.TakeText();  // class
    result.title = reader.TakeText();
    if (result.style & DS_SETFONT) {
        result.pointSize = reader.Take<WORD>();
        reader.Take<WORD>();  // weight
        reader.Take<BYTE>();  // italic
        reader.Take<BYTE>();  // charset
        result.font = reader.TakeText();
    }
    for (WORD i = 0; i < count; ++i) {
        reader.AlignTo4(base);
        TemplateItem item{};
        reader.Take<DWORD>();  // help id
        item.exStyle = reader.Take<DWORD>();
        item.style = reader.Take<DWORD>();
        item.place = TakePlace(reader);
        item.id = static_cast<int>(reader.Take<DWORD>());
        item.className = reader.TakeText();
        item.text = reader.TakeText();
        const WORD extra = reader.Take<WORD>();
        for (WORD k = 0; k < extra; ++k) reader.Take<BYTE>();
        result.items.push_back(item);
    }
    return result;
}

}  // namespace dralmoft::test
