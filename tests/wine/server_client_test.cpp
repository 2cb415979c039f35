// The program's server helpers against the demo server: every class and interface,
// the skip rules, and the creation policies.
#include <gtest/gtest.h>

#include <vector>

#include "data/windows/collection_walk.h"
#include "data/windows/server_objects.h"
#include "export/windows/com_document_source.h"
#include "test_company.h"
#include "win/bstr.h"
#include "win/variant.h"

namespace dralmoft {
namespace {

using Microsoft::WRL::ComPtr;
using test::Text1253;

constexpr const char* kCompany = R"({
  "name": "Δοκιμή Α.Ε.",
  "clients": [ {"id": "C1", "name": "Αλφα Πελάτης", "taxId": "099999999", "number": 345},
               {"id": "C2", "name": "Κρυφός", "taxId": "1", "interface": false},
               {"id": "C3", "name": null, "taxId": " 77 ", "number": -2} ],
  "suppliers": [ {"id": "S1", "name": "Προμηθευτής Ένα", "taxId": "800000001", "number": 7} ],
  "items": [ {"id": "I1", "code": "1001", "name": "Ελαιόλαδο 5 λίτρα"},
             {"id": "I2", "code": null, "name": "Μέλι", "interface": false} ],
  "vatRates": [ {"name": "Κανονικός", "rate": 24}, {"name": "Χωρίς", "rate": 0, "interface": false},
                {"name": "Μειωμένος", "rate": 6.126} ],
  "documents": [
    {"id": "D0", "name": "ΔΑ", "series": "Δ", "number": 1, "kind": 1, "date": "2004-12-30", "posted": true,
     "trader": "C1", "commercial": false,
     "lines": [ {"item": "I1", "value": 10, "discount": 1, "vatPercent": 24} ]},
    {"id": "D1", "name": "ΤΙΜ", "series": "A", "number": 12, "kind": 1, "date": "2004-12-31", "posted": true,
     "trader": "C1", "lines": [], "sources": ["D0"]},
    {"id": "D2", "name": "ΤΑΓ", "series": null, "number": 3, "kind": 0, "date": "2004-12-31T18:00",
     "trader": "S1", "lines": [ {"value": 100.5, "discount": 0.5, "vatPercent": 13},
                                {"item": "I1", "value": 1, "vatPercent": 6, "interface": false} ]},
    {"id": "D3", "name": "ΤΙΜ", "series": "A", "number": 13, "kind": 1, "date": "2004-12-31", "posted": true},
    {"id": "D4", "name": "ΤΙΜ", "series": "A", "number": 14, "kind": 1, "date": "2005-01-01", "posted": true,
     "trader": "C1"}
  ]
})";

template <class Interface>
std::string NameOf(const ComPtr<Interface>& object) {
    Bstr name;
    CallServer(object, &Interface::GetName, name.Put());
    return ToText(name);
}

class ServerClientTest : public testing::Test {
protected:
    void SetUp() override { test::OpenCompany(m_folder, kCompany); }
    void TearDown() override { EXPECT_TRUE(test::ServerHoldsNoObjects()) << "a server object was not released"; }

    ComPtr<IBusinessCollection> List(HRESULT (STDMETHODCALLTYPE IDataService::*method)(BSTR, IBusinessCollection**)) {
        const auto service = test::ConnectService();
        ComPtr<IBusinessCollection> list;
        const Bstr filter(u"");
        CallServer(service, method, filter.Get(), list.ReleaseAndGetAddressOf());
        return list;
    }

    std::vector<std::string> DocumentsOf(double from, double to, long flag) {
        const auto service = test::ConnectService();
        ComPtr<IBusinessCollection> documents;
        CallServer(service, &IDataService::GetDocuments, Variant::Double(from).Get(), Variant::Double(to).Get(), flag,
                   IID_IUnknown, documents.ReleaseAndGetAddressOf());
        std::vector<std::string> references;
        ForEachOffering<IDocument>(documents, [&](const ComPtr<IDocument>& document) {
            long number = 0;
            CallServer(document, &IDocument::GetNumber, &number);
            references.push_back(NameOf(document) + std::to_string(number));
        });
        return references;
    }

