#include "company_file.h"

#include <cmath>
#include <limits>
#include <unordered_map>

#include "base/iso_date.h"
#include "json_reader.h"

namespace demo {
namespace {

// A reference by id, resolved once the whole file is read: the top-level members may
// come in any order.
struct PendingRef {
    enum Kind { TraderRef, ItemRef, SourceRef } kind;
    std::size_t document;
    std::size_t line;
    std::string id;
    std::size_t offset;
};

class CompanyReader {
public:
    explicit CompanyReader(std::string_view json) : m_json(json) {}

    Company Read() {
        std::string key;
        m_json.BeginObject();
        while (m_json.NextKey(key)) ReadMember(key);
        m_json.End();
        Resolve();
        return std::move(m_company);
    }

private:
    void ReadMember(const std::string& key) {
        if (key == "name") m_company.name = ReadText();
        else if (key == "dataService") ReadDataService();
        else if (key == "clients")
            ReadArray(key, [&](const std::string& path) { ReadTrader(path, m_company.clients); });
        else if (key == "suppliers")
            ReadArray(key, [&](const std::string& path) { ReadTrader(path, m_company.suppliers); });
        else if (key == "items") ReadArray(key, [&](const std::string& path) { ReadItem(path); });
        else if (key == "vatRates") ReadArray(key, [&](const std::string& path) { ReadVatRate(path); });
        else if (key == "documents") ReadArray(key, [&](const std::string& path) { ReadDocument(path); });
        else if (key == "faults") ReadArray(key, [&](const std::string& path) { ReadFault(path); });
        else Unknown("the company", key);
    }

    template <class ReadOne>
    void ReadArray(const std::string& name, ReadOne&& readOne) {
        m_json.BeginArray();
        for (std::size_t i = 0; m_json.NextElement(); ++i) readOne(name + "[" + std::to_string(i) + "]");
    }

    [[noreturn]] void Unknown(const std::string& where, const std::string& key) {
        m_json.FailAt(m_json.KeyOffset(), "unknown member \"" + key + "\" in " + where);
    }

    Text ReadText() {
        if (m_json.TryNull()) return Text{{}, true};
        return Text{Utf8ToUtf16(m_json.String()), false};
    }

    std::int32_t ReadInt32(const std::string& path) {
        const std::size_t offset = m_json.Offset();
        const std::int64_t value = m_json.Integer();
        if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
            m_json.FailAt(offset, path + ": the number does not fit in 32 bits");
        return static_cast<std::int32_t>(value);
    }

    std::string ReadId(const std::string& path, std::unordered_map<std::string, std::size_t>& seen, std::size_t index) {
        const std::size_t offset = m_json.Offset();
        std::string id = m_json.String();
        if (!seen.emplace(id, index).second) m_json.FailAt(offset, path + ": the id \"" + id + "\" is used twice");
        return id;
    }

    void RequireId(const std::string& path, const std::string& id, std::size_t offset) {
        if (id.empty()) m_json.FailAt(offset, path + ": \"id\" is missing");
    }

    void ReadDataService() {
        std::string key;
        m_json.BeginObject();
        while (m_json.NextKey(key)) {
            if (key == "interface") m_company.serviceOffersInterface = m_json.Boolean();
            else Unknown("dataService", key);
        }
    }

    void ReadTrader(const std::string& path, std::vector<Trader>& traders) {
        Trader trader;
        const std::size_t offset = m_json.Offset();
        std::string key;
        m_json.BeginObject();
        while (m_json.NextKey(key)) {
            if (key == "id") trader.id = ReadId(path, m_traderIds, traders.size());
            else if (key == "name") trader.name = ReadText();
            else if (key == "taxId") trader.taxId = ReadText();
            else if (key == "number") trader.number = ReadInt32(path);
            else if (key == "interface") trader.offersInterface = m_json.Boolean();
            else Unknown(path, key);
        }
        RequireId(path, trader.id, offset);
        const Side side = &traders == &m_company.clients ? Side::Client : Side::Supplier;
        m_traderSides[trader.id] = TraderRef{side, traders.size()};
        traders.push_back(std::move(trader));
    }

    void ReadItem(const std::string& path) {
        Item item;
        const std::size_t offset = m_json.Offset();
        std::string key;
        m_json.BeginObject();
        while (m_json.NextKey(key)) {
            if (key == "id") item.id = ReadId(path, m_itemIds, m_company.items.size());
            else if (key == "code") item.code = ReadText();
            else if (key == "name") item.name = ReadText();
            else if (key == "interface") item.offersInterface = m_json.Boolean();
            else Unknown(path, key);
        }
        RequireId(path, item.id, offset);
        m_company.items.push_back(std::move(item));
    }

    void ReadVatRate(const std::string& path) {
        VatRate rate;
        bool hasRate = false;
        const std::size_t offset = m_json.Offset();
        std::string key;
        m_json.BeginObject();
        while (m_json.NextKey(key)) {
            if (key == "name") rate.name = ReadText();
            else if (key == "rate") rate.rate = m_json.Number(), hasRate = true;
            else if (key == "interface") rate.offersInterface = m_json.Boolean();
            else Unknown(path, key);
        }
        if (!hasRate) m_json.FailAt(offset, path + ": \"rate\" is missing");
        m_company.vatRates.push_back(std::move(rate));
    }

    void ReadDate(const std::string& path, Document& document) {
        const std::size_t offset = m_json.Offset();
        const std::optional<double> date = dralmoft::ParseOleDate(m_json.String());
        if (!date) m_json.FailAt(offset, path + ": \"date\" is not a date of the form YYYY-MM-DD");
        document.date = *date;
    }

