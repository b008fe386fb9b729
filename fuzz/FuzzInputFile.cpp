#include "FuzzInputFile.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace decant::fuzz {
namespace {

struct ScratchFile {
    ScratchFile() {
        const char* folder = std::getenv("TMPDIR");
        path = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
               "/decant-fuzz-XXXXXX.flac";
        descriptor = mkstemps(path.data(), 5);
        if (descriptor < 0) {
            std::perror("fuzz: cannot create a scratch file");
            std::abort();
        }
    }
    ~ScratchFile() {
        close(descriptor);
        unlink(path.c_str());
    }

    std::string path;
    int descriptor = -1;
};

} // namespace

const std::string& writeInputFile(const uint8_t* data, std::size_t size) {
    static ScratchFile file;
    if (ftruncate(file.descriptor, 0) != 0 ||
        pwrite(file.descriptor, data, size, 0) != static_cast<ssize_t>(size)) {
        std::perror("fuzz: cannot write the scratch file");
        std::abort();
    }
    return file.path;
}

} // namespace decant::fuzz
