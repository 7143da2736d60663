#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace kilosynth::test {

// A fresh, empty folder under the system's temporary folder, removed with
// everything in it when the test ends.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("kilosynth-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        // Folders a test made read-only must become writable to be removed.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            if (entry.is_directory(ignored)) {
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
            }
        }
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace kilosynth::test
