// libFuzzer target: any bytes as an account file, read as an item table and as a VAT
// table, then written back and read again. Finds crashes and undefined behaviour
// (AddressSanitizer, UBSan), and checks what must hold for any input.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "mapping/mapping_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    dralmoft::AccountMap items;
    dralmoft::ReadAccountText(content, items);
    const std::string written = dralmoft::WriteAccountText(items);
    dralmoft::AccountMap reread;
    dralmoft::ReadAccountText(written, reread);
    // Every entry written comes back as a line of its own: never more entries than lines.
    if (reread.Size() > items.Size()) std::abort();

    dralmoft::VatAccountMap vat;
    dralmoft::ReadAccountText(content, vat);
    for (const auto& [rate, account] : vat) {
        if (std::isnan(rate)) std::abort();  // the table's order depends on it
    }
    dralmoft::VatAccountMap vatReread;
    dralmoft::ReadAccountText(dralmoft::WriteAccountText(vat), vatReread);
    return 0;
}
