#include "session/kept_files.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace dralmoft {
namespace {

TEST(KeptFiles, TheFolderKeepsItsAccountFilesItsLogAndTheProgramsOwnFiles) {
    test::MemoryFileSystem files;
    for (const char16_t* name :
         {u"C:\\Εταιρεία\\client.txt", u"C:\\Εταιρεία\\~fpa.txt.lock", u"C:\\Εταιρεία\\dralmoft-exports.db",
          u"C:\\Εταιρεία\\dralmoft-exports.db-journal", u"C:\\Εταιρεία\\out.txt"})
        files.files[name];
    const std::u16string folder = u"C:\\Εταιρεία\\";
    struct Case {
        const char16_t* target;
        std::optional<KeptKind> kind;
        const char16_t* name;
    };
    const Case cases[] = {
        {u"C:\\Εταιρεία\\client.txt", KeptKind::AccountFile, u"client.txt"},
        {u"C:\\Εταιρεία\\~fpa.txt.lock", KeptKind::ProgramFile, u"~fpa.txt.lock"},
        {u"C:\\Εταιρεία\\dralmoft-exports.db", KeptKind::ExportLog, u"dralmoft-exports.db"},
        {u"C:\\Εταιρεία\\dralmoft-exports.db-journal", KeptKind::ExportLog, u"dralmoft-exports.db"},
        {u"D:\\~dralmoft-0123456789ABCDEF.TMP", KeptKind::ProgramFile, u"~dralmoft-0123456789ABCDEF.TMP"},
        {u"D:\\~report.csv.lock", KeptKind::ProgramFile, u"~report.csv.lock"},
        {u"D:\\~dralmoft-0123456789abcdef.pending", KeptKind::ProgramFile, u"~dralmoft-0123456789abcdef.pending"},
        {u"nul", KeptKind::Device, u"nul"},
        {u"D:\\out\\Com1.csv", KeptKind::Device, u"Com1.csv"},
        {u"\\\\.\\PhysicalDrive0", KeptKind::Device, u"PhysicalDrive0"},
        {u"C:\\Εταιρεία\\out.txt", std::nullopt, u""},
        {u"D:\\console.txt", std::nullopt, u""},
        {u"D:\\com10.txt", std::nullopt, u""},
        {u"D:\\~dralmoft-report.tmp", std::nullopt, u""},
    };
    for (const Case& c : cases) {
        const std::optional<KeptFile> kept = KeptFileAt(files, folder, c.target);
        ASSERT_EQ(kept.has_value(), c.kind.has_value()) << std::string(c.target, c.target + 5);
        if (!kept) continue;
        EXPECT_EQ(kept->kind, *c.kind);
        EXPECT_EQ(kept->name, c.name);
    }
}

TEST(KeptFiles, DeviceNamesWithAnyExtensionCaseOrTrailingBlanks) {
    for (const char16_t* name : {u"CON", u"prn.txt", u"Aux", u"NUL.", u"nul .csv", u"COM9", u"lpt1.x", u"CONOUT$"})
        EXPECT_TRUE(IsDeviceName(name));
    for (const char16_t* name : {u"", u"CONX", u"COM0", u"LPT10", u"NULL.txt", u"XNUL", u"COM"})
        EXPECT_FALSE(IsDeviceName(name));
}

}  // namespace
}  // namespace dralmoft
