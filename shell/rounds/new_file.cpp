#include "shell/rounds/new_file.hpp"

#include <cerrno>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace shell {

namespace {
#ifdef _WIN32
int openNew(const std::filesystem::path& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long writeSome(int fd, const char* bytes, std::size_t size) { return _write(fd, bytes, unsigned(size)); }
void syncFile(int fd) { _commit(fd); }
void closeFile(int fd) { _close(fd); }
#else
int openNew(const std::filesystem::path& path) { return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644); }
long writeSome(int fd, const char* bytes, std::size_t size) { return long(::write(fd, bytes, size)); }
void syncFile(int fd) { fdatasync(fd); }
void closeFile(int fd) { close(fd); }
#endif

std::error_code lastError() { return {errno, std::generic_category()}; }
}  // namespace

std::unique_ptr<NewFile> NewFile::make(const std::filesystem::path& path, std::error_code& error) {
    const int fd = openNew(path);
    if (fd < 0) {
        error = lastError();
        return nullptr;
    }
    return std::unique_ptr<NewFile>(new NewFile(fd));
}

NewFile::~NewFile() { closeFile(descriptor_); }

// A write may go in part (a disk that fills up, a limit on the file's size); the rest
// is tried again, and its failure says why.
bool NewFile::write(std::string_view bytes, std::error_code& error) {
    while (!bytes.empty()) {
        const long written = writeSome(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error = written < 0 ? lastError() : std::make_error_code(std::errc::no_space_on_device);
            return false;
        }
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

void NewFile::sync() { syncFile(descriptor_); }

}  // namespace shell
