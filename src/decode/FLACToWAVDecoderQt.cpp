// The QString entry points the queue calls. They live apart from the decoder
// so that flac2wav, which passes its arguments' bytes on unchanged, links
// without Qt and starts as fast as the flac tool it is measured against.
#include "decode/FLACToWAVDecoder.h"

namespace decant {

DecodeOutcome decodeFLACToWAVWithOutcome(const QString& source, const QString& destination) {
    return decodeFLACToWAVWithOutcome(source.toUtf8().constData(),
                                      destination.toUtf8().constData());
}

bool decodeFLACToWAV(const QString& source, const QString& destination) {
    return decodeFLACToWAVWithOutcome(source, destination) == DecodeOutcome::Decoded;
}

} // namespace decant
