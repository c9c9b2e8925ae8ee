#pragma once
#include "analysis/CDelayLine16.h"
#include "analysis/OnePoleCascade.h"
#include "common/CFifoChannelSet.h"
#include "common/CMemBlock.h"
#include <cstdint>

// Prepares one input channel for an oscilloscope: on the capture thread it
// writes the raw stream and two envelopes of different speed into three
// rings; on the display thread it reads them back and returns a window of the
// raw stream placed so that the strongest envelope peak lands at a fixed spot.
class CScopeSignalPath : public CFifoChannelSet {
public:
    static constexpr int kRings = 3;

    CScopeSignalPath();
    ~CScopeSignalPath() override;

    // The application sets these before Setup. The leading value is not read
    // by the path itself.
    void SetTuning(int32_t lead, int32_t samplesPerRead, int32_t searchLength, int32_t searchStart);
    int32_t GetLeadTuning() const { return m_leadTuning; }
    int32_t GetSamplesPerRead() const { return m_samplesPerRead; }
    int32_t GetSearchLength() const { return m_searchLength; }
    int32_t GetSearchStart() const { return m_searchStart; }

    bool Setup(int ringBytes, int rawDelayLength);
    void SetDisplayParams(int coefficientA, int envelopeDelay, int coefficientB);
    // Scales by gain (Q12) into 16 bits and processes the block.
    bool Input(const int32_t* samples, int count, int gain, int delay);
    // The stream work; the block is changed in place.
    bool Process(int16_t* samples, int count);
    // Writes count raw samples around the trigger point.
    bool ReadForDisplay(int16_t* out, int count);
    void Reset();

    bool IsReady() const { return m_ready; }
    int GetEnvelopeDelay() const { return m_envelopeDelay; }

private:
    void BlockDc(const int16_t* in, int16_t* out, int count);
    int FindTrigger(const int16_t* envA, const int16_t* envB, int available) const;

    int32_t m_leadTuning;
    int32_t m_samplesPerRead;
    int32_t m_searchLength;
    int32_t m_searchStart;
    bool m_ready;
    int m_ringBytes;
    int32_t m_envelopeDelay;
    int32_t m_delayBase;
    CDelayLine16 m_rawDelay;
    CDelayLine16 m_envelopeBDelay;
    CDelayLine16 m_rawAlignDelay;
    OnePoleCascade m_envelopeA;
    OnePoleCascade m_envelopeB;
    int32_t m_dcState;
    CMemBlock m_inputBlock;
    CMemBlock m_dcFreeBlock;
    CMemBlock m_envelopeABlock;
    CMemBlock m_envelopeBBlock;
    CMemBlock m_displayBlocks[kRings];
};
