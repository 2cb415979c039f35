#include "base/message_text.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

TEST(MessageText, PartsInAnyOrderAndCountsInNumber) {
    const struct {
        std::wstring_view pattern;
        std::initializer_list<std::wstring_view> parts;
        std::wstring_view expected;
    } cases[] = {
        {L"%2 μετά %1, %3%", {L"α", L"β"}, L"β μετά α, %"},  // a part not given is empty
        {L"%1 {έγγραφο έχει|έγγραφα έχουν} ήδη εξαχθεί", {L"1"}, L"1 έγγραφο έχει ήδη εξαχθεί"},
        {L"%1 {έγγραφο έχει|έγγραφα έχουν} ήδη εξαχθεί", {L"11"}, L"11 έγγραφα έχουν ήδη εξαχθεί"},
        {L"%1 {έγγραφο|έγγραφα} και %2 {πρόβλημα|προβλήματα}", {L"0", L"1"}, L"0 έγγραφα και 1 πρόβλημα"},
        {L"{1:Το|Τα} %1 {έγγραφο|έγγραφα} της %2 {1:έχει|έχουν}", {L"1", L"3/2026"}, L"Το 1 έγγραφο της 3/2026 έχει"},
        {L"{2:α|β} %1", {L"1", L"2"}, L"β 1"},
        // Braces with no count to follow, or not closed, are text.
        {L"{α|β} %1 {γ", {L"1"}, L"{α|β} 1 {γ"},
        {L"%1 {α} {β|", {L"1"}, L"1 {α} {β|"},
    };
    for (const auto& c : cases) EXPECT_EQ(FillMessage(c.pattern, c.parts), c.expected) << c.pattern.data();
}

}  // namespace
}  // namespace dralmoft
