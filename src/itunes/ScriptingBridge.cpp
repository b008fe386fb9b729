#include "itunes/ScriptingBridge.h"

#include "itunes/LibraryApplication.h"

namespace decant {

iTunesApplicationPointer applicationWithBundleIdentifier(const QString& bundleIdentifier) {
    if (bundleIdentifier == QLatin1String(iTunesBundleIdentifier)) {
        return std::make_shared<LibraryApplication>();
    }
    return nullptr;
}

} // namespace decant
