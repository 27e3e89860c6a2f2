#include "serial/port_name_rule.h"

bool isAcceptablePortName(const std::string& name, PortNaming naming) {
    switch (naming) {
        case PortNaming::Windows:
            return name.size() >= 3 && name.compare(0, 3, "COM") == 0;
        case PortNaming::Posix:
            return name.size() > 5 && name.compare(0, 5, "/dev/") == 0;
    }
    return false;
}
