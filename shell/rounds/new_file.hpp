// A file made anew, never one that already exists, so that two games running at once
// never write the same file; written straight to the system, so that a game killed at
// any moment leaves every line it had written.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>

namespace shell {

class NewFile {
public:
    // Makes `path` for writing; nullptr, with the reason in `error`, when it cannot
    // (std::errc::file_exists when the file is there already).
    static std::unique_ptr<NewFile> make(const std::filesystem::path& path, std::error_code& error);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Writes all of `bytes`; false, with the reason in `error`, where they did not all go.
    bool write(std::string_view bytes, std::error_code& error);
    // Asks the system to put what was written on the disk.
    void sync();

private:
    explicit NewFile(int descriptor) : descriptor_(descriptor) {}
    int descriptor_;
};

}  // namespace shell