    test::ComApartment m_apartment;
    test::TempFolder m_folder;
};

TEST_F(ServerClientTest, ClientWalkSkipsEntriesWithoutTheInterface) {
    std::vector<std::string> rows;
    ForEachOffering<IClient>(List(&IDataService::GetClients), [&](const ComPtr<IClient>& client) {
        Bstr taxId;
        CallServer(client, &ITrader::GetTaxId, taxId.Put());
        long number = 0;
        CallServer(client, &ITrader::GetTraderNumber, &number);
        rows.push_back(ToText(taxId) + "|" + NameOf(client) + "|" + std::to_string(number));
    });
    // Greek arrives as Windows-1253 bytes; a null name as the empty text.
    EXPECT_EQ(rows, (std::vector<std::string>{Text1253(u"099999999|Αλφα Πελάτης|345"), " 77 ||-2"}));
    EXPECT_EQ(CountOf(List(&IDataService::GetClients)), 3);
}

TEST_F(ServerClientTest, SuppliersAreNotClients) {
    const auto suppliers = List(&IDataService::GetSuppliers);
    EXPECT_FALSE(ItemAs<IClient>(suppliers, 1));
    ASSERT_TRUE(ItemAs<ISupplier>(suppliers, 1));
    EXPECT_EQ(NameOf(ItemAs<ISupplier>(suppliers, 1)), Text1253(u"Προμηθευτής Ένα"));
}

TEST_F(ServerClientTest, ItemsGiveCodeAndName) {
    std::vector<std::string> rows;
    ForEachOffering<IItem>(List(&IDataService::GetItems), [&](const ComPtr<IItem>& item) {
        Bstr code;
        CallServer(item, &IItem::GetCode, code.Put());
        rows.push_back(ToText(code) + "|" + NameOf(item));
    });
    EXPECT_EQ(rows, (std::vector<std::string>{Text1253(u"1001|Ελαιόλαδο 5 λίτρα")}));
}

TEST_F(ServerClientTest, VatRatesComeExactlyAsStored) {
    const auto table = CreateServerObject<IBusinessTable>(CLSID_VatRateTable);
    ComPtr<IBusinessCollection> rates;
    CallServer(table, &IBusinessTable::GetAll, rates.ReleaseAndGetAddressOf());
    std::vector<double> percents;
    ForEachOffering<IVatRate>(rates, [&](const ComPtr<IVatRate>& rate) {
        double percent = 0;
        CallServer(rate, &IVatRate::GetRate, &percent);
        percents.push_back(percent);
    });
    EXPECT_EQ(percents, (std::vector<double>{24.0, 6.126}));
}

TEST_F(ServerClientTest, DocumentsSplitByPostedFlagOverWholeDays) {
    // 31/12/2004 is 38352; the period's end at midnight still takes a document of 18:00.
    EXPECT_EQ(DocumentsOf(38352, 38352, 1), (std::vector<std::string>{Text1253(u"ΤΙΜ12"), Text1253(u"ΤΙΜ13")}));
    EXPECT_EQ(DocumentsOf(38352, 38352, 0), (std::vector<std::string>{Text1253(u"ΤΑΓ3")}));
    EXPECT_EQ(DocumentsOf(38351, 38353, 1).size(), 4u);
    EXPECT_TRUE(DocumentsOf(38353, 38351, 1).empty());
}

