#pragma once

#include <filesystem>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        // A new folder of a random name (create_directory fails on an existing
        // one), made the same way on every system.
        std::random_device seed;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto name = "draw_test_" + std::to_string(seed()) + std::to_string(seed());
            const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
            if (std::filesystem::create_directory(path)) {
                m_path = path;
                return;
            }
        }
        throw std::runtime_error("no fresh temporary folder");
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path &name) const
    {
        return m_path / name;
    }

    // Names of everything directly inside, to see that no stray file was left.
    std::set<std::string> entries() const { return entriesOf(m_path); }

    static std::set<std::string> entriesOf(const std::filesystem::path &folder)
    {
        std::set<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path m_path;
};
