#pragma once
#include <cstdint>

// A table of pixel values, one per pixel along a bar, made from up to 16
// colour stops; every odd entry is darkened, which gives bars a fine line
// pattern. Bars with equal descriptions copy a finished table instead of
// computing it again (BuildOrCopy). The owner fills the description; the table
// belongs to the gradient. A plain value for the GUI thread; the process-wide
// sharing between renderers is guarded by their owner (CSegmentBarRenderer).
class CColorGradient {
public:
    static const int kMaxStops = 16;
    // Stop positions are thousandths: 0 is table entry 0 in Forward direction.
    static const int kFullPosition = 1000;

    enum class Direction : int {
        FromEnd = 0, // entry 0 takes the colour at position 1000
        Forward = 1  // entry 0 takes the colour at position 0
    };

    struct Stop {
        uint32_t color; // pixel value 0x00RRGGBB
        int position;   // thousandths, ascending from stop to stop
    };

    CColorGradient();
    ~CColorGradient();
    CColorGradient(const CColorGradient&) = delete;
    CColorGradient& operator=(const CColorGradient&) = delete;

    // Whether other describes the same table (direction, all 16 stops, stop
    // count, size, odd-entry factor, brightness, reverse); false for null and
    // for this gradient itself.
    bool Equals(const CColorGradient* other) const;

    // A size of -1 keeps the stored size; 0 leaves no table. BuildOrCopy copies
    // other's table when other is equal and has one, else it builds. Without
    // memory there is no table (GetTable answers null).
    void BuildOrCopy(int size, const CColorGradient* other);
    void BuildTable(int size);

    const uint32_t* GetTable() const { return m_table; }
    int GetSize() const { return m_size; }
    // Changes whenever the table is replaced, so a drawing can tell a table it used from its successor.
    unsigned GetRevision() const { return m_revision; }

    // The description.
    Direction direction;
    Stop stops[kMaxStops];
    int stopCount;    // 0..16; with fewer than two stops one colour fills the table
    float oddFactor;  // odd entries' colour bytes times this
    float brightness; // every byte times this, held to 255
    bool reverse;     // turns the direction over (a bar lying flat)

private:
    // Frees the table and applies the size rule; false when no table is wanted.
    bool ReplaceTable(int size);
    void FillFromStops();
    void FillPlain();

    int m_size;
    uint32_t* m_table;
    unsigned m_revision;
};
