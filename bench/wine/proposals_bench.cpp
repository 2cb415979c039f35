// dralmoft-bench-proposals ITEMS.TSV: how long the proposals window takes to open on a
// large period, from the report's click to the window shown: 10,000 keys without an
// account (8,000 new items, 2,000 new clients) against 100,000 kept items (the labelled
// items of ITEMS.TSV in sizes and packs) and a series of 2,000 clients.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/dialogs/proposals_dialog.h"
#include "base/code_page.h"
#include "missing_keys.h"

using namespace dralmoft;
using Clock = std::chrono::steady_clock;

namespace {

// The window's owner, with the tables and nothing to store.
class Tables final : public AccountEditing {
public:
    std::string EditAccountOf(HWND, AccountKind, const std::string&) override { return {}; }
    AccountTables Accounts() override { return {clients, suppliers, items, vat}; }
    AcceptResult StoreProposals(const std::vector<ProposalLine>&, const CheckReport&) override { return {}; }

    AccountMap clients, suppliers, items;
    VatAccountMap vat;
};

// The names of the labelled items (Windows-1253), with their rates.
std::vector<std::pair<std::string, int>> LabelledItems(const wchar_t* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::pair<std::string, int>> items;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        const std::size_t rate = line.rfind('\t');
        if (tab == std::string::npos || rate == tab) continue;
        items.emplace_back(Utf16ToCp1253(Utf8ToUtf16(line.substr(0, tab)).value_or(u"?")),
                           std::stoi(line.substr(rate + 1)));
    }
    return items;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: dralmoft-bench-proposals ITEMS.TSV\n", stderr);
        return 2;
    }
    const std::vector<std::pair<std::string, int>> labelled = LabelledItems(argv[1]);
    if (labelled.empty()) return 1;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    Tables tables;
    for (std::size_t i = 0; tables.items.Size() < 100'000; ++i) {
        const auto& [name, rate] = labelled[i % labelled.size()];
        const std::string category = std::to_string(i % labelled.size() % 13 + 10);
        tables.items[name + " " + std::to_string(i / labelled.size() + 1) + "x"] =
            "20." + category + ".00.00" + std::to_string(rate) + ";70." + category + ".00.00" + std::to_string(rate);
    }
    for (int i = 1; i <= 2000; ++i)
        tables.clients[std::to_string(100000000 + i)] = "30.00." + std::to_string(10000 + i);
    CheckReport report;
    for (std::size_t i = 0; i < 8000; ++i)
        bench::AddMissingKey(report, CheckCode::ItemAccount,
                             labelled[i % labelled.size()].first + " new " + std::to_string(i),
                             labelled[i % labelled.size()].second);
    for (int i = 1; i <= 2000; ++i)
        bench::AddMissingKey(report, CheckCode::ClientAccount, std::to_string(200000000 + i), 0.0);

    std::atomic<double> openMs{-1.0};
    const auto start = Clock::now();
    std::thread closer([&] {
        for (int wait = 0; wait < 3000; ++wait) {
            const HWND shown = ::FindWindowW(L"#32770", L"Προτάσεις λογαριασμών");
            if (shown != nullptr && ::IsWindowVisible(shown)) {
                openMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                ::PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            ::Sleep(5);
        }
    });
    {
        ProposalsDialog dialog(nullptr, report, tables);
        dialog.DoModal();
    }
    closer.join();
    std::printf("open_ms %.0f\n", openMs.load());
    return openMs < 0 ? 1 : 0;
}
