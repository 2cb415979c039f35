#pragma once
// Driving the real dialogs as a user would: a modal dialog that a command opens is
// answered from a helper thread, which finds it by its title, reads it and acts on it.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace dralmoft::test {

// Waits (up to a few seconds) for a top-level dialog of this process titled `title`,
// collects the texts of its controls, then runs `act` on it (by default: presses OK).
class ModalAnswer {
public:
    explicit ModalAnswer(std::wstring title, std::function<void(HWND)> act = {});
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    // Waits for the helper; then whether the dialog was found, and what it showed.
    bool Found();
    const std::vector<std::wstring>& Texts();
    // All texts joined by line ends.
    std::wstring AllText();

private:
    void Run();

    std::wstring m_title;
    std::function<void(HWND)> m_act;
    std::vector<std::wstring> m_texts;
    std::atomic<bool> m_found{false};
    std::thread m_thread;
};

// Presses a button of a dialog owned by another thread, as a click would.
void Press(HWND dialog, int id);
// Types `text` into control `id`.
void Type(HWND dialog, int id, const std::wstring& text);

[[nodiscard]] std::wstring TextOf(HWND window);

// A cell of a list of a window owned by another thread, as the list shows it; a column
// of all its rows.
[[nodiscard]] std::wstring ListCell(HWND list, int row, int column);
[[nodiscard]] std::vector<std::wstring> ListColumn(HWND list, int column);
// Selects row `row` alone, with the focus on it, as a click would.
void SelectRow(HWND list, int row);

// Sets the current directory for a test and restores it.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& folder);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::wstring m_previous;
};

// The bytes of a file, or "<missing>".
[[nodiscard]] std::string ReadFileBytes(const std::wstring& path);

}  // namespace dralmoft::test
