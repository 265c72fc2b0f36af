#include "core/telemetry/SerialDevice.h"

namespace telemetry {

namespace {

class SystemSerialDevice : public SerialDevice {
 public:
  int Open(const std::string& port_name) override { return port_.Open(port_name); }
  int Configure(const sys::SerialLineSettings& settings) override { return port_.Configure(settings); }
  int SetBufferSizes(sys::DWORD input_size, sys::DWORD output_size) override {
    return port_.SetBufferSizes(input_size, output_size);
  }
  int Read(void* buffer, std::size_t capacity, int timeout_ms, std::size_t& received) override {
    return port_.Read(buffer, capacity, timeout_ms, received);
  }
  int TakeLineErrors(sys::DWORD& errors) override { return port_.TakeLineErrors(errors); }
  int Purge(unsigned flags) override { return port_.Purge(flags); }
  int RestoreSettings() override { return port_.RestoreSettings(); }
  int Close() override { return port_.Close(); }

 private:
  sys::SerialPort port_;
};

}  // namespace

std::unique_ptr<SerialDevice> MakeSystemSerialDevice() { return std::make_unique<SystemSerialDevice>(); }

}  // namespace telemetry
