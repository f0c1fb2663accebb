#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "controls/animated_gif.h"
#include "controls/gif_blocks.h"
#include "tests/controls/drawing_surface.h"
#include "tests/controls/gif_builder.h"
#include "tests/controls/test_window.h"

namespace {
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;

UniqueGlobal Movable(const std::vector<uint8_t>& bytes) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, bytes.size()));
    std::memcpy(GlobalLock(block.get()), bytes.data(), bytes.size());
    GlobalUnlock(block.get());
    return block;
}

// A 24-bit bitmap file of one colour.
std::vector<uint8_t> BitmapFile(int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    std::vector<uint8_t> bytes(file.bfSize, 0x80);
    std::memcpy(bytes.data(), &file, sizeof(file));
    std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    return bytes;
}

COLORREF Colour(uint32_t rgb) { return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }

class AnimatedGifTest : public ::testing::Test {
protected:
    AnimatedGifTest() { OleInitialize(nullptr); }
    ~AnimatedGifTest() override { OleUninitialize(); }

    bool Load(AnimatedGif& gif, const std::vector<uint8_t>& bytes) {
        UniqueGlobal block = Movable(bytes);
        return gif.Load(block.get(), bytes.size());
    }
    // The composed picture as the control would paint it.
    void Snapshot(AnimatedGif& gif, DrawingSurface& surface) {
        surface.Clear();
        gif.Canvas().CopyTo(surface.Dc());
    }

    TestWindow window_;
};
}  // namespace

TEST_F(AnimatedGifTest, OneImageIsAStillPictureWithoutThread) {
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 10, 10, 100, 100));
    ASSERT_TRUE(Load(gif, GifBuilder(8, 6, {kRed}).Control(50, 0).Image(0, 0, 8, 6, 0).Finish()));
    RECT client{};
    GetClientRect(gif.Window(), &client);
    EXPECT_EQ(client.right, 8);
    EXPECT_EQ(client.bottom, 6);
    EXPECT_TRUE(gif.Draw());
    EXPECT_EQ(gif.WorkerThreadId(), 0u);
    EXPECT_FALSE(gif.IsPlaying());
    DrawingSurface surface(8, 6);
    Snapshot(gif, surface);
    EXPECT_EQ(surface.Count({0, 0, 8, 6}, Colour(kRed)), 48);
}

TEST_F(AnimatedGifTest, FramesKeepTheirDelaysAndWaits) {
    GifBuilder builder(4, 4, {kRed, kGreen});
    const int delays[] = {0, 1, 2, 3, 4, 10, 50};
    for (int delay : delays) builder.Control(delay, 1).Image(0, 0, 4, 4, delay % 2);
    builder.Image(0, 0, 4, 4, 0);
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 4, 4));
    ASSERT_TRUE(Load(gif, builder.Finish()));
    ASSERT_EQ(gif.FrameCount(), 8u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(gif.Frame(i).delay, delays[i]);
        EXPECT_EQ(gif.Frame(i).disposal, 1);
    }
    EXPECT_EQ(gif.Frame(7).delay, -1);
    const unsigned expected[] = {100, 100, 100, 100, 100, 100, 500, 100};
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(GifFrameWait(gif.Frame(i).delay), expected[i]) << i;
}

TEST_F(AnimatedGifTest, RestoreToBackgroundLeavesTheButtonFaceColour) {
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 20, 20));
    ASSERT_TRUE(Load(gif, GifBuilder(20, 20, {kRed, kGreen, kBlue})
                              .Control(10, 0)
                              .Image(0, 0, 20, 20, 0)
                              .Control(10, 2)
                              .Image(5, 5, 10, 10, 1)
                              .Control(10, 0)
                              .Image(0, 0, 2, 2, 2)
                              .Finish()));
    ASSERT_EQ(gif.FrameCount(), 3u);
    EXPECT_EQ(gif.Canvas().Background(), GetSysColor(COLOR_BTNFACE));
    DrawingSurface surface(20, 20);
    GifCanvas& canvas = gif.Canvas();
    ASSERT_TRUE(canvas.DrawFrame(gif.Frame(0)));
    canvas.Dispose(gif.Frame(0));
    ASSERT_TRUE(canvas.DrawFrame(gif.Frame(1)));
    Snapshot(gif, surface);
    EXPECT_EQ(surface.Count({5, 5, 15, 15}, Colour(kGreen)), 100);
    canvas.Dispose(gif.Frame(1));
    Snapshot(gif, surface);
    EXPECT_EQ(surface.Count({5, 5, 15, 15}, GetSysColor(COLOR_BTNFACE)), 100);
    EXPECT_EQ(surface.Count({0, 0, 20, 20}, Colour(kRed)), 400 - 100);
}

