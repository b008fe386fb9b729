#include "queue/CueSheet.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <memory>
#include <unicode/ucnv.h>
#include <unicode/ucsdet.h>

namespace decant {
namespace {

QString refusal(const char* text) {
    return QCoreApplication::translate("decant::CueSheet", text);
}

struct DetectorDeleter {
    void operator()(UCharsetDetector* detector) const { ucsdet_close(detector); }
};
using CharsetDetector = std::unique_ptr<UCharsetDetector, DetectorDeleter>;

struct ConverterDeleter {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterDeleter>;

std::optional<QString> decodeStrictly(QStringConverter::Encoding encoding, QByteArrayView bytes) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

// The bytes in one legacy character set, or nothing when a byte sequence
// has no meaning in it: a guess that does not fit is no answer.
std::optional<QString> convertFrom(const char* charset, QByteArrayView bytes) {
    // ICU names a text with curly quotes from Windows ISO-8859-1 when it has
    // none; Windows-1252 reads every ISO-8859-1 letter the same way.
    const QByteArray name = qstrcmp(charset, "ISO-8859-1") == 0 ? "windows-1252" : charset;
    UErrorCode status = U_ZERO_ERROR;
    const Converter converter(ucnv_open(name.constData(), &status));
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    QString text(bytes.size() * 2 + 1, Qt::Uninitialized);
    const int32_t length =
        ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(text.data()), int32_t(text.size()),
                      bytes.data(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    text.truncate(length);
    return text;
}

bool isUnicodeName(const char* charset) {
    return qstrncmp(charset, "UTF-", 4) == 0;
}

// Kana, which Japanese titles nearly always hold and Latin text read as
// Shift-JIS never gives (their lead bytes, 0x82 and 0x83, are Windows-1252's
// rare low quote and florin); half-width katakana, which Latin letters such
// as "Ü" read as Shift-JIS give.
bool readsAsJapanese(const QString& text) {
    bool kana = false;
    for (const QChar character : text) {
        if (character.unicode() >= 0xFF61 && character.unicode() <= 0xFF9F) {
            return false;
        }
        kana = kana || (character.unicode() >= 0x3040 && character.unicode() <= 0x30FF);
    }
    return kana;
}

std::optional<QString> decodeLegacy(QByteArrayView bytes) {
    // ICU weighs a few Japanese words among a sheet's ASCII keywords too
    // lightly and ranks Windows-1252 first.
    if (std::optional<QString> text = convertFrom("Shift_JIS", bytes);
        text && readsAsJapanese(*text)) {
        return text;
    }
    UErrorCode status = U_ZERO_ERROR;
    const CharsetDetector detector(ucsdet_open(&status));
    ucsdet_setText(detector.get(), bytes.data(), int32_t(bytes.size()), &status);
    int32_t count = 0;
    const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &count, &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    for (int32_t index = 0; index < count; ++index) {
        const char* charset = ucsdet_getName(matches[index], &status);
        if (U_FAILURE(status) || isUnicodeName(charset)) {
            continue;
        }
        if (std::optional<QString> text = convertFrom(charset, bytes)) {
            return text;
        }
    }
    return std::nullopt;
}

std::optional<QString> decodeBytes(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return decodeStrictly(QStringConverter::Utf8, bytes.sliced(3));
    }
    if (bytes.startsWith("\xFF\xFE")) {
        return decodeStrictly(QStringConverter::Utf16LE, bytes.sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return decodeStrictly(QStringConverter::Utf16BE, bytes.sliced(2));
    }
    if (bytes.contains('\0')) {
        return std::nullopt;
    }
    if (std::optional<QString> text = decodeStrictly(QStringConverter::Utf8, bytes)) {
        return text;
    }
    return decodeLegacy(bytes);
}

} // namespace

CueResult<QString> decodeCueSheetText(const QByteArray& bytes) {
    if (bytes.size() > cueMaximumSheetBytes) {
        return CueResult<QString>::refused(refusal(
            QT_TRANSLATE_NOOP("decant::CueSheet",
                              "The CUE sheet is larger than 1 MB, too large to be a CUE sheet.")));
    }
    std::optional<QString> text = decodeBytes(bytes);
    if (!text || text->contains(QChar(u'\0'))) {
        return CueResult<QString>::refused(refusal(QT_TRANSLATE_NOOP(
            "decant::CueSheet", "The file is not a CUE sheet: it holds bytes that are not text.")));
    }
    text->replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text->replace(u'\r', u'\n');
    return {std::move(text), {}};
}

} // namespace decant