    void ReadDocument(const std::string& path) {
        Document document;
        const std::size_t index = m_company.documents.size();
        const std::size_t offset = m_json.Offset();
        bool hasDate = false;
        std::string key;
        m_json.BeginObject();
        while (m_json.NextKey(key)) {
            if (key == "id") document.id = ReadId(path, m_documentIds, index);
            else if (key == "name") document.name = ReadText();
            else if (key == "series") document.series = ReadText();
            else if (key == "number") document.number = ReadInt32(path);
            else if (key == "kind") document.kind = ReadInt32(path);
            else if (key == "date") ReadDate(path, document), hasDate = true;
            else if (key == "posted") document.posted = m_json.Boolean();
            else if (key == "trader") ReadTraderRef(index);
            else if (key == "lines") ReadArray(path + ".lines", [&](const std::string& p) { ReadLine(p, document); });
            else if (key == "sources") ReadSources(document);
            else if (key == "interface") document.offersInterface = m_json.Boolean();
            else if (key == "commercial") document.commercial = m_json.Boolean();
            else Unknown(path, key);
        }
        RequireId(path, document.id, offset);
        if (!hasDate) m_json.FailAt(offset, path + ": \"date\" is missing");
        for (std::size_t i = 0; i < document.lines.size(); ++i) {
            if (document.lines[i].id.empty()) document.lines[i].id = document.id + "#" + std::to_string(i + 1);
        }
        m_company.documents.push_back(std::move(document));
    }

    void ReadTraderRef(std::size_t document) {
        const std::size_t offset = m_json.Offset();
        if (m_json.TryNull()) return;
        m_pending.push_back({PendingRef::TraderRef, document, 0, m_json.String(), offset});
    }

    void ReadSources(Document& document) {
        document.linked = true;
        m_json.BeginArray();
        while (m_json.NextElement()) {
            const std::size_t offset = m_json.Offset();
            m_pending.push_back(
                {PendingRef::SourceRef, m_company.documents.size(), document.sources.size(), m_json.String(), offset});
            document.sources.push_back(0);
        }
    }

    void ReadLine(const std::string& path, Document& document) {
        Line line;
        std::string key;
        m_json.BeginObject();
        while (m_json.NextKey(key)) {
            if (key == "id") line.id = m_json.String();
            else if (key == "item") ReadItemRef(document);
            else if (key == "value") line.value = m_json.Number();
            else if (key == "discount") line.discount = m_json.Number();
            else if (key == "vatPercent") line.vatPercent = m_json.Number();
            else if (key == "interface") line.offersInterface = m_json.Boolean();
            else Unknown(path, key);
        }
        document.lines.push_back(std::move(line));
    }

    void ReadItemRef(const Document& document) {
        const std::size_t offset = m_json.Offset();
        if (m_json.TryNull()) return;
        m_pending.push_back(
            {PendingRef::ItemRef, m_company.documents.size(), document.lines.size(), m_json.String(), offset});
    }

    void ReadFault(const std::string& path) {
        Fault fault;
        const std::size_t offset = m_json.Offset();
        std::string key;
        m_json.BeginObject();
        while (m_json.NextKey(key)) {
            if (key == "operation") fault.operation = m_json.String();
            else if (key == "target") fault.target = m_json.String();
            else if (key == "hresult") fault.status = ReadStatus(path);
            else if (key == "message") fault.message = Utf8ToUtf16(m_json.String());
            else Unknown(path, key);
        }
        if (fault.operation.empty()) m_json.FailAt(offset, path + ": \"operation\" is missing");
        if (fault.target.empty()) fault.target = "*";
        if (fault.status >= 0)
            m_json.FailAt(offset, path + ": \"hresult\" must be a failure code such as \"0x80004005\"");
        m_company.faults.push_back(std::move(fault));
    }

    std::int32_t ReadStatus(const std::string& path) {
        const std::size_t offset = m_json.Offset();
        const std::string text = m_json.String();
        if (text.size() != 10 || text.compare(0, 2, "0x") != 0 ||
            text.find_first_not_of("0123456789abcdefABCDEF", 2) != std::string::npos)
            m_json.FailAt(offset, path + ": \"hresult\" must be written as \"0x\" and eight hexadecimal digits");
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::stoul(text.substr(2), nullptr, 16)));
    }

    void Resolve() {
        for (const PendingRef& ref : m_pending) {
            Document& document = m_company.documents[ref.document];
            const std::string where = "document \"" + document.id + "\": ";
            if (ref.kind == PendingRef::TraderRef) {
                const auto found = m_traderSides.find(ref.id);
                if (found == m_traderSides.end())
                    m_json.FailAt(ref.offset, where + "trader \"" + ref.id + "\" is neither a client nor a supplier");
                document.trader = found->second;
            } else if (ref.kind == PendingRef::ItemRef) {
                const auto found = m_itemIds.find(ref.id);
                if (found == m_itemIds.end())
                    m_json.FailAt(ref.offset, where + "item \"" + ref.id + "\" is not an item");
                document.lines[ref.line].item = found->second;
            } else {
                const auto found = m_documentIds.find(ref.id);
                if (found == m_documentIds.end())
                    m_json.FailAt(ref.offset, where + "source \"" + ref.id + "\" is not a document");
                document.sources[ref.line] = found->second;
            }
        }
    }

    JsonReader m_json;
    Company m_company;
    std::unordered_map<std::string, std::size_t> m_traderIds;
    std::unordered_map<std::string, TraderRef> m_traderSides;
    std::unordered_map<std::string, std::size_t> m_itemIds;
    std::unordered_map<std::string, std::size_t> m_documentIds;
    std::vector<PendingRef> m_pending;
};

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        std::uint32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k) cp = (cp << 6) | (text[i + k] & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00u);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

Company ParseCompany(std::string_view json) { return CompanyReader(json).Read(); }

}  // namespace demo
