// RegistryKey against Wine's registry, under a throwaway key of the current user.
#include "win/registry_key.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

const std::wstring kTestKey = L"Software\\Dralmoft-Tests\\RegistryKey-" + std::to_wstring(::GetCurrentProcessId());

class RegistryKeyTest : public testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
        ASSERT_EQ(m_key.Create(HKEY_CURRENT_USER, kTestKey), 1);
    }
    void TearDown() override {
        m_key.Close();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
    }
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        ASSERT_EQ(::RegSetValueExW(m_key.Handle(), name, 0, type, static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
    }

    RegistryKey m_key;
};

TEST_F(RegistryKeyTest, MissingKeyFailsAndLeavesNoHandle) {
    RegistryKey key;
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, kTestKey + L"\\absent"), 0);
    EXPECT_EQ(key.LastStatus(), ERROR_FILE_NOT_FOUND) << "why, for a caller that tells the user";
    EXPECT_EQ(key.Handle(), nullptr);
    std::wstring text = L"old";
    EXPECT_EQ(key.QueryString(L"Tavrenix", text), 0);
    EXPECT_EQ(text, L"");
}

TEST_F(RegistryKeyTest, MissingValueEmptiesTheText) {
    std::wstring text = L"old";
    EXPECT_EQ(m_key.QueryString(L"absent", text), 0);
    EXPECT_EQ(m_key.LastStatus(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, L"");
    EXPECT_EQ(m_key.SetString(L"present", L"x"), 1);
    EXPECT_EQ(m_key.QueryString(L"present", text), 1);
    EXPECT_EQ(m_key.LastStatus(), ERROR_SUCCESS);
}

TEST_F(RegistryKeyTest, StringsReadBackWhole) {
    const std::wstring greek = L"C:\\Λογιστήριο\\Εταιρεία 1";
    const std::wstring longText = L"D:\\" + std::wstring(300, L'x');
    EXPECT_EQ(m_key.SetString(L"greek", greek), 1);
    EXPECT_EQ(m_key.SetString(L"long", longText), 1);
    EXPECT_EQ(m_key.SetString(L"empty", L""), 1);
    std::wstring text;
    EXPECT_EQ(m_key.QueryString(L"greek", text), 1);
    EXPECT_EQ(text, greek);
    EXPECT_EQ(m_key.QueryString(L"long", text), 1);
    EXPECT_EQ(text, longText) << "a long path must not be taken for a missing one";
    EXPECT_EQ(m_key.QueryString(L"empty", text), 1);
    EXPECT_EQ(text, L"");
}

TEST_F(RegistryKeyTest, StoredWithoutTerminatorOrWithWrongType) {
    const wchar_t unterminated[] = {L'A', L'B', L'C'};
    SetRaw(L"raw", REG_SZ, unterminated, sizeof unterminated);
    std::wstring text;
    EXPECT_EQ(m_key.QueryString(L"raw", text), 1);
    EXPECT_EQ(text, L"ABC");

    // The stored type is not looked at: the bytes are read as text up to the first zero.
    const wchar_t binary[] = {L'X', L'\0', L'Y'};
    SetRaw(L"binary", REG_BINARY, binary, sizeof binary);
    EXPECT_EQ(m_key.QueryString(L"binary", text), 1);
    EXPECT_EQ(text, L"X");
}

TEST_F(RegistryKeyTest, NumbersAndDeletion) {
    EXPECT_EQ(m_key.SetNumber(L"n", 0xDEADBEEF), 1);
    std::uint32_t number = 7;
    EXPECT_EQ(m_key.QueryNumber(L"n", number), 1);
    EXPECT_EQ(number, 0xDEADBEEFu);
    EXPECT_EQ(m_key.QueryNumber(L"absent", number), 0);
    EXPECT_EQ(number, 0u);

    EXPECT_EQ(m_key.DeleteValue(L"n"), 1);
    EXPECT_EQ(m_key.DeleteValue(L"n"), 0);
    RegistryKey sub;
    EXPECT_EQ(sub.Create(HKEY_CURRENT_USER, kTestKey + L"\\sub"), 1);
    sub.Close();
    EXPECT_EQ(sub.DeleteKey(HKEY_CURRENT_USER, kTestKey + L"\\sub"), 1);
    EXPECT_EQ(sub.Open(HKEY_CURRENT_USER, kTestKey + L"\\sub"), 0);
}

TEST_F(RegistryKeyTest, ReadRightsReadButCannotWrite) {
    ASSERT_EQ(m_key.SetString(L"Tavrenix", L"value"), 1);
    RegistryKey reader;
    ASSERT_EQ(reader.Open(HKEY_CURRENT_USER, kTestKey, KEY_READ), 1);
    std::wstring text;
    EXPECT_EQ(reader.QueryString(L"Tavrenix", text), 1);
    EXPECT_EQ(text, L"value");
    EXPECT_EQ(reader.SetString(L"Tavrenix", L"changed"), 0) << "the handle has more than read rights";
}

TEST_F(RegistryKeyTest, ClosingTwiceAndMovingAreHarmless) {
    RegistryKey first;
    ASSERT_EQ(first.Open(HKEY_CURRENT_USER, kTestKey), 1);
    RegistryKey second = std::move(first);
    EXPECT_EQ(first.Handle(), nullptr);
    EXPECT_NE(second.Handle(), nullptr);
    second.Close();
    second.Close();
    EXPECT_EQ(second.Handle(), nullptr);
}

}  // namespace
}  // namespace dralmoft