TEST_F(AnimatedGifTest, RestoreToPreviousPutsBackExactlyTheCoveredArea) {
    auto checker = [](int x, int y) { return (x + y) % 2 ? 0 : 2; };
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 20, 20));
    ASSERT_TRUE(Load(gif, GifBuilder(20, 20, {kRed, kGreen, kBlue, kYellow})
                              .Control(10, 1)
                              .Image(0, 0, 20, 20, checker)
                              .Control(10, 3)
                              .Image(3, 4, 9, 7, 1)
                              .Finish()));
    GifCanvas& canvas = gif.Canvas();
    ASSERT_TRUE(canvas.DrawFrame(gif.Frame(0)));
    canvas.Dispose(gif.Frame(0));
    DrawingSurface before(20, 20), during(20, 20), after(20, 20);
    Snapshot(gif, before);
    ASSERT_TRUE(canvas.DrawFrame(gif.Frame(1)));
    Snapshot(gif, during);
    canvas.Dispose(gif.Frame(1));
    Snapshot(gif, after);
    EXPECT_EQ(during.Count({3, 4, 12, 11}, Colour(kGreen)), 63);
    int differences = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (before.Pixel(x, y) != after.Pixel(x, y)) ++differences;
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(before.Pixel(3, 4), Colour(kRed));
    EXPECT_EQ(before.Pixel(4, 4), Colour(kBlue));
}

TEST_F(AnimatedGifTest, FramesArePlainBitmapsThatKeepTransparencyOnAnotherThread) {
    auto stripes = [](int x, int) { return x % 2 ? 3 : 1; };  // index 3 is transparent below
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 8, 6));
    ASSERT_TRUE(Load(gif, GifBuilder(8, 6, {kRed, kGreen, kBlue, kYellow})
                              .Control(10, 1)
                              .Image(0, 0, 8, 6, 0)
                              .Control(10, 1, 3)
                              .Image(2, 1, 4, 4, stripes)
                              .Finish()));
    ASSERT_EQ(gif.FrameCount(), 2u);
    // Each frame is already a bitmap of its own size: nothing of the picture loader (whose
    // objects belong to the loading thread's apartment) is left for the animation thread.
    for (size_t i = 0; i < 2; ++i) {
        BITMAP info{};
        ASSERT_EQ(GetObjectA(gif.Frame(i).bitmap.colours.get(), sizeof(info), &info), static_cast<int>(sizeof(info)));
        EXPECT_EQ(info.bmWidth, gif.Frame(i).width);
        EXPECT_EQ(info.bmHeight, gif.Frame(i).height);
    }
    EXPECT_FALSE(gif.Frame(0).bitmap.mask);
    EXPECT_TRUE(gif.Frame(1).bitmap.mask);
    // Drawn by a thread that never initialised COM, as the animation thread is; the control's
    // own animation is stopped first so that this thread is the only one drawing.
    gif.Stop();
    GifCanvas& canvas = gif.Canvas();
    bool drawn = false;
    std::thread worker([&] { drawn = canvas.DrawFrame(gif.Frame(0)) && canvas.DrawFrame(gif.Frame(1)); });
    worker.join();
    ASSERT_TRUE(drawn);
    DrawingSurface surface(8, 6);
    Snapshot(gif, surface);
    EXPECT_EQ(surface.Count({2, 1, 6, 5}, Colour(kGreen)), 8);
    EXPECT_EQ(surface.Count({2, 1, 6, 5}, Colour(kRed)), 8) << "the transparent stripes show the frame below";
    EXPECT_EQ(surface.Count({0, 0, 8, 6}, Colour(kRed)), 48 - 8);
}

