#pragma once

#include <QString>

namespace decant {

// Asks the desktop's file manager to open the folder of the file with the
// file selected (org.freedesktop.FileManager1.ShowItems). False when no
// file manager answered: the caller then opens the folder by other means.
// Main thread; waits at most a few seconds for the answer.
bool showItemInFileManager(const QString& path);

} // namespace decant
