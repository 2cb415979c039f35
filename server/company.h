#pragma once
// The demo company that the demo server serves: what company.json holds, resolved
// (references are indices), with texts already in UTF-16 as the server hands them out.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace demo {

// A server string: JSON null reaches the client as a null BSTR.
struct Text {
    std::u16string value;
    bool isNull = false;
};

struct Trader {
    std::string id;
    Text name;
    Text taxId;
    std::int32_t number = 0;
    bool offersInterface = true;
};

struct Item {
    std::string id;
    Text code;
    Text name;
    bool offersInterface = true;
};

struct VatRate {
    Text name;
    double rate = 0.0;
    bool offersInterface = true;
};

struct Line {
    std::string id;                    // for faults; "<document id>#<n>" unless given
    std::optional<std::size_t> item;   // index into Company::items
    double value = 0.0;
    double discount = 0.0;
    double vatPercent = 0.0;
    bool offersInterface = true;
};

enum class Side { Client, Supplier };

struct TraderRef {
    Side side = Side::Client;
    std::size_t index = 0;
};

struct Document {
    std::string id;
    Text name;
    Text series;
    std::int32_t number = 0;
    std::int32_t kind = 0;
    double date = 0.0;                 // OLE Automation date
    bool posted = false;
    std::optional<TraderRef> trader;
    std::vector<Line> lines;
    bool linked = false;               // offers ILinkedDocument ("sources" present)
    std::vector<std::size_t> sources;  // indices into Company::documents
    bool offersInterface = true;       // any document interface at all
    bool commercial = true;            // ICommercialDocument (else only ISourceDocument)
};

// Makes `operation` ("Interface.Method" or "Class.Create") fail for one target id,
// or for every target with "*".
struct Fault {
    std::string operation;
    std::string target;
    std::int32_t status = 0;
    std::u16string message;
};

struct Company {
    Text name;
    bool serviceOffersInterface = true;
    std::vector<Trader> clients;
    std::vector<Trader> suppliers;
    std::vector<Item> items;
    std::vector<VatRate> vatRates;
    std::vector<Document> documents;
    std::vector<Fault> faults;

    [[nodiscard]] const Trader& TraderAt(TraderRef ref) const {
        return ref.side == Side::Client ? clients[ref.index] : suppliers[ref.index];
    }
    // The fault for this operation on this target, or null. Cheap when there is none.
    [[nodiscard]] const Fault* FindFault(std::string_view operation, std::string_view target) const;
};

}  // namespace demo
