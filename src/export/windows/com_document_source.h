#pragma once
// The export's documents from the business-object server. It reaches the server as
// the window does (DataRoot kept by the caller, the data service taken afresh), asks for
// the period twice (posted, then the others) and walks both results with 32-bit
// indices, so a period of any size is read whole.

#include <wrl/client.h>

#include <memory>

#include "data/windows/server_interfaces.h"
#include "export/document_source.h"

namespace dralmoft {

class ServerDocument;

class ComDocumentSource final : public DocumentSource {
public:
    // `server` is created when empty and kept; `documentQuery` is replaced.
    ComDocumentSource(Microsoft::WRL::ComPtr<IBusinessTable>& server,
                      Microsoft::WRL::ComPtr<IDataService>& documentQuery);

    [[nodiscard]] std::size_t Open(double from, double to) override;
    ~ComDocumentSource() override;
    ComDocumentSource(const ComDocumentSource&) = delete;
    ComDocumentSource& operator=(const ComDocumentSource&) = delete;

    [[nodiscard]] SourceDocument* DocumentAt(std::size_t index) override;
    [[nodiscard]] std::u16string CompanyName() override;

private:
    Microsoft::WRL::ComPtr<IBusinessTable>& m_server;
    Microsoft::WRL::ComPtr<IDataService>& m_documentQuery;
    Microsoft::WRL::ComPtr<IBusinessCollection> m_posted;
    Microsoft::WRL::ComPtr<IBusinessCollection> m_others;
    long m_postedCount = 0;
    long m_othersCount = 0;
    Microsoft::WRL::ComPtr<IClassFactory> m_groups;
    std::unique_ptr<ServerDocument> m_document;  // the one being read
};

}  // namespace dralmoft
