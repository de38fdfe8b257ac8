#include "app/WriteRefusalText.h"

#include "app/IntegerFormat.h"
#include "language/ResourceIds.h"

namespace sektra {

std::wstring WriteRefusalText(const WriteSafetyVerdict& verdict, const TextSource& texts) {
    std::wstring found;
    switch (verdict.refusal) {
    case WriteRefusal::None: return L"";
    // The system disk is never cleared for testing, so it gets no advice.
    case WriteRefusal::SystemDisk: return texts.String(IDS_REFUSE_SYSTEM_DISK);
    case WriteRefusal::WindowsVolumes: found = FormatInteger(texts.String(IDS_REFUSE_VOLUMES), verdict.count); break;
    case WriteRefusal::WindowsLayout: found = FormatInteger(texts.String(IDS_REFUSE_LAYOUT), verdict.count); break;
    case WriteRefusal::Mbr: found = FormatInteger(texts.String(IDS_REFUSE_MBR), verdict.count); break;
    case WriteRefusal::Gpt: found = texts.String(IDS_REFUSE_GPT); break;
    case WriteRefusal::Unreadable: found = texts.String(IDS_REFUSE_UNREADABLE); break;
    }
    return found + L"\r\n\r\n" + texts.String(IDS_REFUSE_HOW_TO_CLEAR);
}

}  // namespace sektra
