#pragma once
// Writes a valid company.json of any size from a seed, with every feature of the
// format: blank and null texts, entries without their interface, delivery notes and
// the invoices made from them, documents without trader or lines, several VAT rates per
// document. The same options and seed always give the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace demo {

struct GeneratorOptions {
    std::uint64_t seed = 1;
    std::size_t clients = 200;
    std::size_t suppliers = 60;
    std::size_t items = 400;
    std::size_t documents = 1000;
    double linesPerDocument = 3.0;  // average
    int year = 2024;
};

[[nodiscard]] std::string GenerateCompany(const GeneratorOptions& options);

}  // namespace demo
