// libFuzzer target: any bytes as an account file, decoded as the program decodes it (its
// encoding guessed), read as an item table and as a VAT table, then written back and read
// again. Finds crashes and undefined behaviour (AddressSanitizer, UBSan), and checks what
// must hold for any input.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "mapping/mapping_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const dralmoft::DecodedText decoded = dralmoft::DecodeAccountText(bytes);
    // Only a file in another encoding is changed by decoding.
    if (decoded.encoding == dralmoft::TextEncoding::Windows1253 && decoded.text != bytes) std::abort();
    const std::string_view content = decoded.text;

    dralmoft::AccountMap items;
    dralmoft::ReadAccountText(content, items);
    const std::string written = dralmoft::WriteAccountText(items);
    dralmoft::AccountMap reread;
    dralmoft::ReadAccountText(written, reread);
    // Every entry written comes back as a line of its own: never more entries than lines.
    if (reread.Size() > items.Size()) std::abort();
    // An entry the format can keep comes back exactly as it was.
    for (const auto& [key, account] : items) {
        if (dralmoft::TrimSpace(account).empty() || dralmoft::CheckStorable(key, account) != dralmoft::Unstorable::None)
            continue;
        if (reread[key] != account) std::abort();
    }

    dralmoft::VatAccountMap vat;
    dralmoft::ReadAccountText(content, vat);
    for (const auto& [rate, account] : vat) {
        if (std::isnan(rate)) std::abort();                       // the table's order depends on it
        if (dralmoft::StoredVatRate(rate) != rate) std::abort();  // every key as the file keeps it
    }
    dralmoft::VatAccountMap vatReread;
    dralmoft::ReadAccountText(dralmoft::WriteAccountText(vat), vatReread);
    if (vatReread.Size() > vat.Size()) std::abort();
    return 0;
}