TEST_F(AnimatedGifTest, DestroyingTheControlDuringPlaybackEndsTheWorkerAtOnce) {
    AnimatedGif gif;
    HWND control = window_.AddStatic("", 0, 0, 4, 4);
    gif.Attach(control);
    // Frames of about eleven minutes: only the wake event can end the wait in time.
    ASSERT_TRUE(Load(gif, GifBuilder(4, 4, {kRed, kGreen})
                              .Control(65535, 0)
                              .Image(0, 0, 4, 4, 0)
                              .Control(65535, 0)
                              .Image(0, 0, 4, 4, 1)
                              .Finish()));
    EXPECT_FALSE(gif.Draw());
    ASSERT_NE(gif.WorkerThreadId(), 0u);
    UniqueKernelObject worker(OpenThread(SYNCHRONIZE, FALSE, gif.WorkerThreadId()));
    ASSERT_TRUE(worker);
    for (int i = 0; i < 200 && !gif.IsPlaying(); ++i) Sleep(10);
    EXPECT_TRUE(gif.IsPlaying());
    EXPECT_FALSE(gif.Draw()) << "a second Draw starts no second thread";

    DestroyWindow(control);
    EXPECT_EQ(WaitForSingleObject(worker.get(), 0), WAIT_OBJECT_0);
    EXPECT_FALSE(gif.IsPlaying());
    EXPECT_EQ(gif.WorkerThreadId(), 0u);
}

TEST_F(AnimatedGifTest, StopEndsPlaybackAndResetForgetsThePicture) {
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 4, 4));
    ASSERT_TRUE(Load(gif, GifBuilder(4, 4, {kRed, kGreen})
                              .Control(0, 0)
                              .Image(0, 0, 4, 4, 0)
                              .Control(0, 0)
                              .Image(0, 0, 4, 4, 1)
                              .Finish()));
    EXPECT_FALSE(gif.Draw());
    for (int i = 0; i < 50; ++i) {
        TestWindow::Pump();
        Sleep(10);
    }
    gif.Stop();
    EXPECT_FALSE(gif.IsPlaying());
    EXPECT_EQ(gif.WorkerThreadId(), 0u);
    EXPECT_FALSE(gif.Draw());
    EXPECT_NE(gif.WorkerThreadId(), 0u) << "playing again after a stop";
    gif.Reset();
    EXPECT_EQ(gif.FrameCount(), 0u);
    EXPECT_FALSE(gif.Canvas().Ready());
    EXPECT_FALSE(gif.Draw());
}

TEST_F(AnimatedGifTest, OtherPicturesShowAtTheirOwnSize) {
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 100, 100));
    ASSERT_TRUE(Load(gif, BitmapFile(12, 7)));
    EXPECT_EQ(gif.FrameCount(), 0u);
    RECT client{};
    GetClientRect(gif.Window(), &client);
    EXPECT_NEAR(client.right, 12, 1);
    EXPECT_NEAR(client.bottom, 7, 1);
    EXPECT_TRUE(gif.Draw());
}

