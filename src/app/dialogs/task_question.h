#pragma once
// A question with buttons of its own, as a task dialog over the window (the title is
// the program's name).

#include <windows.h>

#include <optional>
#include <span>
#include <string>

namespace dralmoft {

struct QuestionButton {
    int id;  // what the question returns when it is pressed; IDCANCEL for "Άκυρο"
    std::wstring text;
};

// Asks over `owner` with a warning icon; the button pressed, IDCANCEL on Esc. Nothing
// when the task dialog is missing (an old common-controls library): the caller then asks
// in a simpler way.
[[nodiscard]] std::optional<int> AskTaskQuestion(HWND owner, const std::wstring& instruction,
                                                 const std::wstring& content, std::span<const QuestionButton> buttons,
                                                 int defaultButton);

}  // namespace dralmoft
