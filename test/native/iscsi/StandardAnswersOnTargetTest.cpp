// The real target answers the table of standard answers the emulated disk is held to, except
// where the table marks it as answering otherwise; through the port, as the engine sees it.
#include <gtest/gtest.h>

#include "device/iscsi/IscsiDevicePort.h"
#include "native/emulator/StandardAnswers.h"
#include "native/iscsi/TargetUnits.h"

namespace sektra {
namespace {

TEST(StandardAnswers, TheTargetAnswersAsTheStandardsSay) {
    SEKTRA_REQUIRE_UNIT(url, "DISK512");  // 16384 blocks of 512 bytes, like the table's disk
    IscsiDevicePort port({url});
    const PortHandle handle = port.Open(0, 0);
    ASSERT_NE(handle, kInvalidPortHandle) << port.LastError();
    test::ExpectStandardAnswers(port, handle, true);
    port.Close(handle);
}

}  // namespace
}  // namespace sektra
