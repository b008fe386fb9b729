#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <cstdint>
#include <optional>

namespace decant {

// A value, or in words for the user why there is none.
template <typename T> struct CueResult {
    std::optional<T> value;
    QString reason;

    static CueResult refused(QString why) { return {std::nullopt, std::move(why)}; }
};

// CD frames: a sheet counts time in them, 75 to the second.
inline constexpr int64_t cueFramesPerSecond = 75;
// The most tracks a CD holds.
inline constexpr int cueMaximumTracks = 99;
// A sheet is a few kilobytes of text; more than this is something else.
inline constexpr qsizetype cueMaximumSheetBytes = 1024 * 1024;

// One TRACK of a sheet. Text fields are empty when the sheet does not give
// them. Positions count from the start of the track's FILE, in CD frames
// (in samples for a sheet read from a FLAC CUESHEET block).
struct CueTrack {
    int number = 0;
    QString fileName; // as the FILE line gives it, folders and all
    QString title;
    QString performer;
    QString songwriter;
    QString isrc;
    QMap<QString, QString> remarks; // REM lines: upper-case name -> value
    std::optional<int64_t> pregap;  // INDEX 00
    std::optional<int64_t> start;   // INDEX 01
};

// What a sheet says of the disc and its tracks, in the sheet's order.
struct CueSheet {
    QString title;
    QString performer;
    QString songwriter;
    QString catalog;
    QMap<QString, QString> remarks; // before the first TRACK
    QList<CueTrack> tracks;
    bool positionsInSamples = false;
};

// The sheet's bytes as text: UTF-8 (with or without a byte order mark),
// UTF-16 with a byte order mark, else the legacy code page that fits the
// bytes best (Windows-1252, Shift-JIS...). Line ends become "\n". Refused:
// more than cueMaximumSheetBytes, NUL bytes, bytes no character set fits.
CueResult<QString> decodeCueSheetText(const QByteArray& bytes);

// Decodes and parses a sheet. Keywords are read in any case and titles
// with or without quotes, as players read them; lines that are no sheet
// keyword are skipped. Refused: text that is not a sheet, a sheet without
// tracks or with a track without INDEX, more than cueMaximumTracks tracks.
CueResult<CueSheet> parseCueSheet(const QByteArray& bytes);

// Whether a sheet's FILE names this audio file: the same name, or the same
// name but for its extension (rippers name the WAV file they ripped to, which
// became "album.flac" later), letter case aside. Folders in the FILE name, in
// either slash, are not compared: sheets are moved with their audio.
bool cueFileNameMatches(const QString& sheetFileName, const QString& audioFileName);

} // namespace decant
