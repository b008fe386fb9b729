#include "library/Importer.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace decant::library {
namespace {

ImportResult failed(ConversionError error, const QString& detail) {
    return {std::nullopt, {error, detail}};
}

} // namespace

Importer::Importer(const MediaFolder& media, ImportSettings settings)
    : media_(media)
    , settings_(settings) {}

ImportResult Importer::importFile(const QUrl& url) const {
    if (!url.isLocalFile()) {
        return failed(ConversionError::NotLocalFile, url.toString());
    }
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        return failed(ConversionError::Unreadable, path);
    }
    QString error;
    const auto pending = media_.createPendingFile(&error);
    if (!pending) {
        return failed(ConversionError::Writing, error);
    }
    ImportedFile imported;
    imported.name = info.completeBaseName();
    ConversionFailure failure;
    const auto audio = encodeWavFile(path, pending->path(), settings_, imported.name, &failure);
    if (!audio) {
        return {std::nullopt, failure};
    }
    imported.audio = *audio;
    imported.size = QFileInfo(pending->path()).size();
    if (!pending->sync()) {
        return failed(ConversionError::Writing, QStringLiteral("cannot flush %1").arg(path));
    }
    const auto name = media_.claimFreeName(*pending, usableStem(imported.name),
                                           fileExtension(settings_.encoder), &error);
    if (!name) {
        return failed(ConversionError::Writing, error);
    }
    imported.fileName = *name;
    return {imported, {}};
}

QList<ImportResult> Importer::importAll(const QList<QUrl>& urls, int parallel) const {
    if (urls.isEmpty()) {
        return {};
    }
    std::vector<ImportResult> results(std::size_t(urls.size()));
    std::atomic<qsizetype> next = 0;
    const auto work = [&] {
        for (qsizetype index; (index = next++) < urls.size();) {
            results[std::size_t(index)] = importFile(urls[index]);
        }
    };
    const auto threads = std::clamp(qsizetype(parallel), qsizetype(1), urls.size());
    {
        std::vector<std::jthread> workers;
        for (qsizetype thread = 1; thread < threads; ++thread) {
            try {
                workers.emplace_back(work);
            } catch (const std::system_error&) {
                break; // the threads there are share the work
            }
        }
        work();
    }
    return QList<ImportResult>(results.begin(), results.end());
}

} // namespace decant::library
