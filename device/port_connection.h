#pragma once

#include <string>

#include "device/transfer_result.h"
#include "serial/serial_port_api.h"

// Opens the logger's port by name with the logger's line settings; true when
// it is open. An empty name is no port at all.
bool OpenLoggerPort(SerialPortAPI& port, const std::string& name);

// The result of a transfer whose port did not open: "Not connected." and why,
// in a user's words (no cable, no port name, the system's refusal with advice).
TransferResult NotConnected(const SerialPortAPI& port, const std::string& name);
