#include "library/import/FileImport.h"

#include "library/media/AudioDigest.h"
#include "library/tags/GaplessTag.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace decant::library {

std::optional<SourceFile> identifySource(const QUrl& url, const QString& digest,
                                         std::stop_token stop, ConversionFailure* failure) {
    if (!url.isLocalFile()) {
        *failure = {ConversionError::NotLocalFile, url.toString()};
        return std::nullopt;
    }
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        *failure = {ConversionError::Unreadable, path};
        return std::nullopt;
    }
    const auto taken = digest.isEmpty() ? wavAudioDigest(path, stop, failure)
                                        : checkedWavDigest(path, digest, failure);
    if (!taken) {
        return std::nullopt;
    }
    return SourceFile{path, info.completeBaseName(), *taken, {}, {}};
}

FileImport::FileImport(const MediaFolder& media, ImportSettings settings, bool measureLoudness,
                       StepHook hook)
    : media_(media)
    , settings_(settings)
    , measureLoudness_(measureLoudness)
    , hook_(std::move(hook)) {}

std::optional<EncodedTrack> FileImport::encode(const SourceFile& source, std::stop_token stop,
                                               ConversionFailure* failure) const {
    QString error;
    EncodedTrack encoded;
    encoded.file = media_.createPendingFile(fileExtension(settings_.format), &error);
    if (!encoded.file) {
        *failure = {ConversionError::Writing, error};
        return std::nullopt;
    }
    const auto audio = encodeWavFile(source.path, encoded.file->path(), settings_,
                                     {source.name, measureLoudness_, source.leadIn}, failure, stop);
    if (!audio) {
        return std::nullopt;
    }
    encoded.audio = *audio;
    QString reason;
    if (audio->gapless && !writeGaplessTag(encoded.file->path(), *audio->gapless, &reason)) {
        *failure = {ConversionError::Writing, reason};
        return std::nullopt;
    }
    encoded.audio.expected.sourceDigest = source.digest;
    encoded.audio.expected.sourceCheck = source.check;
    reachStep(hook_, "verifying");
    // A file that fails here is removed with its pending name, never recorded.
    const auto verification = decodeBack(encoded.file->path(), encoded.audio.expected, failure);
    if (!verification) {
        return std::nullopt;
    }
    encoded.verification = *verification;
    encoded.size = QFileInfo(encoded.file->path()).size();
    if (!encoded.file->sync()) {
        *failure = {ConversionError::Writing,
                    QCoreApplication::translate("decant::FileImport", "cannot flush %1 to disk")
                        .arg(encoded.file->path())};
        return std::nullopt;
    }
    return encoded;
}

void forEachInParallel(qsizetype count, int parallel, const std::function<void(qsizetype)>& work) {
    std::atomic<qsizetype> next = 0;
    const auto drain = [&] {
        for (qsizetype index; (index = next++) < count;) {
            work(index);
        }
    };
    const qsizetype threads =
        std::clamp(qsizetype(parallel), qsizetype(1), std::max(count, qsizetype(1)));
    {
        std::vector<std::jthread> workers;
        for (qsizetype thread = 1; thread < threads; ++thread) {
            try {
                workers.emplace_back(drain);
            } catch (const std::system_error&) {
                break; // the threads there are share the work
            }
        }
        drain();
    }
}

} // namespace decant::library
