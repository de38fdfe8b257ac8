// iscsi://HOST[:PORT]/TARGET-IQN/LUN
#include <cctype>

#include "device/iscsi/IscsiDevicePort.h"

namespace sektra {

namespace {

constexpr char kScheme[] = "iscsi://";
// The largest LUN of the flat addressing that single-level LUNs use.
constexpr std::uint32_t kMaxLun = 16383;

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

bool AllDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// Decimal without sign or blanks, at most `limit`.
bool ParseNumber(const std::string& s, std::uint32_t limit, std::uint32_t* value) {
    if (!AllDigits(s) || s.size() > 10) return false;
    const unsigned long long v = std::stoull(s);
    if (v > limit) return false;
    *value = static_cast<std::uint32_t>(v);
    return true;
}

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
}

bool IsHostName(const std::string& host) {
    if (host.empty()) return false;
    for (char c : host) {
        if (!IsNameCharacter(c)) return false;
    }
    return true;
}

bool IsIpv6Text(const std::string& host) {
    if (host.empty()) return false;
    for (char c : host) {
        if (!std::isxdigit(static_cast<unsigned char>(c)) && c != ':' && c != '.') return false;
    }
    return host.find(':') != std::string::npos;
}

// Printable and without the characters that separate the URL's parts.
bool IsTargetName(const std::string& iqn) {
    if (iqn.empty() || iqn.size() > 223) return false;
    for (char c : iqn) {
        if (c <= ' ' || c > '~' || c == '/' || c == '?' || c == '#' || c == '@') return false;
    }
    return true;
}

}  // namespace

bool ParseIscsiUrl(const std::string& text, IscsiUrl* url, std::string* error) {
    const std::string usage = "expected iscsi://HOST[:PORT]/TARGET-IQN/LUN";
    if (text.compare(0, sizeof(kScheme) - 1, kScheme) != 0) return Fail(error, "not an iSCSI URL, " + usage);
    const std::string rest = text.substr(sizeof(kScheme) - 1);
    const std::size_t firstSlash = rest.find('/');
    const std::size_t lastSlash = rest.rfind('/');
    if (firstSlash == std::string::npos || firstSlash == lastSlash) return Fail(error, "incomplete URL, " + usage);
    const std::string authority = rest.substr(0, firstSlash);
    const std::string iqn = rest.substr(firstSlash + 1, lastSlash - firstSlash - 1);
    const std::string lunText = rest.substr(lastSlash + 1);
    if (authority.find('@') != std::string::npos) return Fail(error, "user names and passwords are not supported");

    IscsiUrl parsed;
    std::string portText;
    if (!authority.empty() && authority[0] == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string::npos) return Fail(error, "unclosed bracket in the host");
        parsed.host = authority.substr(1, close - 1);
        if (!IsIpv6Text(parsed.host)) return Fail(error, "not an IPv6 address: " + parsed.host);
        const std::string after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after[0] != ':') return Fail(error, "unexpected text after the host");
            portText = after.substr(1);
            if (portText.empty()) return Fail(error, "empty port");
        }
    } else {
        const std::size_t colon = authority.find(':');
        parsed.host = authority.substr(0, colon);
        if (colon != std::string::npos) {
            portText = authority.substr(colon + 1);
            if (portText.empty()) return Fail(error, "empty port");
        }
        if (!IsHostName(parsed.host)) return Fail(error, "missing or malformed host, " + usage);
    }
    if (!portText.empty()) {
        std::uint32_t port = 0;
        if (!ParseNumber(portText, 65535, &port) || port == 0) return Fail(error, "port must be 1 to 65535");
        parsed.port = static_cast<std::uint16_t>(port);
    }
    if (!IsTargetName(iqn)) return Fail(error, "missing or malformed target name, " + usage);
    if (!ParseNumber(lunText, kMaxLun, &parsed.lun)) {
        return Fail(error, "LUN must be a number from 0 to " + std::to_string(kMaxLun));
    }
    parsed.targetIqn = iqn;
    if (url) *url = parsed;
    return true;
}

}  // namespace sektra
