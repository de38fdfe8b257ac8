#include "device/iscsi/IscsiSession.h"

#include <iscsi/iscsi.h>
#include <iscsi/scsi-lowlevel.h>
#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "device/iscsi/IscsiDevicePort.h"

namespace sektra {

namespace {

constexpr const char kInitiatorName[] = "iqn.2026-12.invalid.sektra:benchmark";
constexpr std::uint8_t kTestUnitReady[6] = {0x00, 0, 0, 0, 0, 0};
// A new nexus reports its unit attentions (power on, bus reset, ...) one per command.
constexpr int kUnitAttentionRounds = 4;
// How long libiscsi is left alone between looks at our own deadline.
constexpr int kPollSliceMilliseconds = 100;

// Writing to a socket the target has closed raises SIGPIPE, which would end the whole program.
// libiscsi writes with writev, which has no flag against it, so the signal is blocked for this
// thread while libiscsi runs, and one that arrived meanwhile is taken off before unblocking.
class SigpipeGuard {
public:
    SigpipeGuard() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~SigpipeGuard() {
        sigset_t pending;
        sigpending(&pending);
        if (sigismember(&pending, SIGPIPE) == 1 && sigismember(&previous_, SIGPIPE) == 0) {
            const timespec zero = {0, 0};
            sigtimedwait(&pipe_, nullptr, &zero);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeGuard(const SigpipeGuard&) = delete;
    SigpipeGuard& operator=(const SigpipeGuard&) = delete;

private:
    sigset_t pipe_;
    sigset_t previous_;
};

struct SenseCode {
    std::uint8_t key = 0;
    std::uint8_t asc = 0;
};

// Sense key and additional sense code of sense data in fixed (70h/71h) or descriptor (72h/73h)
// format; zeros when there is too little of it.
SenseCode ParseSense(const std::vector<std::uint8_t>& sense) {
    SenseCode code;
    if (sense.empty()) return code;
    const std::uint8_t format = sense[0] & 0x7F;
    if ((format == 0x72 || format == 0x73) && sense.size() >= 3) {
        code.key = sense[1] & 0x0F;
        code.asc = sense[2];
    } else if ((format == 0x70 || format == 0x71) && sense.size() >= 13) {
        code.key = sense[2] & 0x0F;
        code.asc = sense[12];
    }
    return code;
}

std::string Portal(const IscsiUrl& url) {
    const bool v6 = url.host.find(':') != std::string::npos;
    return (v6 ? "[" + url.host + "]" : url.host) + ":" + std::to_string(url.port);
}

}  // namespace

struct IscsiSession::Pending {
    bool done = false;
    int status = 0;
};

namespace {

void OnDone(iscsi_context*, int status, void*, void* privateData) {
    auto* pending = static_cast<IscsiSession::Pending*>(privateData);
    pending->status = status;
    pending->done = true;
}

}  // namespace

IscsiSession::IscsiSession() = default;

IscsiSession::~IscsiSession() {
    SigpipeGuard guard;
    LogOut();
}

std::string IscsiSession::LibraryError() const {
    std::string text = context_ ? iscsi_get_error(context_) : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '.')) text.pop_back();
    return text.empty() ? "no reason given" : text;
}

void IscsiSession::Kill(const std::string& why) {
    error_ = why;
    loggedIn_ = false;
    if (context_ != nullptr) {
        // Completes whatever is still outstanding as cancelled, while its waiter still exists.
        iscsi_destroy_context(context_);
        context_ = nullptr;
    }
}

bool IscsiSession::Wait(Pending& pending, std::uint32_t timeOutSeconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(timeOutSeconds) + std::chrono::seconds(1);
    while (!pending.done) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            Kill("no answer from " + where_ + " within " + std::to_string(timeOutSeconds) + " s");
            return false;
        }
        pollfd pfd = {iscsi_get_fd(context_), static_cast<short>(iscsi_which_events(context_)), 0};
        const int ready = poll(&pfd, 1, static_cast<int>(std::min<long long>(left, kPollSliceMilliseconds)));
        if (ready < 0 && errno != EINTR) {
            Kill("waiting for " + where_ + " failed: " + std::strerror(errno));
            return false;
        }
        // Called also when nothing happened: that is when libiscsi checks its time-outs.
        if (iscsi_service(context_, ready > 0 ? pfd.revents : 0) < 0) {
            Kill("the connection to " + where_ + " was lost: " + LibraryError());
            return false;
        }
    }
    return true;
}

