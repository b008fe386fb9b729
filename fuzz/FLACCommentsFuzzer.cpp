// Any bytes as a FLAC file read for its tags: a dictionary (often empty)
// whose keys are upper case, and no crash, hang or leak.
#include "FuzzInputFile.h"
#include "queue/VorbisComments.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = decant::fuzz::writeInputFile(data, size);
    const decant::CommentsDictionary comments =
        decant::commentsForFLACFile(QByteArray::fromStdString(path));
    for (auto key = comments.keyBegin(); key != comments.keyEnd(); ++key) {
        if (*key != key->toUpper()) {
            std::abort();
        }
    }
    return 0;
}