TEST_F(ServerClientTest, DocumentHeaderTraderAndDate) {
    const auto service = test::ConnectService();
    ComPtr<IBusinessCollection> documents;
    CallServer(service, &IDataService::GetDocuments, Variant::Double(38352).Get(), Variant::Double(38352).Get(), 0L,
               IID_IUnknown, documents.ReleaseAndGetAddressOf());
    const auto purchase = ItemAs<ICommercialDocument>(documents, 1);
    ASSERT_TRUE(purchase);

    Bstr series;
    CallServer(purchase, &IDocument::GetSeries, series.Put());
    EXPECT_EQ(series.Get(), nullptr);  // JSON null reaches the program as a null string
    long kind = -1;
    CallServer(purchase, &IDocument::GetKind, &kind);
    EXPECT_EQ(kind, 0);
    Variant date;
    CallServer(purchase, &IDocument::GetDate, date.Put());
    EXPECT_EQ(date.Get().vt, VT_R8);
    EXPECT_EQ(date.Get().dblVal, 38352.75);

    ComPtr<ITrader> trader;
    CallServer(purchase, &IDocument::GetTrader, trader.ReleaseAndGetAddressOf());
    ComPtr<ISupplier> supplier;
    EXPECT_TRUE(SUCCEEDED(trader.As(&supplier)));
    ComPtr<ILinkedDocument> linked;
    EXPECT_EQ(purchase.As(&linked), E_NOINTERFACE);
}

TEST_F(ServerClientTest, LinesGiveAmountsBySelectorTwoAndSkipOthers) {
    const auto service = test::ConnectService();
    ComPtr<IBusinessCollection> documents;
    CallServer(service, &IDataService::GetDocuments, Variant::Double(38352).Get(), Variant::Double(38352).Get(), 0L,
               IID_IUnknown, documents.ReleaseAndGetAddressOf());
    const auto purchase = ItemAs<IDocument>(documents, 1);
    ComPtr<IBusinessCollection> lines;
    CallServer(purchase, &IDocument::GetLines, lines.ReleaseAndGetAddressOf());
    EXPECT_EQ(CountOf(lines), 2);

    int seen = 0;
    ForEachOffering<IDocumentLine>(lines, [&](const ComPtr<IDocumentLine>& line) {
        double value = 0, discount = 0, percent = 0, net = 0;
        CallServer(line, &IDocumentLine::GetValue, kAmountSelector, &value);
        CallServer(line, &IDocumentLine::GetDiscount, kAmountSelector, &discount);
        CallServer(line, &IDocumentLine::GetVatPercent, &percent);
        CallServer(line, &IDocumentLine::GetNetValue, &net);
        EXPECT_EQ(value, 100.5);
        EXPECT_EQ(discount, 0.5);
        EXPECT_EQ(net, 100.0);
        EXPECT_EQ(percent, 13.0);
        // A line without an item gives none, and asking the missing item its name fails.
        ComPtr<IItem> item;
        CallServer(line, &IDocumentLine::GetLineItem, item.ReleaseAndGetAddressOf());
        EXPECT_FALSE(item);
        try {
            (void)NameOf(item);
            ADD_FAILURE() << "no error through an empty reference";
        } catch (const ServerError& error) {
            EXPECT_EQ(error.Status(), kStatusPointer);
        }
        try {
            CallServer(line, &IDocumentLine::GetValue, 1L, &value);
            ADD_FAILURE() << "selector 1 accepted";
        } catch (const ServerError& error) {
            EXPECT_EQ(error.Status(), E_INVALIDARG);
            EXPECT_EQ(error.Text(), "selector 1 is not served: 2 gives the line's own amounts");
        }
        ++seen;
    });
    EXPECT_EQ(seen, 1);
}

