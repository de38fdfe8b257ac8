#include "cli/Targets.h"

#include <cctype>

namespace sektra {
namespace {

const TargetScheme* const kSchemes[] = {
    &kDemoScheme,
    &kFileScheme,
#if defined(_WIN32)
    &kWindowsDriveScheme,
#endif
#if defined(SEKTRA_HAVE_ISCSI)
    &kIscsiScheme,
#endif
};

bool StartsWith(const std::string& text, const char* prefix, bool ignoreCase) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size()) return false;
        char a = text[i], b = prefix[i];
        if (ignoreCase) {
            a = static_cast<char>(std::tolower(static_cast<unsigned char>(a)));
            b = static_cast<char>(std::tolower(static_cast<unsigned char>(b)));
        }
        if (a != b) return false;
    }
    return true;
}

}  // namespace

OpenStatus OpenTarget(const std::string& text, const TargetContext& context, Target* target, std::string* error) {
    for (const TargetScheme* scheme : kSchemes) {
        if (!StartsWith(text, scheme->prefix, scheme->ignoreCase)) continue;
        target->name = text;
        const std::string rest = text.substr(std::char_traits<char>::length(scheme->prefix));
        const OpenStatus status = scheme->open(rest, context, target, error);
        if (status != OpenStatus::Opened) {
            // The device closes its handle on its port, so it goes first.
            target->device.reset();
            target->ownPort.reset();
        }
        return status;
    }
    std::string kinds;
    for (const TargetScheme* scheme : kSchemes) {
        kinds += std::string(kinds.empty() ? "" : ", ") + scheme->prefix + "...";
    }
    *error = "unknown target \"" + text + "\" (this build knows " + kinds + ")";
    return OpenStatus::Malformed;
}

std::vector<std::string> ListTargets(const TargetContext& context) {
    std::vector<std::string> names;
    for (const TargetScheme* scheme : kSchemes) {
        if (scheme->list != nullptr) scheme->list(context, &names);
    }
    return names;
}

}  // namespace sektra
