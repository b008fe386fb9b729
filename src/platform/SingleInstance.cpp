#include "platform/SingleInstance.h"

#include "platform/MainThread.h"
#include "platform/TemporaryDirectory.h"

#include <QFile>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace decant {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The hand-over, integers big-endian:
//   "DCNT", u32 count, then count times: u32 length, that many bytes of path.
// The running instance answers with one byte; a launch that took it for
// taken confirms with the same byte, and only then are the paths queued, so
// that an instance that was stopped past the launch's patience never queues
// them later behind the user's back.
constexpr QByteArrayView magic("DCNT");
constexpr quint32 maximumPaths = 1'000'000;
constexpr quint32 maximumPathLength = 64 * 1024;
constexpr qint64 maximumMessageSize = 256 * 1024 * 1024;
constexpr char takenAnswer = '\x06';
constexpr char quittingAnswer = 'Q';

// How long the running instance gives a launch to send its message.
constexpr auto messageTimeout = 2s;

class Descriptor {
public:
    explicit Descriptor(int descriptor = -1)
        : descriptor_(descriptor) {}
    Descriptor(Descriptor&& other) noexcept
        : descriptor_(std::exchange(other.descriptor_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(descriptor_, other.descriptor_);
        return *this;
    }
    ~Descriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }

    int get() const { return descriptor_; }
    bool isValid() const { return descriptor_ >= 0; }

private:
    int descriptor_;
};

int millisecondsUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::clamp<long long>(left, 0, INT_MAX));
}

