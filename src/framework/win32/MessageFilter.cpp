#include "framework/win32/MessageFilter.h"

#include "framework/win32/ApplicationBase.h"

namespace sektra {

MessageFilter::MessageFilter() {
    if (theApplication) theApplication->AddFilter(this);
}

MessageFilter::~MessageFilter() {
    if (theApplication) theApplication->RemoveFilter(this);
}

void MessageFilter::OnFilterMessage(MessageRecord&) {}

}  // namespace sektra
