// Builds WAVE files as bytes for the tests: a header, any chunks, and a data chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class WaveBytes {
public:
    WaveBytes& Chunk(const std::string& id, const std::vector<std::uint8_t>& body) {
        bytes.insert(bytes.end(), id.begin(), id.end());
        Put32(static_cast<std::uint32_t>(body.size()));
        bytes.insert(bytes.end(), body.begin(), body.end());
        return *this;
    }
    // A "fmt " chunk of size bytes holding the given fields (cut off or zero-padded).
    WaveBytes& Format(std::uint16_t tag,
                      std::uint16_t channels,
                      std::uint32_t rate,
                      std::uint16_t blockAlign,
                      std::uint16_t bits,
                      std::uint32_t size = 16,
                      std::uint16_t extra = 0) {
        std::vector<std::uint8_t> body;
        Append16(body, tag);
        Append16(body, channels);
        Append32(body, rate);
        Append32(body, rate * blockAlign);
        Append16(body, blockAlign);
        Append16(body, bits);
        Append16(body, extra);
        body.resize(size, 0);
        return Chunk("fmt ", body);
    }
    WaveBytes& Pcm16Stereo44k() { return Format(1, 2, 44100, 4, 16); }
    WaveBytes& Data(std::uint32_t length) { return Chunk("data", std::vector<std::uint8_t>(length, 0x11)); }

    // The whole file; sizeAdjust moves the RIFF size field off the true size.
    std::vector<std::uint8_t> Build(std::int64_t sizeAdjust = 0) const {
        std::vector<std::uint8_t> file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
        file.insert(file.end(), bytes.begin(), bytes.end());
        const auto riffSize = static_cast<std::uint32_t>(static_cast<std::int64_t>(file.size()) - 8 + sizeAdjust);
        for (int i = 0; i < 4; ++i) {
            file[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
        }
        return file;
    }

    static void Append16(std::vector<std::uint8_t>& out, std::uint32_t value) {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    static void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
        Append16(out, value);
        Append16(out, value >> 16);
    }

private:
    void Put32(std::uint32_t value) { Append32(bytes, value); }

    std::vector<std::uint8_t> bytes;
};
