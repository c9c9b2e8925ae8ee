#pragma once

class CAudioDriver;

// A new, closed driver of the given interface type and direction; null for a
// type without a driver.
CAudioDriver* CreateAudioDriver(bool input, int typeId);