bool waitFor(int descriptor, short events, Clock::time_point deadline) {
    pollfd entry{descriptor, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, millisecondsUntil(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

bool sendAll(int descriptor, QByteArrayView bytes, Clock::time_point deadline) {
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(descriptor, bytes.data(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes = bytes.sliced(sent);
        } else if ((sent == 0 || errno == EAGAIN || errno == EINTR) &&
                   waitFor(descriptor, POLLOUT, deadline)) {
            continue;
        } else {
            return false;
        }
    }
    return true;
}

bool receiveExactly(int descriptor, char* into, qint64 size, Clock::time_point deadline) {
    while (size > 0) {
        const ssize_t received = ::recv(descriptor, into, size_t(size), 0);
        if (received > 0) {
            into += received;
            size -= received;
        } else if (received < 0 && (errno == EAGAIN || errno == EINTR) &&
                   waitFor(descriptor, POLLIN, deadline)) {
            continue;
        } else {
            return false; // closed early, failed or out of time
        }
    }
    return true;
}

void appendNumber(QByteArray& message, quint32 number) {
    const quint32 bigEndian = qToBigEndian(number);
    message.append(reinterpret_cast<const char*>(&bigEndian), sizeof bigEndian);
}

std::optional<quint32> receiveNumber(int descriptor, Clock::time_point deadline) {
    quint32 bigEndian = 0;
    if (!receiveExactly(descriptor, reinterpret_cast<char*>(&bigEndian), sizeof bigEndian,
                        deadline)) {
        return std::nullopt;
    }
    return qFromBigEndian(bigEndian);
}

QByteArray encodeMessage(const QList<QByteArray>& paths) {
    QByteArray message = magic.toByteArray();
    appendNumber(message, quint32(paths.size()));
    for (const QByteArray& path : paths) {
        appendNumber(message, quint32(path.size()));
        message.append(path);
    }
    return message;
}

std::optional<QList<QByteArray>> receiveMessage(int descriptor, Clock::time_point deadline) {
    QByteArray head(magic.size(), '\0');
    if (!receiveExactly(descriptor, head.data(), head.size(), deadline) || head != magic) {
        return std::nullopt;
    }
    const std::optional<quint32> count = receiveNumber(descriptor, deadline);
    if (!count || *count > maximumPaths) {
        return std::nullopt;
    }
    QList<QByteArray> paths;
    qint64 total = 0;
    for (quint32 index = 0; index < *count; ++index) {
        const std::optional<quint32> length = receiveNumber(descriptor, deadline);
        if (!length || *length > maximumPathLength || (total += *length) > maximumMessageSize) {
            return std::nullopt;
        }
        QByteArray path(qsizetype(*length), '\0');
        if (!receiveExactly(descriptor, path.data(), path.size(), deadline)) {
            return std::nullopt;
        }
        paths.append(std::move(path));
    }
    return paths;
}

std::optional<sockaddr_un> socketAddress(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

bool peerIsThisUser(int connection) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == ::getuid();
}

enum class Answer { Taken, Quitting, None };

// Sends the message and waits for the running instance's answer.
Answer handOver(const QByteArray& socketPath, const QByteArray& message,
                Clock::time_point deadline) {
    const std::optional<sockaddr_un> address = socketAddress(socketPath);
    const Descriptor connection(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!address || !connection.isValid() ||
        ::connect(connection.get(), reinterpret_cast<const sockaddr*>(&*address),
                  sizeof *address) != 0) {
        return Answer::None; // not listening yet, or its backlog is full
    }
    char answer = 0;
    if (!sendAll(connection.get(), message, deadline) ||
        !receiveExactly(connection.get(), &answer, 1, deadline)) {
        return Answer::None;
    }
    if (answer == quittingAnswer) {
        return Answer::Quitting;
    }
    return answer == takenAnswer &&
                   sendAll(connection.get(), QByteArrayView(&takenAnswer, 1), deadline)
               ? Answer::Taken
               : Answer::None;
}

} // namespace

struct SingleInstance::State {
    QByteArray lockPath;
    QByteArray socketPath;
    Descriptor lock;
    bool holdsLock = false;
    Descriptor listening;
    // Written to end the listening thread.
    Descriptor wakeUp;
    std::thread listener;
    std::atomic<bool> quitting = false;
    QString error;

    enum class Lock { Ours, Theirs, Failed };
    Lock takeLock();
};

SingleInstance::State::Lock SingleInstance::State::takeLock() {
    if (!lock.isValid()) {
        lock = Descriptor(::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    }
    if (lock.isValid() && ::flock(lock.get(), LOCK_EX | LOCK_NB) == 0) {
        holdsLock = true;
        return Lock::Ours;
    }
    if (lock.isValid() && errno == EWOULDBLOCK) {
        return Lock::Theirs;
    }
    error = QStringLiteral("%1: %2").arg(QFile::decodeName(lockPath),
                                         QString::fromLocal8Bit(std::strerror(errno)));
    return Lock::Failed;
}

QString SingleInstance::defaultFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? temporaryDirectory() : folder;
}

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent)
    , state_(std::make_unique<State>()) {
    const QByteArray base = QFile::encodeName(folder);
    state_->lockPath = base + "/decant.lock";
    state_->socketPath = base + "/decant.socket";
}

SingleInstance::~SingleInstance() {
    if (state_->listener.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(state_->wakeUp.get(), &one, sizeof one);
        state_->listener.join();
    }
    if (state_->listening.isValid()) {
        // Still ours: the lock is held until the state goes.
        ::unlink(state_->socketPath.constData());
    }
}

SingleInstance::Launch SingleInstance::claim(const QList<QByteArray>& paths, const Timing& timing) {
    const QByteArray message = encodeMessage(paths);
    const auto start = Clock::now();
    auto deadline = start + timing.answerTimeout;
    for (;;) {
        switch (state_->takeLock()) {
        case State::Lock::Ours:
            return Launch::First;
        case State::Lock::Failed:
            return Launch::Unavailable;
        case State::Lock::Theirs:
            break;
        }
        const Answer answer = handOver(state_->socketPath, message, deadline);
        if (answer == Answer::Taken) {
            return Launch::HandedOver;
        }
        if (answer == Answer::Quitting) {
            deadline = std::max(deadline, start + timing.quittingTimeout);
        }
        if (Clock::now() >= deadline) {
            return Launch::NotResponding;
        }
        // The instance may have the lock and not yet listen, or be leaving.
        std::this_thread::sleep_for(50ms);
    }
}

bool SingleInstance::listen() {
    Q_ASSERT(state_->holdsLock && !state_->listening.isValid());
    const std::optional<sockaddr_un> address = socketAddress(state_->socketPath);
    Descriptor listening(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    Descriptor wakeUp(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!address || !listening.isValid() || !wakeUp.isValid()) {
        return false;
    }
    // The lock holder owns the socket's name: a file there was left by an
    // instance that died.
    ::unlink(state_->socketPath.constData());
    if (::bind(listening.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) !=
            0 ||
        ::listen(listening.get(), 16) != 0) {
        state_->error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    state_->listening = std::move(listening);
    state_->wakeUp = std::move(wakeUp);
    state_->listener = std::thread([this] { serve(); });
    return true;
}

void SingleInstance::setQuitting() {
    state_->quitting = true;
}

QString SingleInstance::errorString() const {
    return state_->error;
}

// Listening thread. Launches are answered one at a time, each within the
// message timeout, so a launch that sends nothing holds the others up for
// two seconds at most.
void SingleInstance::serve() {
    for (;;) {
        pollfd entries[] = {{state_->listening.get(), POLLIN, 0},
                            {state_->wakeUp.get(), POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (entries[1].revents != 0) {
            return;
        }
        const Descriptor connection(
            ::accept4(state_->listening.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (connection.isValid() && peerIsThisUser(connection.get())) {
            answer(connection.get());
        }
    }
}

// Listening thread: answers at once, and queues the paths for the main
// thread once the launch has confirmed that it is still there to be told.
void SingleInstance::answer(int connection) {
    const auto deadline = Clock::now() + messageTimeout;
    const std::optional<QList<QByteArray>> paths = receiveMessage(connection, deadline);
    if (!paths) {
        return;
    }
    if (state_->quitting) {
        sendAll(connection, QByteArrayView(&quittingAnswer, 1), deadline);
        return;
    }
    char confirmation = 0;
    if (!sendAll(connection, QByteArrayView(&takenAnswer, 1), deadline) ||
        !receiveExactly(connection, &confirmation, 1, deadline) || confirmation != takenAnswer) {
        return;
    }
    // The destructor joins this thread first, so the instance outlives it.
    runOnMainThread(this, [this, paths = *paths] { emit pathsReceived(paths); });
}

} // namespace decant
