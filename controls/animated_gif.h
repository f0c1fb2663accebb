#pragma once
// A static control that shows a picture and plays a GIF of several images on a worker thread.
// Every image is decoded into a plain bitmap when loading, on the loading thread; the worker
// draws only bitmaps.
//     AnimatedGif busy; busy.Attach(GetDlgItem(dialog, IDC_BUSY));
//     if (busy.LoadFromResource(nullptr, MAKEINTRESOURCEA(144), "GIF")) busy.Draw();  // starts playing
//     busy.Stop();   // at the end of the scan; Reset() also forgets the picture
// The control takes the picture's size. Stop, Reset and destruction run on the thread that owns
// the window; destroying the window ends the animation.
#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

#include "controls/gif_canvas.h"
#include "base/unique_handles.h"

class AnimatedGif {
public:
    AnimatedGif();
    AnimatedGif(const AnimatedGif&) = delete;
    AnimatedGif& operator=(const AnimatedGif&) = delete;
    ~AnimatedGif();

    void Attach(HWND control);
    HWND Window() const { return control_; }

    // Pictures loaded from now on are drawn at numerator / denominator of their size (HALFTONE),
    // for a DPI between the sizes a picture was drawn at; 1 / 1 at first.
    void SetScale(int numerator, int denominator);

    // Copies the resource into a movable memory block and loads it from there.
    bool LoadFromResource(HMODULE module, const char* name, const char* type);
    // A GIF is cut into its images and each decoded on its own; anything else is decoded as one
    // picture. True when there is something to draw.
    bool Load(HGLOBAL block, size_t size);
    // Starts the animation (and returns false) when there are several frames; otherwise shows
    // the picture and returns true. False when nothing is loaded.
    bool Draw();
    void Stop();
    void Reset();

    bool IsPlaying() const { return playback_->playing; }
    size_t FrameCount() const { return playback_->frames.size(); }
    const GifFrame& Frame(size_t index) const { return playback_->frames[index]; }
    GifCanvas& Canvas() { return playback_->canvas; }
    DWORD WorkerThreadId() const { return worker_ ? workerId_ : 0; }

private:
    // What the animation thread uses; it keeps its own reference, so a thread that does not end
    // in time is left with this state while the control starts afresh.
    struct Playback {
        GifCanvas canvas;
        std::vector<GifFrame> frames;
        size_t current = 0;
        std::atomic<bool> stopRequested{false};
        std::atomic<bool> playing{false};
        UniqueKernelObject wake;
        std::atomic<HWND> window{nullptr};
    };

    class LockedBlock;

    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR self) noexcept;
    static unsigned __stdcall Worker(void* state);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Play(Playback& playback);
    static std::shared_ptr<Playback> NewPlayback(HWND window);
    bool LoadGif(LockedBlock& locked, size_t size, HGLOBAL block);
    bool LoadPicture(HGLOBAL block, size_t size);
    bool Prepare(int width, int height);
    int Scaled(int length) const { return MulDiv(length, scaleNumerator_, scaleDenominator_); }
    void Paint();

    HWND control_ = nullptr;
    std::shared_ptr<Playback> playback_;
    FrameBitmap still_;  // the picture of a still image, drawn on this thread only
    UniqueKernelObject worker_;
    unsigned workerId_ = 0;
    int scaleNumerator_ = 1, scaleDenominator_ = 1;
};
