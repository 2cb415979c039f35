#pragma once
// Files in memory, for driving the account files, the atomic save and the export without
// a disk: every step can be made to fail, other programs can be made to hold a file, and
// what is on "disk" can be compared byte for byte.

#include <functional>
#include <map>
#include <set>
#include <string>

#include "data/file_system.h"

namespace dralmoft::test {

class MemoryFileSystem final : public FileSystem {
public:
    std::map<std::u16string, std::string> files;  // path to content
    // Minutes since a file was last written (0 when not given).
    std::map<std::u16string, double> ages;
    // The step (counted from 1 over Write, Commit and Replace calls) that fails; 0 for none.
    int failStep = 0;
    // How many Replace calls fail with a transient (sharing) error before one succeeds.
    int busyReplaces = 0;
    // How many reads fail with a transient (sharing) error before one succeeds.
    int busyReads = 0;
    bool failCreate = false;
    bool failRead = false;
    // Files another program holds so that they cannot be read; locks another program holds.
    std::set<std::u16string> unreadable;
    std::set<std::u16string> heldLocks;
    // Files held open (Hold) so that Remove leaves them.
    std::set<std::u16string> heldFiles;
    // Called before each read, as another program changing a file at that moment would.
    std::function<void()> beforeRead;
    int steps = 0;
    int pauses = 0;
    int reads = 0;
    std::uint64_t nextRandom = 1;

    FileStatus ReadOrCreate(const std::u16string& path, std::string& content) override {
        FileStatus status = Read(path, content);
        if (status.ok && !files.count(path)) files[path];
        return status;
    }

    FileStatus ReadIfPresent(const std::u16string& path, std::string& content) override { return Read(path, content); }

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
        ages.erase(to);
        return FileStatus::Success();
    }

    FileStatus CheckReplaceable(const std::u16string&) override { return FileStatus::Success(); }

    FileStatus Lock(const std::u16string& path, std::unique_ptr<FileLock>& lock) override {
        if (heldLocks.count(path)) return FileStatus::Failure("locked", true);
        heldLocks.insert(path);
        lock = std::make_unique<Held>(heldLocks, path);
        return FileStatus::Success();
    }

    FileStatus Hold(const std::u16string& path, std::unique_ptr<FileLock>& hold) override {
        if (!files.count(path)) return FileStatus::Failure("no such file");
        heldFiles.insert(path);
        hold = std::make_unique<Held>(heldFiles, path);
        return FileStatus::Success();
    }

    void Remove(const std::u16string& path) override {
        if (!heldFiles.count(path)) files.erase(path);
    }

    std::vector<FolderEntry> List(const std::u16string& folder, std::u16string_view prefix) override {
        std::vector<FolderEntry> entries;
        for (const auto& [path, content] : files) {
            if (path.compare(0, folder.size(), folder) != 0) continue;
            const std::u16string name = path.substr(folder.size());
            if (name.find_first_of(u"\\/") != std::u16string::npos || name.compare(0, prefix.size(), prefix) != 0)
                continue;
            const auto age = ages.find(path);
            entries.push_back({name, age == ages.end() ? 0.0 : age->second});
        }
        return entries;
    }

    std::optional<std::uint64_t> SizeOf(const std::u16string& path) override {
        const auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        return found->second.size();
    }

    bool SameFile(const std::u16string& first, const std::u16string& second) override {
        return files.count(first) && first == second;
    }

    // The memory's paths are full as they stand.
    std::u16string FullPath(const std::u16string& path) override { return path; }
    std::string ErrorText(unsigned long code) override { return "error " + std::to_string(code); }
    void Pause(int) override { ++pauses; }
    std::uint64_t RandomNumber() override { return nextRandom++; }

private:
    bool Step() { return ++steps == failStep; }

    FileStatus Read(const std::u16string& path, std::string& content) {
        ++reads;
        if (beforeRead) beforeRead();
        if (failRead || unreadable.count(path)) return FileStatus::Failure("read refused");
        if (busyReads > 0) {
            --busyReads;
            return FileStatus::Failure("in use", true);
        }
        const auto found = files.find(path);
        content = found == files.end() ? std::string() : found->second;
        return FileStatus::Success();
    }

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

    class Held final : public FileLock {
    public:
        Held(std::set<std::u16string>& held, std::u16string path) : m_held(held), m_path(std::move(path)) {}
        ~Held() override { m_held.erase(m_path); }

    private:
        std::set<std::u16string>& m_held;
        std::u16string m_path;
    };
};

}  // namespace dralmoft::test
