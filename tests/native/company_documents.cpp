#include "company_documents.h"

#include "base/code_page.h"

namespace dralmoft::test {

std::vector<MemoryDocument> DocumentsOf(const demo::Company& company) {
    const auto text = [](const demo::Text& value) { return Utf16ToCp1253(value.value); };
    std::vector<MemoryDocument> documents;
    for (const demo::Document& source : company.documents) {
        MemoryDocument& document = documents.emplace_back();
        document.commercial = source.commercial;
        document.name = text(source.name);
        document.series = text(source.series);
        document.number = source.number;
        document.kind = source.kind;
        document.date = source.date;
        document.hasTrader = source.trader.has_value();
        if (source.trader) document.taxId = text(company.TraderAt(*source.trader).taxId);
        std::vector<const demo::Document*> withLines{&source};
        if (source.linked) {
            withLines.clear();
            for (const std::size_t index : source.sources) withLines.push_back(&company.documents[index]);
        }
        for (const demo::Document* owner : withLines)
            for (const demo::Line& line : owner->lines)
                document.lines.push_back({line.offersInterface, line.value, line.discount, line.vatPercent,
                                          line.item ? text(company.items[*line.item].name) : std::string()});
    }
    return documents;
}

}  // namespace dralmoft::test
