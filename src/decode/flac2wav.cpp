// flac2wav SOURCE DEST: decodes one FLAC file into a WAV file exactly as the
// queue does, for benchmarks, the fuzz corpus and checks by hand.
// Exit status: 0 decoded, 1 failed (the reason on stderr), 2 wrong usage.
#include "decode/FLACToWAVDecoder.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: flac2wav SOURCE DEST\n");
        return 2;
    }
    // Paths go on as the bytes they are, whatever their encoding.
    const decant::DecodeResult result = decant::decodeFLACToWAVWithResult(argv[1], argv[2]);
    if (result.outcome != decant::DecodeOutcome::Decoded) {
        const std::string reason = decant::describeResult(result);
        std::fprintf(stderr, "flac2wav: %s: %s\n", argv[1], reason.c_str());
        return 1;
    }
    return 0;
}
