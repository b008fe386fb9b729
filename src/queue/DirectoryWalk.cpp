#include "queue/DirectoryWalk.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace decant {
namespace {

bool isDigit(QChar character) {
    return character >= u'0' && character <= u'9';
}

// The run of characters from `start` that are all digits or all not digits.
QStringView runAt(QStringView text, qsizetype start) {
    const bool digits = isDigit(text[start]);
    qsizetype end = start;
    while (end < text.size() && isDigit(text[end]) == digits) {
        ++end;
    }
    return text.sliced(start, end - start);
}

// Digit runs compare by value: "2" < "10", and "02" == "2".
int compareNumbers(QStringView left, QStringView right) {
    while (left.size() > 1 && left.front() == u'0') {
        left = left.sliced(1);
    }
    while (right.size() > 1 && right.front() == u'0') {
        right = right.sliced(1);
    }
    if (left.size() != right.size()) {
        return left.size() < right.size() ? -1 : 1;
    }
    return left.compare(right);
}

int compareWords(QStringView left, QStringView right) {
    return QString::localeAwareCompare(left.toString().toCaseFolded(),
                                       right.toString().toCaseFolded());
}

int compareNaturally(QStringView left, QStringView right) {
    qsizetype leftIndex = 0;
    qsizetype rightIndex = 0;
    while (leftIndex < left.size() && rightIndex < right.size()) {
        const QStringView leftRun = runAt(left, leftIndex);
        const QStringView rightRun = runAt(right, rightIndex);
        const bool numbers = isDigit(leftRun.front()) && isDigit(rightRun.front());
        const int order =
            numbers ? compareNumbers(leftRun, rightRun) : compareWords(leftRun, rightRun);
        if (order != 0) {
            return order;
        }
        leftIndex += leftRun.size();
        rightIndex += rightRun.size();
    }
    return (left.size() - leftIndex > 0) - (right.size() - rightIndex > 0);
}

} // namespace

bool isNaturallyBefore(const QString& left, const QString& right) {
    const int order = compareNaturally(left, right);
    // Names equal in natural order ("a.flac", "A.flac") still need one order.
    return order != 0 ? order < 0 : left < right;
}

void walkFolder(const QString& folder, const std::function<void(const QString&)>& visitFile) {
    // Directory order on Linux file systems is hash order, which would
    // scramble an album; sort each folder as a file manager shows it.
    QFileInfoList items =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(items.begin(), items.end(), [](const QFileInfo& left, const QFileInfo& right) {
        return isNaturallyBefore(left.fileName(), right.fileName());
    });
    for (const QFileInfo& item : items) {
        if (item.isDir() && !item.isSymLink()) {
            walkFolder(item.filePath(), visitFile);
        } else {
            visitFile(item.filePath());
        }
    }
}

} // namespace decant
