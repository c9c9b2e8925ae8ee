#pragma once
#include <string>

// One device as a driver lists it.
struct AudioDeviceEntry {
    std::string name;       // shown to the user
    std::string identifier; // stored as the chosen device
    int deviceNumber = 0;   // the driver's own index
};
