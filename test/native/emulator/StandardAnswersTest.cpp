// The emulated disk answers as the standards say, in the cases where a real target was seen
// to answer (test/native/iscsi holds the same table against it).
#include <gtest/gtest.h>

#include "emulator/DemoSet.h"
#include "emulator/EmulatedPort.h"
#include "native/emulator/StandardAnswers.h"

namespace sektra {
namespace {

TEST(StandardAnswers, TheEmulatedDiskAnswersAsTheStandardsSay) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(16384));
    const PortHandle handle = port.Open(0, 0);
    ASSERT_NE(handle, kInvalidPortHandle);
    test::ExpectStandardAnswers(port, handle, false);
    port.Close(handle);
}

}  // namespace
}  // namespace sektra
