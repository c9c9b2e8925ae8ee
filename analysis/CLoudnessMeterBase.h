#pragma once
#include "analysis/LoudnessReading.h"

// Owner of the reading history and the reader's hooks.
class CLoudnessMeterBase {
public:
    CLoudnessMeterBase();
    virtual ~CLoudnessMeterBase();
    CLoudnessMeterBase(const CLoudnessMeterBase&) = delete;
    CLoudnessMeterBase& operator=(const CLoudnessMeterBase&) = delete;

    // Called by a reader for each history record it passes over.
    virtual void OnHistoryRecord(const LoudnessReading* record, LoudnessReading* copy);
    // Called by a reader with its copy of the newest reading.
    virtual void OnReadingsRead(LoudnessReading* copy);
    virtual void ResetReading(LoudnessReading* reading);

    const LoudnessReading* GetHistoryRecord(int index) const;

protected:
    // Replaces the history by count readings, each passed through ResetReading.
    bool ResizeHistory(int count);
    LoudnessReading* HistoryAt(int index) { return &m_history[index]; }

private:
    LoudnessReading* m_history;
    int m_historyCount;
};
