// dralmoft-company-gen: writes a generated company file for tests and benchmarks.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "company_generator.h"

namespace {

int Usage() {
    std::fputs("usage: dralmoft-company-gen [--seed N] [--documents N] [--lines N] [--clients N]\n"
               "                            [--suppliers N] [--items N] [--year N] --out FILE\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    demo::GeneratorOptions options;
    const char* out = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* flag = argv[i];
        if (i + 1 >= argc) return Usage();
        const char* value = argv[++i];
        const auto number = std::strtoull(value, nullptr, 10);
        if (!std::strcmp(flag, "--out")) out = value;
        else if (!std::strcmp(flag, "--seed")) options.seed = number;
        else if (!std::strcmp(flag, "--documents")) options.documents = number;
        else if (!std::strcmp(flag, "--lines")) options.linesPerDocument = std::strtod(value, nullptr);
        else if (!std::strcmp(flag, "--clients")) options.clients = number;
        else if (!std::strcmp(flag, "--suppliers")) options.suppliers = number;
        else if (!std::strcmp(flag, "--items")) options.items = number;
        else if (!std::strcmp(flag, "--year")) options.year = static_cast<int>(number);
        else return Usage();
    }
    if (out == nullptr || options.items == 0) return Usage();

    const std::string json = demo::GenerateCompany(options);
    std::FILE* file = std::fopen(out, "wb");
    if (file == nullptr) {
        std::perror(out);
        return 1;
    }
    const bool written = std::fwrite(json.data(), 1, json.size(), file) == json.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(out);
        return 1;
    }
    return 0;
}
