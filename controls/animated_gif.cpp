#include "controls/animated_gif.h"

#include <commctrl.h>
#include <olectl.h>
#include <process.h>

#include "base/device_context.h"
#include "base/window_boundary.h"
#include "controls/gif_blocks.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x4147;
constexpr DWORD kStopWait = 5000;

ComPtr<IPicture> Decode(HGLOBAL block, size_t size, bool streamOwnsBlock) {
    ComPtr<IPicture> picture;
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block, streamOwnsBlock ? TRUE : FALSE, stream.put()))) {
        if (streamOwnsBlock) GlobalFree(block);
        return picture;
    }
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture, picture.put_void())))
        picture.reset();
    return picture;
}

// The picture as bitmaps; the picture object itself ends here, on the thread that made it.
FrameBitmap DecodeToBitmap(HGLOBAL block, size_t size, bool streamOwnsBlock, int width, int height) {
    const ComPtr<IPicture> picture = Decode(block, size, streamOwnsBlock);
    return RenderToBitmap(picture.get(), width, height);
}

}  // namespace

// Keeps a movable memory block locked for one scope.
class AnimatedGif::LockedBlock {
public:
    explicit LockedBlock(HGLOBAL block) : block_(block), data_(static_cast<const uint8_t*>(GlobalLock(block))) {}
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    ~LockedBlock() { Unlock(); }
    const uint8_t* Data() const { return data_; }
    void Unlock() {
        if (data_) GlobalUnlock(block_);
        data_ = nullptr;
    }

private:
    HGLOBAL block_;
    const uint8_t* data_;
};

std::shared_ptr<AnimatedGif::Playback> AnimatedGif::NewPlayback(HWND window) {
    auto playback = std::make_shared<Playback>();
    playback->wake.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    playback->window = window;
    return playback;
}

AnimatedGif::AnimatedGif() : playback_(NewPlayback(nullptr)) {}

AnimatedGif::~AnimatedGif() {
    Reset();
    if (control_ && IsWindow(control_)) RemoveWindowSubclass(control_, &AnimatedGif::SubclassProcedure, kSubclassId);
}

