#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

namespace decant {

// One running instance per user, for real. The first launch takes a lock (an
// flock on a file in the user's runtime folder) and listens on a local
// socket beside it; a later launch hands its paths over that socket and
// ends. The running instance answers from a thread of its own that never
// waits on the main thread, so a busy window still answers at once; one that
// does not answer at all (stopped, hung) is reported, and the later launch
// ends without running as a second copy. Paths travel as bytes, whatever
// they hold.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Launch {
        First,         // this process is the instance: listen() next
        HandedOver,    // the running instance took the paths: end
        NotResponding, // an instance runs but did not answer: end; it never
                       // queues these paths, even once it answers again
        Unavailable,   // the lock cannot be made (errorString() says why): end
    };

    struct Timing {
        // How long a later launch waits for the running instance's answer.
        std::chrono::milliseconds answerTimeout{3000};
        // How long it waits for an instance that said it is quitting to be
        // gone, so that it can take over.
        std::chrono::milliseconds quittingTimeout{8000};
    };

    // Said on the terminal by a later launch that could not hand over.
    static constexpr char notRespondingMessage[] = QT_TRANSLATE_NOOP(
        "decant::SingleInstance",
        "Decant is already running but not responding; the files were not added to its queue");

    // The user's runtime folder (mode 0700), else the private temporary folder.
    static QString defaultFolder();

    explicit SingleInstance(QString folder = defaultFolder(), QObject* parent = nullptr);
    // Stops listening and gives the lock up.
    ~SingleInstance() override;

    // Becomes the running instance, or hands the paths to the one that runs
    // (an empty list asks it to show its window). Blocks for at most the
    // timing's limits.
    Launch claim(const QList<QByteArray>& paths, const Timing& timing);
    Launch claim(const QList<QByteArray>& paths) { return claim(paths, Timing{}); }
    // After claim() gave First, with the application object made: answers
    // later launches. False when the socket cannot be made; the lock is
    // still held, so no second copy runs.
    bool listen();
    // From now on later launches are told that this instance is quitting;
    // they wait for it to be gone and then run in its place. Any thread.
    void setQuitting();

    QString errorString() const;

signals:
    // Paths from a later launch, on the main thread; empty when it only asked
    // for the window.
    void pathsReceived(const QList<QByteArray>& paths);

private:
    struct State;

    // The listening thread's work.
    void serve();
    void answer(int connection);

    std::unique_ptr<State> state_;
};

} // namespace decant