TEST_F(AnimatedGifTest, DamagedDataLoadsWhatCanBeDecoded) {
    const std::vector<uint8_t> good = GifBuilder(8, 8, {kRed, kGreen, kBlue})
                                          .Control(10, 0)
                                          .Image(0, 0, 8, 8, 0)
                                          .Control(10, 0)
                                          .Image(0, 0, 8, 8, 1)
                                          .Control(10, 0)
                                          .Image(0, 0, 8, 8, 2)
                                          .Finish();
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 8, 8));
    // Cut inside the third image: the first two remain.
    std::vector<uint8_t> cut(good.begin(), good.end() - 10);
    ASSERT_TRUE(Load(gif, cut));
    EXPECT_EQ(gif.FrameCount(), 2u);

    // A plain-text block is cut out too, but no picture comes of it.
    ASSERT_TRUE(Load(gif, GifBuilder(8, 8, {kRed, kGreen})
                              .Control(10, 0)
                              .PlainText("text")
                              .Control(10, 0)
                              .Image(0, 0, 8, 8, 0)
                              .Control(10, 0)
                              .Image(0, 0, 8, 8, 1)
                              .Finish()));
    EXPECT_EQ(gif.FrameCount(), 2u);

    // Only one of two images decodes: it is shown as a still picture.
    std::vector<uint8_t> oneBroken = GifBuilder(8, 8, {kRed, kGreen}).Control(10, 0).Image(0, 0, 8, 8, 0).Bytes();
    oneBroken.insert(oneBroken.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0, 0x2C, 0, 0, 0, 0, 8, 0, 8, 0, 0, 8, 1, 0xFF, 0});
    oneBroken.push_back(0x3B);
    ASSERT_TRUE(Load(gif, oneBroken));
    ASSERT_EQ(gif.FrameCount(), 1u);
    EXPECT_TRUE(gif.Draw());
    EXPECT_EQ(gif.WorkerThreadId(), 0u);

    EXPECT_FALSE(Load(gif, GifBuilder(8, 8, {}).Finish())) << "no image at all";
    EXPECT_FALSE(gif.Draw());
    EXPECT_FALSE(Load(gif, {'G', 'I', 'F', '8', '9', 'a', 8, 0}));
    std::vector<uint8_t> overlong = GifBuilder(8, 8, {}).Image(0, 0, 8, 8, 1).Finish();
    overlong[25 + 11] = 0xFE;
    EXPECT_FALSE(Load(gif, overlong));
    EXPECT_FALSE(Load(gif, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}));
    EXPECT_FALSE(gif.Load(nullptr, 10));
}

TEST_F(AnimatedGifTest, LoadsFromTheProgramsResource) {
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 50, 50));
    ASSERT_TRUE(gif.LoadFromResource(nullptr, MAKEINTRESOURCEA(1), "GIF"));
    EXPECT_EQ(gif.FrameCount(), 2u);
    EXPECT_FALSE(gif.LoadFromResource(nullptr, MAKEINTRESOURCEA(144), "GIF"));
}

// Between the sizes a GIF is drawn at, its frames are drawn scaled: by their edges, so frames
// that met still meet, and the control and its canvas take the scaled size.
TEST_F(AnimatedGifTest, AScaleDrawsEveryFrameAtItsScaledPlaceAndSize) {
    AnimatedGif gif;
    gif.Attach(window_.AddStatic("", 0, 0, 20, 20));
    gif.SetScale(3, 2);  // 144 DPI from a GIF drawn for 96
    ASSERT_TRUE(Load(gif, GifBuilder(4, 2, {kRed, kGreen})
                              .Control(10, 0)
                              .Image(0, 0, 1, 2, 0)
                              .Control(10, 0)
                              .Image(1, 0, 3, 2, 1)
                              .Finish()));
    ASSERT_EQ(gif.FrameCount(), 2u);
    RECT client{};
    GetClientRect(gif.Window(), &client);
    EXPECT_EQ(client.right, 6);
    EXPECT_EQ(client.bottom, 3);
    // 1.5 rounds to 2 and 4.5 to 5: a width scaled on its own would reach past the picture.
    EXPECT_EQ(gif.Frame(0).width, 2);
    EXPECT_EQ(gif.Frame(1).left, 2);
    EXPECT_EQ(gif.Frame(1).width, 4);
    EXPECT_EQ(gif.Frame(1).bitmap.width, 4);
    EXPECT_EQ(gif.Frame(1).bitmap.height, 3);
    ASSERT_TRUE(gif.Canvas().DrawFrame(gif.Frame(0)));
    ASSERT_TRUE(gif.Canvas().DrawFrame(gif.Frame(1)));
    DrawingSurface surface(6, 3);
    Snapshot(gif, surface);
    EXPECT_EQ(surface.Count({0, 0, 2, 3}, Colour(kRed)), 6);
    EXPECT_EQ(surface.Count({2, 0, 6, 3}, Colour(kGreen)), 12);
}