void AnimatedGif::Attach(HWND control) {
    control_ = control;
    playback_->window = control;
    SetWindowSubclass(control_, &AnimatedGif::SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void AnimatedGif::SetScale(int numerator, int denominator) {
    if (numerator <= 0 || denominator <= 0) return;
    scaleNumerator_ = numerator;
    scaleDenominator_ = denominator;
}

bool AnimatedGif::LoadFromResource(HMODULE module, const char* name, const char* type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return false;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return false;
    UniqueGlobal copy(GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, size));
    if (!copy) return false;
    void* target = GlobalLock(copy.get());
    if (!target) return false;
    memcpy(target, bytes, size);
    GlobalUnlock(copy.get());
    return Load(copy.get(), size);
}

bool AnimatedGif::Load(HGLOBAL block, size_t size) {
    Reset();
    if (!block || size == 0) return false;
    LockedBlock locked(block);
    if (!locked.Data()) return false;
    const size_t available = GlobalSize(block);
    if (available < size) size = available;
    if (!IsGifSignature(locked.Data(), size)) {
        locked.Unlock();
        return LoadPicture(block, size);
    }
    return LoadGif(locked, size, block);
}

bool AnimatedGif::LoadGif(LockedBlock& locked, size_t size, HGLOBAL block) {
    GifBlockWalker walker(locked.Data(), size);
    if (!walker.IsGif()) return false;
    const size_t count = walker.CountGraphicBlocks();
    if (count == 0) return false;
    if (count == 1) {
        locked.Unlock();
        still_ = DecodeToBitmap(block, size, false, Scaled(walker.ScreenWidth()), Scaled(walker.ScreenHeight()));
        return still_ && Prepare(Scaled(walker.ScreenWidth()), Scaled(walker.ScreenHeight()));
    }
    walker.Rewind();
    GifGraphicBlock graphic;
    while (walker.NextGraphicBlock(graphic)) {
        const size_t length = walker.StandaloneSize(graphic);
        HGLOBAL standalone = GlobalAlloc(GMEM_FIXED, length);
        if (!standalone) continue;
        walker.WriteStandalone(graphic, static_cast<uint8_t*>(standalone));
        GifFrame frame;
        // Edges scaled, not sizes, so that scaled frames that met still meet.
        frame.left = Scaled(graphic.left);
        frame.top = Scaled(graphic.top);
        frame.width = Scaled(graphic.left + graphic.width) - frame.left;
        frame.height = Scaled(graphic.top + graphic.height) - frame.top;
        frame.bitmap = DecodeToBitmap(standalone, length, true, frame.width, frame.height);
        if (!frame.bitmap) continue;
        frame.delay = graphic.delay;
        frame.disposal = graphic.disposal;
        playback_->frames.push_back(std::move(frame));
    }
    locked.Unlock();
    return !playback_->frames.empty() && Prepare(Scaled(walker.ScreenWidth()), Scaled(walker.ScreenHeight()));
}

bool AnimatedGif::LoadPicture(HGLOBAL block, size_t size) {
    const ComPtr<IPicture> picture = Decode(block, size, false);
    if (!picture) return false;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    int pixelsX = 0, pixelsY = 0;
    {
        const WindowDc dc(control_);
        pixelsX = GetDeviceCaps(dc.get(), LOGPIXELSX);
        pixelsY = GetDeviceCaps(dc.get(), LOGPIXELSY);
    }
    constexpr int kHimetricPerInch = 2540;
    const int pixelWidth = Scaled(MulDiv(width, pixelsX, kHimetricPerInch));
    const int pixelHeight = Scaled(MulDiv(height, pixelsY, kHimetricPerInch));
    still_ = RenderToBitmap(picture.get(), pixelWidth, pixelHeight);
    return still_ && Prepare(pixelWidth, pixelHeight);
}

bool AnimatedGif::Prepare(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (control_) SetWindowPos(control_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const WindowDc dc(control_);
    return dc && playback_->canvas.Create(dc.get(), width, height);
}

bool AnimatedGif::Draw() {
    Playback& playback = *playback_;
    if (!playback.canvas.Ready()) return false;
    if (playback.frames.size() > 1) {
        if (worker_) return false;
        auto state = std::make_unique<std::shared_ptr<Playback>>(playback_);
        const uintptr_t thread =
            _beginthreadex(nullptr, 0, &AnimatedGif::Worker, state.get(), CREATE_SUSPENDED, &workerId_);
        if (thread == 0) return false;
        state.release();
        worker_.reset(reinterpret_cast<HANDLE>(thread));
        ResumeThread(worker_.get());
        return false;
    }
    // A GIF of which only one image could be decoded shows that image as a still picture.
    const bool drawn =
        still_ ? playback.canvas.DrawBitmap(still_, 0, 0) : playback.canvas.DrawFrame(playback.frames.front());
    if (control_) InvalidateRect(control_, nullptr, FALSE);
    return drawn;
}

unsigned __stdcall AnimatedGif::Worker(void* state) {
    std::unique_ptr<std::shared_ptr<Playback>> adopted(static_cast<std::shared_ptr<Playback>*>(state));
    Playback& playback = **adopted;
    return AtBoundary(
        [&] {
            Play(playback);
            return 0u;
        },
        [&] {
            playback.playing = false;
            return 1u;
        });
}

void AnimatedGif::Play(Playback& playback) {
    playback.playing = true;
    std::vector<GifFrame>& frames = playback.frames;
    playback.canvas.Dispose(frames[playback.current]);
    while (!playback.stopRequested) {
        const GifFrame& frame = frames[playback.current];
        HWND window = playback.window;
        if (playback.canvas.DrawFrame(frame) && window) InvalidateRect(window, nullptr, FALSE);
        if (playback.stopRequested) break;
        WaitForSingleObject(playback.wake.get(), GifFrameWait(frame.delay));
        if (playback.stopRequested) break;
        playback.canvas.Dispose(frame);
        if (++playback.current >= frames.size()) {
            playback.current = 0;
            playback.canvas.Clear();
        }
    }
    playback.playing = false;
}

void AnimatedGif::Stop() {
    Playback& playback = *playback_;
    playback.playing = false;
    playback.stopRequested = true;
    SetEvent(playback.wake.get());
    if (worker_) {
        const bool ended = WaitForSingleObject(worker_.get(), kStopWait) == WAIT_OBJECT_0;
        worker_.reset();
        if (!ended) {
            // The thread keeps its state, still asked to stop; the control goes on without it.
            playback_ = NewPlayback(control_);
            still_ = {};
            return;
        }
    }
    ResetEvent(playback.wake.get());
    playback.stopRequested = false;
}

void AnimatedGif::Reset() {
    Stop();
    still_ = {};
    playback_->frames.clear();
    playback_->canvas.Release();
    playback_->current = 0;
}

void AnimatedGif::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control_, &paint);
    playback_->canvas.CopyTo(dc);
    EndPaint(control_, &paint);
}

LRESULT CALLBACK AnimatedGif::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self) noexcept {
    return AtBoundary([&] { return reinterpret_cast<AnimatedGif*>(self)->OnMessage(window, message, wParam, lParam); },
                      [&] { return DefSubclassProc(window, message, wParam, lParam); });
}

LRESULT AnimatedGif::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_DESTROY: Stop(); break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &AnimatedGif::SubclassProcedure, kSubclassId);
            control_ = nullptr;
            playback_->window = nullptr;
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
