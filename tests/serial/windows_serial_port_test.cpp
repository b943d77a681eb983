// Port names on Windows: the COM ports through the device namespace, which
// alone reaches COM10 and above.
#include <gtest/gtest.h>

#include <atomic>

#include "serial/serial_port.h"

namespace chanora::testing {
namespace {

TEST(WindowsSerialPort, PortNamesBecomeDevicesAndOtherNamesNothing) {
  EXPECT_EQ(DeviceOfPort("1"), "\\\\.\\COM1");
  EXPECT_EQ(DeviceOfPort("4"), "\\\\.\\COM4");
  EXPECT_EQ(DeviceOfPort("com3"), "\\\\.\\COM3");
  EXPECT_EQ(DeviceOfPort("COM20"), "\\\\.\\COM20");
  EXPECT_EQ(DeviceOfPort("\\\\.\\CNCA0"), "\\\\.\\CNCA0");
  for (const char* name : {"", "0", "5", "12", "COM", "COM0", "COM05", "COM1x", "LPT1", "C:\\COM1", "COM1 "}) {
    EXPECT_EQ(DeviceOfPort(name), std::nullopt) << '"' << name << '"';
  }
}

TEST(WindowsSerialPort, APortThatIsNotThereDoesNotOpen) {
  std::atomic<bool> cancel{false};
  const auto port = MakeSystemSerialPort(&cancel);
  EXPECT_FALSE(port->Open("\\\\.\\COM250"));
  EXPECT_FALSE(port->Open("COM251"));
  port->Close();  // closing what never opened is harmless
}

}  // namespace
}  // namespace chanora::testing
