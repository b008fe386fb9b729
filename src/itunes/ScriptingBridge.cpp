#include "itunes/ScriptingBridge.h"

namespace decant {
namespace {

// Stands in while no library answers: every conversion gets no reply.
class AbsentApplication final : public iTunesApplication {
public:
    QList<iTunesTrackPointer> convert(const QList<QUrl>&) override { return {}; }
};

} // namespace

iTunesApplicationPointer applicationWithBundleIdentifier(const QString& bundleIdentifier) {
    if (bundleIdentifier == QLatin1String(iTunesBundleIdentifier)) {
        return std::make_shared<AbsentApplication>();
    }
    return nullptr;
}

} // namespace decant