TEST_F(ServerClientTest, LinkedInvoiceGivesItsDeliveryNotes) {
    const auto service = test::ConnectService();
    ComPtr<IBusinessCollection> documents;
    CallServer(service, &IDataService::GetDocuments, Variant::Double(38351).Get(), Variant::Double(38352).Get(), 1L,
               IID_IUnknown, documents.ReleaseAndGetAddressOf());
    EXPECT_FALSE(ItemAs<ICommercialDocument>(documents, 1)) << "a delivery note is not a commercial document";
    const auto invoice = ItemAs<ICommercialDocument>(documents, 2);
    ComPtr<ILinkedDocument> linked;
    ASSERT_TRUE(SUCCEEDED(invoice.As(&linked)));
    EXPECT_FALSE(ItemAs<ILinkedDocument>(documents, 3)) << "only documents with sources are linked";

    ComPtr<IBusinessCollection> sources;
    CallServer(linked, &ILinkedDocument::GetSourceDocuments, sources.ReleaseAndGetAddressOf());
    const auto note = ItemAs<ISourceDocument>(sources, 1);
    ComPtr<IBusinessCollection> lines;
    CallServer(note, &IDocument::GetLines, lines.ReleaseAndGetAddressOf());
    const auto line = ItemAs<IDocumentLine>(lines, 1);
    ComPtr<IItem> item;
    CallServer(line, &IDocumentLine::GetLineItem, item.ReleaseAndGetAddressOf());
    EXPECT_EQ(NameOf(item), Text1253(u"Ελαιόλαδο 5 λίτρα"));
}

TEST_F(ServerClientTest, DocumentLineAccumulatesFromZero) {
    const auto group = CreateServerObject<IDocumentLine>(CLSID_DocumentLine);
    ASSERT_TRUE(group);
    double net = -1;
    CallServer(group, &IDocumentLine::GetNetValue, &net);
    EXPECT_EQ(net, 0.0);
    CallServer(group, &IDocumentLine::SetNetValue, 10.004);
    CallServer(group, &IDocumentLine::GetNetValue, &net);
    EXPECT_EQ(net, 10.004);
    const Bstr name = ToBstr(Text1253(u"Μέλι"));
    CallServer(group, &IBusinessObject::SetName, name.Get());
    EXPECT_EQ(NameOf(group), Text1253(u"Μέλι"));
}

TEST_F(ServerClientTest, ObjectListKeepsOrderAndCountsInSixteenBits) {
    const auto list = CreateServerObject<IObjectList>(CLSID_ObjectList);
    const auto clients = List(&IDataService::GetClients);
    for (long i = 1; i <= 3; ++i) {
        ComPtr<IBusinessObject> client;
        CallServer(clients, &IBusinessCollection::GetItem, i, client.ReleaseAndGetAddressOf());
        CallServer(list, &IObjectList::Add, client.Get());
    }
    short count = 0;
    CallServer(list, &IObjectList::GetCount, &count);
    EXPECT_EQ(count, 3);
    ComPtr<IBusinessObject> third;
    CallServer(list, &IObjectList::GetItem, short{3}, third.ReleaseAndGetAddressOf());
    EXPECT_EQ(NameOf(third), "");

    ComPtr<IBusinessObject> client;
    CallServer(clients, &IBusinessCollection::GetItem, 1L, client.ReleaseAndGetAddressOf());
    for (int i = 3; i < 32768; ++i) CallServer(list, &IObjectList::Add, client.Get());
    CallServer(list, &IObjectList::GetCount, &count);
    EXPECT_EQ(count, -32768) << "the list's count is 16 bits wide";
}

TEST_F(ServerClientTest, CreationPolicies) {
    // A class that lacks the interface leaves the reference empty.
    EXPECT_FALSE(CreateServerObject<IItem>(CLSID_ObjectList));
    const CLSID unknown = {0x1, 0x2, 0x3, {0, 0, 0, 0, 0, 0, 0, 4}};
    try {
        (void)CreateServerObject<IBusinessTable>(unknown);
        ADD_FAILURE() << "an unregistered class was created";
    } catch (const ServerError& error) {
        EXPECT_EQ(error.Status(), REGDB_E_CLASSNOTREG);
    }
}

TEST_F(ServerClientTest, EmptyReferenceRaisesPointerError) {
    const ComPtr<IBusinessCollection> none;
    try {
        (void)CountOf(none);
        ADD_FAILURE() << "no error";
    } catch (const ServerError& error) {
        EXPECT_EQ(error.Status(), kStatusPointer);
        EXPECT_EQ(error.Text(), "");
    }
}

}  // namespace
}  // namespace dralmoft
