#include "shell/values/write_file.hpp"

#include "shell/platform_error.hpp"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace shell {

namespace {
[[noreturn]] void failWrite(const std::string& file) {
    throw PlatformError("cannot write " + file + ": " + std::generic_category().message(errno));
}
}  // namespace

void writeFile(const std::string& file, std::span<const unsigned char> bytes) {
    std::unique_ptr<std::FILE, decltype(&std::fclose)> out(std::fopen(file.c_str(), "wb"), std::fclose);
    if (!out) failWrite(file);
    if (std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size() || std::fflush(out.get()) != 0)
        failWrite(file);
    if (std::fclose(out.release()) != 0) failWrite(file);
}

}  // namespace shell
