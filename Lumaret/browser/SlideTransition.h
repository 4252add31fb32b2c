// CSlideTransition: reveals a slide in steps, one of nine effects (a random dissolve, bands in
// four directions, curtains opening from and closing to the middle both ways). The picture is
// composed once off screen at the picture rectangle's size, the slide centred on the background,
// and every step copies one or two rectangles of it to the same place on the window; when the
// effect ends the window shows exactly the composed picture.
#pragma once

#include "mfc.h"

#include <atomic>
#include <memory>

class CImageObject;

class CSlideTransition {
public:
    enum { kEffects = 9, kDissolveCols = 320, kDissolveRows = 240 };

    // Where the steps go. Rectangles are in picture coordinates and may reach past the picture
    // (the last band of a sweep); the pause follows the step.
    class Sink {
    public:
        virtual ~Sink() = default;
        virtual void Copy(const CRect& rect) = 0;
        virtual void Pause(int ms) = 0;
    };

    // The steps of effect % kEffects over a width x height picture. Stops before a step once
    // `stop` is set; TRUE when the last step was made.
    static BOOL Run(int effect, int width, int height, const std::atomic<int>& stop, Sink& sink);

    // The composed picture: a width x height bitmap compatible with `target`, filled with `back`
    // and with `image` (may be null) drawn at its own size in the middle.
    CSlideTransition(CDC* target, int width, int height, COLORREF back, CImageObject* image);
    ~CSlideTransition();
    CSlideTransition(const CSlideTransition&) = delete;
    CSlideTransition& operator=(const CSlideTransition&) = delete;

    BOOL IsReady() const { return m_bReady; }
    CDC& Picture() { return m_dc; }
    // Runs an effect onto `target` at `origin`, pausing with Sleep; TRUE when it completed.
    BOOL RevealOn(CDC* target, CPoint origin, int effect, const std::atomic<int>& stop);

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    int m_nWidth;
    int m_nHeight;
    BOOL m_bReady = FALSE;
};
