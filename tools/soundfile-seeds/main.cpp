// soundfile-seeds FOLDER: writes small WAV, AIFF and AIFC files of every kind the
// codec knows, and a few broken ones, as a starting corpus for the fuzzer.
#include "ToolArguments.h"
#include "support/SoundFileBuilder.h"

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::vector<double> tone(std::size_t frames, int channels) {
    std::vector<double> out;
    for (std::size_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            out.push_back(0.8 * std::sin(2 * std::numbers::pi * double(f) * (c + 1) / 37.0));
    return out;
}

std::vector<std::pair<std::string, Bytes>> seeds() {
    std::vector<std::pair<std::string, Bytes>> out;
    const auto sound = [&](const std::string& name, Container container, SampleType type, std::uint16_t channels,
                           std::size_t frames) {
        out.emplace_back(name, buildSoundFile({container, type, channels, 44100, tone(frames, channels)}));
    };
    sound("wav-u8", Container::WAVE, SampleType::UNSIGNED8, 1, 90);
    sound("wav-16", Container::WAVE, SampleType::INT16, 2, 70);
    sound("wav-24", Container::WAVE, SampleType::INT24, 2, 40);
    sound("wav-32", Container::WAVE, SampleType::INT32, 1, 50);
    sound("wav-float", Container::WAVE, SampleType::FLOAT32, 2, 30);
    sound("wav-double", Container::WAVE, SampleType::FLOAT64, 1, 30);
    sound("aiff-8", Container::AIFF, SampleType::SIGNED8, 1, 90);
    sound("aiff-16", Container::AIFF, SampleType::INT16, 2, 70);
    sound("aiff-24", Container::AIFF, SampleType::INT24, 1, 60);
    sound("aifc-fl32", Container::AIFC, SampleType::FLOAT32, 2, 30);
    sound("aifc-fl64", Container::AIFC, SampleType::FLOAT64, 1, 30);
    sound("wav-tiny", Container::WAVE, SampleType::INT16, 1, 3);

    const Bytes samples = encodeSamples(tone(40, 2), SampleType::INT16, Endian::LITTLE);
    out.emplace_back("wav-extensible", SoundFileBuilder(Container::WAVE)
                                           .chunk("LIST", Bytes{'I', 'N', 'F', 'O', 1})
                                           .chunk("fmt ", waveExtensibleFormat(1, 2, 48000, 16))
                                           .chunk("data", samples)
                                           .bytes());
    out.emplace_back("wav-truncated", SoundFileBuilder(Container::WAVE)
                                          .chunk("fmt ", waveFormat(1, 2, 22050, 12))
                                          .chunkClaiming("data", 100000, samples)
                                          .bytes());
    out.emplace_back("aifc-sowt", SoundFileBuilder(Container::AIFC)
                                      .chunk("COMM", commChunk(2, 40, 16, 32000, "sowt"))
                                      .chunk("SSND", ssndChunk(samples, 6))
                                      .bytes());
    out.emplace_back("aifc-compressed", SoundFileBuilder(Container::AIFC)
                                            .chunk("COMM", commChunk(1, 40, 16, 8000, "ima4"))
                                            .chunk("SSND", ssndChunk(samples))
                                            .bytes());
    return out;
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = korvel::tools::nameArgument(argc, argv, "soundfile-seeds", "FOLDER", nullptr);
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : seeds())
        writeBytes(folder / name, bytes);
    return 0;
}
