#pragma once
// Files in memory, for driving the account files and the atomic save without a disk:
// every step can be made to fail, and what is on "disk" can be compared byte for byte.

#include <map>
#include <string>

#include "data/file_system.h"

namespace dralmoft::test {

class MemoryFileSystem final : public FileSystem {
public:
    std::map<std::u16string, std::string> files;  // path to content
    // The step (counted from 1 over Write, Commit and Replace calls) that fails; 0 for none.
    int failStep = 0;
    // How many Replace calls fail with a transient (sharing) error before one succeeds.
    int busyReplaces = 0;
    bool failCreate = false;
    bool failRead = false;
    int steps = 0;
    int pauses = 0;

    FileStatus ReadOrCreate(const std::u16string& path, std::string& content) override {
        if (failRead) return FileStatus::Failure("read refused");
        content = files[path];
        return FileStatus::Success();
    }

    FileStatus ReadIfPresent(const std::u16string& path, std::string& content) override {
        if (failRead) return FileStatus::Failure("read refused");
        const auto found = files.find(path);
        content = found == files.end() ? std::string() : found->second;
        return FileStatus::Success();
    }

    FileStatus CreateNew(const std::u16string& path, std::unique_ptr<WritableFile>& file) override {
        if (failCreate) return FileStatus::Failure("create refused");
        if (files.count(path)) return FileStatus::Failure("exists");
        files[path];
        file = std::make_unique<File>(*this, path);
        return FileStatus::Success();
    }

    FileStatus Replace(const std::u16string& from, const std::u16string& to) override {
        if (Step()) return FileStatus::Failure("replace refused");
        if (busyReplaces > 0) {
            --busyReplaces;
            return FileStatus::Failure("in use", true);
        }
        files[to] = files.at(from);
        files.erase(from);
        return FileStatus::Success();
    }

    FileStatus CheckReplaceable(const std::u16string&) override { return FileStatus::Success(); }
    void Remove(const std::u16string& path) override { files.erase(path); }
    void Pause(int) override { ++pauses; }
    unsigned long ProcessId() override { return 42; }

private:
    bool Step() { return ++steps == failStep; }

    class File final : public WritableFile {
    public:
        File(MemoryFileSystem& owner, std::u16string path) : m_owner(owner), m_path(std::move(path)) {}
        FileStatus Write(std::string_view bytes) override {
            if (m_owner.Step()) {
                m_owner.files[m_path].append(bytes.substr(0, bytes.size() / 2));  // a torn write
                return FileStatus::Failure("disk full");
            }
            m_owner.files[m_path].append(bytes);
            return FileStatus::Success();
        }
        FileStatus Commit() override {
            return m_owner.Step() ? FileStatus::Failure("flush failed") : FileStatus::Success();
        }

    private:
        MemoryFileSystem& m_owner;
        std::u16string m_path;
    };
};

}  // namespace dralmoft::test
