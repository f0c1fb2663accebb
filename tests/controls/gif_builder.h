#pragma once
// Writes small GIF files for the tests and the demonstration: a global colour table of four
// colours, and images of one colour each (or a function of the pixel), LZW-coded with a clear
// code often enough that the code width never grows.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class GifBuilder {
public:
    // colours as 0xRRGGBB, at most four.
    GifBuilder(int width, int height, std::vector<uint32_t> colours) {
        Bytes("GIF89a");
        Word(width);
        Word(height);
        colours.resize(4, 0);
        data_.push_back(0x80 | 0x10 | 1);  // global table of 2^(1+1) entries
        data_.push_back(0);
        data_.push_back(0);
        for (uint32_t colour : colours) {
            data_.push_back(static_cast<uint8_t>(colour >> 16));
            data_.push_back(static_cast<uint8_t>(colour >> 8));
            data_.push_back(static_cast<uint8_t>(colour));
        }
    }

    // transparent: the colour index that leaves what is under it, or -1 for none.
    GifBuilder& Control(int delay, int disposal, int transparent = -1) {
        const uint8_t flags = static_cast<uint8_t>(disposal << 2 | (transparent >= 0 ? 1 : 0));
        data_.insert(data_.end(), {0x21, 0xF9, 4, flags});
        Word(delay);
        data_.insert(data_.end(), {static_cast<uint8_t>(transparent >= 0 ? transparent : 0), 0});
        return *this;
    }
    GifBuilder& Comment(const std::string& text) {
        data_.insert(data_.end(), {0x21, 0xFE});
        SubBlocks(std::vector<uint8_t>(text.begin(), text.end()));
        return *this;
    }
    GifBuilder& Looping() {
        data_.insert(data_.end(), {0x21, 0xFF, 11});
        Bytes("NETSCAPE2.0");
        data_.insert(data_.end(), {3, 1, 0, 0, 0});
        return *this;
    }
    GifBuilder& PlainText(const std::string& text) {
        data_.insert(data_.end(), {0x21, 0x01, 12, 0, 0, 0, 0, 8, 0, 8, 0, 8, 8, 1, 0});
        SubBlocks(std::vector<uint8_t>(text.begin(), text.end()));
        return *this;
    }
    GifBuilder& Image(int left, int top, int width, int height, int colour) {
        return Image(left, top, width, height, [colour](int, int) { return colour; });
    }
    GifBuilder& Image(int left, int top, int width, int height, const std::function<int(int x, int y)>& colourAt) {
        data_.push_back(0x2C);
        Word(left);
        Word(top);
        Word(width);
        Word(height);
        data_.push_back(0);
        constexpr int kMinimumCodeSize = 8;
        data_.push_back(kMinimumCodeSize);
        std::vector<uint8_t> packed;
        uint32_t bits = 0;
        int count = 0;
        auto code = [&](uint32_t value) {
            bits |= value << count;
            count += 9;
            while (count >= 8) {
                packed.push_back(static_cast<uint8_t>(bits));
                bits >>= 8;
                count -= 8;
            }
        };
        constexpr uint32_t kClear = 256, kEnd = 257;
        int sinceClear = 0;
        code(kClear);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (++sinceClear == 200) {
                    code(kClear);
                    sinceClear = 1;
                }
                code(static_cast<uint32_t>(colourAt(x, y)));
            }
        }
        code(kEnd);
        if (count > 0) packed.push_back(static_cast<uint8_t>(bits));
        SubBlocks(packed);
        return *this;
    }
    std::vector<uint8_t> Finish() {
        data_.push_back(0x3B);
        return data_;
    }
    // The bytes so far, without a trailer.
    const std::vector<uint8_t>& Bytes() const { return data_; }

private:
    void Bytes(const char* text) {
        for (; *text; ++text) data_.push_back(static_cast<uint8_t>(*text));
    }
    void Word(int value) {
        data_.push_back(static_cast<uint8_t>(value));
        data_.push_back(static_cast<uint8_t>(value >> 8));
    }
    void SubBlocks(const std::vector<uint8_t>& bytes) {
        for (size_t at = 0; at < bytes.size(); at += 255) {
            const size_t length = bytes.size() - at < 255 ? bytes.size() - at : 255;
            data_.push_back(static_cast<uint8_t>(length));
            data_.insert(data_.end(), bytes.begin() + static_cast<long>(at),
                         bytes.begin() + static_cast<long>(at + length));
        }
        data_.push_back(0);
    }

    std::vector<uint8_t> data_;
};
