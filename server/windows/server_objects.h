#pragma once
// Factories of the demo server's objects. Every object keeps the company it came from
// alive, so a client may hold it after another database registration.

#include <wrl/client.h>

#include <memory>
#include <string>
#include <vector>

#include "company.h"
#include "data/windows/server_interfaces.h"

namespace demo {

using CompanyPtr = std::shared_ptr<const Company>;
using Microsoft::WRL::ComPtr;

ComPtr<ITrader> MakeTrader(CompanyPtr company, TraderRef ref);
ComPtr<IItem> MakeItem(CompanyPtr company, std::size_t index);
ComPtr<IVatRate> MakeVatRate(CompanyPtr company, std::size_t index);
ComPtr<IBusinessObject> MakeDocument(CompanyPtr company, std::size_t index);
ComPtr<IBusinessObject> MakeLine(CompanyPtr company, std::size_t document, std::size_t line);
ComPtr<IDataService> MakeDataService(CompanyPtr company);

enum class CollectionKind { Service, Clients, Suppliers, Items, VatRates, Documents, Lines, Sources };

// `name` is the collection's target for faults ("clients", "D7.lines", ...); `indices`
// select the entries; for Lines `owner` is the document.
ComPtr<IBusinessCollection> MakeCollection(CompanyPtr company, CollectionKind kind, std::string name,
                                           std::vector<std::uint32_t> indices, std::size_t owner = 0);

// Every index from 0 to count - 1.
std::vector<std::uint32_t> AllIndices(std::size_t count);

// The creatable classes.
ComPtr<IUnknown> CreateDatabaseSetup();
ComPtr<IUnknown> CreateDataRoot();
ComPtr<IUnknown> CreateVatRateTable();
ComPtr<IUnknown> CreateObjectList();
ComPtr<IUnknown> CreateDocumentLine();

}  // namespace demo