bool IscsiSession::Connect(const IscsiUrl& url, std::uint32_t timeOutSeconds) {
    SigpipeGuard guard;
    LogOut();
    where_ = Portal(url);
    lun_ = url.lun;
    context_ = iscsi_create_context(kInitiatorName);
    if (context_ == nullptr) {
        error_ = "cannot create an iSCSI context";
        return false;
    }
    iscsi_set_targetname(context_, url.targetIqn.c_str());
    iscsi_set_session_type(context_, ISCSI_SESSION_NORMAL);
    iscsi_set_header_digest(context_, ISCSI_HEADER_DIGEST_NONE_CRC32C);
    iscsi_set_noautoreconnect(context_, 1);
    iscsi_set_timeout(context_, static_cast<int>(timeOutSeconds));

    // libiscsi's own time-out ends a step that gets no answer; it counts whole seconds of the
    // wall clock, so it may come up to a second early.
    auto failed = [&](const Pending& pending, const std::string& what) {
        if (context_ == nullptr) {
            error_ = what + ": " + error_;
        } else if (pending.status == SCSI_STATUS_TIMEOUT) {
            Kill(what + ": no answer within " + std::to_string(timeOutSeconds) + " s");
        } else {
            Kill(what + ": " + LibraryError());
        }
        return false;
    };
    const std::string reach = "cannot reach the iSCSI portal " + where_;
    Pending connected;
    if (iscsi_connect_async(context_, where_.c_str(), OnDone, &connected) != 0) return failed(connected, reach);
    if (!Wait(connected, timeOutSeconds) || connected.status != SCSI_STATUS_GOOD) return failed(connected, reach);
    const std::string login = "the iSCSI portal " + where_ + " refused the login to " + url.targetIqn;
    Pending loggedIn;
    if (iscsi_login_async(context_, OnDone, &loggedIn) != 0) return failed(loggedIn, login);
    if (!Wait(loggedIn, timeOutSeconds) || loggedIn.status != SCSI_STATUS_GOOD) return failed(loggedIn, login);
    loggedIn_ = true;

    for (int round = 0; round < kUnitAttentionRounds; ++round) {
        IscsiCommand command;
        command.cdb = kTestUnitReady;
        command.cdbLength = sizeof(kTestUnitReady);
        command.timeOutSeconds = timeOutSeconds;
        const IscsiOutcome outcome = Execute(command);
        if (!outcome.delivered) return false;
        if (outcome.status != SCSI_STATUS_CHECK_CONDITION) break;
        const SenseCode sense = ParseSense(outcome.sense);
        // LOGICAL UNIT NOT SUPPORTED: the target exists, the LUN does not.
        if (sense.key == 0x05 && sense.asc == 0x25) {
            Kill("the target " + url.targetIqn + " at " + where_ + " has no LUN " + std::to_string(url.lun));
            return false;
        }
        if (sense.key != 0x06) break;  // not ready and the like still leave a device to talk to
    }
    return true;
}

IscsiOutcome IscsiSession::Execute(const IscsiCommand& command) {
    IscsiOutcome outcome;
    if (!IsAlive()) {
        if (error_.empty()) error_ = "not connected";
        return outcome;
    }
    if (command.cdbLength == 0 || command.cdbLength > 16) {
        error_ = "command block of " + std::to_string(command.cdbLength) + " bytes";
        return outcome;
    }
    SigpipeGuard guard;
    unsigned char cdb[16] = {};
    std::memcpy(cdb, command.cdb, command.cdbLength);
    const bool moves = command.direction != IscsiDirection::None && command.length > 0;
    const int direction = !moves ? SCSI_XFER_NONE
                                 : command.direction == IscsiDirection::In ? SCSI_XFER_READ : SCSI_XFER_WRITE;
    const std::uint32_t expected = moves ? command.length : 0;
    scsi_task* task = scsi_create_task(command.cdbLength, cdb, direction, static_cast<int>(expected));
    if (task == nullptr) {
        error_ = "out of memory for a command";
        return outcome;
    }
    // Data-in lands straight in the caller's buffer, as with a direct pass-through.
    if (moves && command.direction == IscsiDirection::In) {
        scsi_task_add_data_in_buffer(task, static_cast<int>(expected), command.data);
    }
    iscsi_data out = {expected, command.data};
    iscsi_set_timeout(context_, static_cast<int>(command.timeOutSeconds));
    Pending pending;
    if (iscsi_scsi_command_async(context_, static_cast<int>(lun_), task, OnDone,
                                 moves && command.direction == IscsiDirection::Out ? &out : nullptr,
                                 &pending) != 0) {
        Kill("cannot send a command to " + where_ + ": " + LibraryError());
        scsi_free_scsi_task(task);
        return outcome;
    }
    if (!Wait(pending, command.timeOutSeconds)) {
        scsi_free_scsi_task(task);
        return outcome;
    }
    if (pending.status == SCSI_STATUS_TIMEOUT) {
        Kill("no answer from " + where_ + " within " + std::to_string(command.timeOutSeconds) + " s");
    } else if (pending.status < 0 || pending.status > 0xFF) {
        Kill("the connection to " + where_ + " was lost: " + LibraryError());
    } else {
        outcome.delivered = true;
        outcome.status = static_cast<std::uint8_t>(pending.status);
        // Sense data travel behind a two-byte length in the response's data segment.
        if (pending.status == SCSI_STATUS_CHECK_CONDITION && task->datain.data != nullptr && task->datain.size >= 2) {
            const int length = (task->datain.data[0] << 8) | task->datain.data[1];
            const int n = std::min(length, task->datain.size - 2);
            outcome.sense.assign(task->datain.data + 2, task->datain.data + 2 + n);
        }
        outcome.transferred = expected;
        if (task->residual_status == SCSI_RESIDUAL_UNDERFLOW) {
            outcome.transferred = task->residual >= expected ? 0 : expected - static_cast<std::uint32_t>(task->residual);
        }
    }
    scsi_free_scsi_task(task);
    return outcome;
}

void IscsiSession::LogOut() {
    if (context_ == nullptr) return;
    if (loggedIn_) {
        constexpr std::uint32_t kLogoutTimeOutSeconds = 2;
        iscsi_set_timeout(context_, kLogoutTimeOutSeconds);
        Pending pending;
        if (iscsi_logout_async(context_, OnDone, &pending) == 0) Wait(pending, kLogoutTimeOutSeconds);
    }
    loggedIn_ = false;
    if (context_ != nullptr) {
        iscsi_destroy_context(context_);
        context_ = nullptr;
    }
}

}  // namespace sektra
