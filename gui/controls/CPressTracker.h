#pragma once
#include "gui/window/CPhysicalWindow.h"

// The part of a click the buttons share: a left press takes the capture and
// the focus; while the capture lasts a move tells whether the cursor is
// still inside, and the release gives the capture back and tells where it
// happened. Inside counts the right and bottom edges.
//
//   call      captured  inside  answer     and
//   Press     either    -       Pressed    capture and focus taken
//   Move      no        -       Ignored
//   Move      yes       yes     Pressed
//   Move      yes       no      Cancelled
//   Release   no        -       Ignored
//   Release   yes       yes     Click      capture given back
//   Release   yes       no      Cancelled  capture given back
//
// What a button shows and tells for each answer is its own. GUI thread only.
class CPressTracker {
public:
    enum class Answer { Ignored, Pressed, Cancelled, Click };

    explicit CPressTracker(CPhysicalWindow& window) : m_window(window) {}

    Answer Press();
    Answer Move(POINT at, int width, int height) const;
    Answer Release(POINT at, int width, int height);
    static bool Inside(POINT at, int width, int height);

private:
    CPhysicalWindow& m_window;
};
