// A fresh folder under the system's temporary folder for one test, removed with
// everything in it afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempFolder {
public:
    TempFolder()
    {
#ifdef _WIN32
        // The Windows test program: a name from the clock and a counter, made with the
        // folder (create_directory is false when the name is taken).
        static unsigned serial = 0;
        std::filesystem::path base = std::filesystem::temp_directory_path();
        for (;;) {
            std::string name = "kvte-test-" + std::to_string(std::rand()) + "-" + std::to_string(++serial);
            std::filesystem::path folder = base / name;
            if (std::filesystem::create_directory(folder)) {
                path_ = folder.string();
                break;
            }
        }
#else
        char pattern[] = "/tmp/kvte-test-XXXXXX";
        path_ = ::mkdtemp(pattern);
#endif
    }
    // Never throws: a name the system cannot take (too long for Windows) is left to fail.
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

    static std::string Read(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Write(const std::string& file, const std::string& bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    size_t EntryCount() const
    {
        size_t n = 0;
        for (auto& e : std::filesystem::directory_iterator(path_)) {
            (void)e;
            ++n;
        }
        return n;
    }

private:
    std::string path_;
};
