#pragma once
#include <cstdint>
#include <mutex>
#include <vector>

// One block a capture device handed its driver: the place it held in the device's
// ring of blocks, and its samples as the driver took them.
struct HandedBlock {
    int slot;
    std::vector<int16_t> samples;
    // The device wrote into it while the driver held it, having come round its ring again: what the
    // driver read is then not known. Nothing tells the driver.
    bool overwritten;
};

// Stands between a capture driver and the system's own device, forwarding every
// call, and records each block the device hands the driver, in the order the driver
// takes them: a real device's blocks can then be compared with what the driver
// delivered, whatever gaps the sound server left between them.
// DirectSound: a block is taken when the driver locks it; its slot is its offset in
// the capture buffer counted in blocks (-1 when the lock is not a whole block); it
// is compared again when the driver unlocks it.
// Wave: a block is taken when the driver queues its buffer again; its slot is the
// buffer's place in the order first queued. Installs itself; one at a time.
class CaptureTap {
public:
    explicit CaptureTap(int typeId);
    ~CaptureTap();
    CaptureTap(const CaptureTap&) = delete;
    CaptureTap& operator=(const CaptureTap&) = delete;

    std::vector<HandedBlock> Blocks();

    // For the tapped calls: a block taken, from one or two parts of a ring.
    void Record(int slot, const void* first, uint32_t firstBytes, const void* second, uint32_t secondBytes);
    // For the tapped calls: the block last taken is given back; set overwritten where it changed.
    void NoteReturned(const void* first, uint32_t firstBytes, const void* second, uint32_t secondBytes);
    // The buffer's place in the order first queued; a buffer not seen before takes the next one.
    int QueuePlace(const void* buffer, bool* seenBefore);

private:
    int m_typeId;
    std::mutex m_lock;
    std::vector<HandedBlock> m_blocks;
    std::vector<const void*> m_queued;
};
