#pragma once
// One iSCSI session to one logical unit over libiscsi: log in, send one command at a time and
// wait for it, log out. Nothing here is shared between sessions, and a session is not meant for
// two threads at once: the port serializes the calls on each handle.
//
// Every wait is bounded. libiscsi's own time-out ends a command the target does not answer; a
// deadline of our own stands behind it, so a dead portal or a stopped target never holds the
// caller longer than the time-out it asked for (plus a second). Once the transport has failed
// (connection lost, time-out, protocol error) the session is dead: it has dropped its
// connection, and every later command fails at once until a new session logs in.
#include <cstdint>
#include <string>
#include <vector>

struct iscsi_context;

namespace sektra {

struct IscsiUrl;

enum class IscsiDirection { None, In, Out };

struct IscsiCommand {
    const std::uint8_t* cdb = nullptr;
    std::uint8_t cdbLength = 0;
    IscsiDirection direction = IscsiDirection::None;
    std::uint8_t* data = nullptr;  // In: receives up to `length` bytes; Out: sends `length` bytes
    std::uint32_t length = 0;
    std::uint32_t timeOutSeconds = 0;
};

struct IscsiOutcome {
    bool delivered = false;        // false: the transport failed, see the session's Error
    std::uint8_t status = 0;       // SCSI status byte
    std::vector<std::uint8_t> sense;  // as the target sent it, with CHECK CONDITION
    std::uint32_t transferred = 0;    // bytes really moved (the expected length less an underrun)
};

class IscsiSession {
public:
    IscsiSession();
    ~IscsiSession();
    IscsiSession(const IscsiSession&) = delete;
    IscsiSession& operator=(const IscsiSession&) = delete;

    // Connects to the portal, logs in to the target and clears the unit attentions that every
    // new nexus reports. False, with the reason in Error, when any step fails.
    bool Connect(const IscsiUrl& url, std::uint32_t timeOutSeconds);

    IscsiOutcome Execute(const IscsiCommand& command);

    bool IsAlive() const { return context_ != nullptr && loggedIn_; }
    const std::string& Error() const { return error_; }

    // A request in flight: what libiscsi's completion callback fills in.
    struct Pending;

private:
    // Runs libiscsi until `pending` completes or the deadline passes. False when the transport
    // failed or the time ran out; the session is then dead and `pending` no longer referenced.
    bool Wait(Pending& pending, std::uint32_t timeOutSeconds);
    void Kill(const std::string& why);
    void LogOut();
    std::string LibraryError() const;

    iscsi_context* context_ = nullptr;
    bool loggedIn_ = false;
    std::uint32_t lun_ = 0;
    std::string where_;  // "host:port" for messages
    std::string error_;
};

}  // namespace sektra
