// Synthesises the game's sounds and writes them as C++ source, which the game compiles in.
//   make_sounds OUT.cpp
// Each cue is a few notes, every note a sum of sine partials under an envelope that rises from
// silence and falls back to exactly silence, so a cue starts and ends without a click. Levels
// leave room for three cues at once before the mix clips.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kRate = 48000;  // as sound::kRate

// One partial of a note: frequency as a multiple of the note's, level, and how fast it dies away
// (per second; 0 keeps it up until the note's release)
struct Partial {
    double ratio, level, decay;
};

using Timbre = std::vector<Partial>;

// A pure beep with a little edge to carry across a room
const Timbre kBeep{{1, 1, 0}, {2, 0.25, 0}, {3, 0.08, 0}};
// A struck bell: inharmonic partials, the high ones dying first
const Timbre kBell{{1, 1, 4}, {2, 0.5, 6}, {2.76, 0.35, 9}, {5.4, 0.2, 14}, {8.93, 0.08, 20}};
// A brass-like tone: the harmonics of a sawtooth up to about 5 kHz
Timbre brass(double frequency)
{
    Timbre timbre;
    for (int n = 1; n * frequency < 5000; ++n) timbre.push_back({double(n), 1.0 / n, 0});
    return timbre;
}
// A buzzer: two slightly detuned square waves (odd harmonics) beating against each other
Timbre buzz(double frequency)
{
    Timbre timbre;
    for (int n = 1; n * frequency < 4000; n += 2) {
        timbre.push_back({double(n), 1.0 / n, 0});
        timbre.push_back({n * 1.06, 0.8 / n, 0});
    }
    return timbre;
}

struct Note {
    double start, length;  // seconds
    double frequency, level;
    Timbre timbre;
    double attack = 0.004, release = 0.02;
};

struct Cue {
    const char* name;  // as the game's enum names it
    double peak;       // of full scale
    std::vector<Note> notes;
};

std::vector<Cue> cues()
{
    const double c5 = 523.25, e5 = 659.25, g5 = 783.99, c6 = 1046.5, e6 = 1318.5, g6 = 1568.0, c7 = 2093.0;
    return {
        // Each count of the countdown, then the start: an octave higher and held
        {"Count", 0.4, {{0, 0.09, 880, 1, kBeep}}},
        {"Go", 0.45, {{0, 0.45, 1760, 1, kBeep, 0.004, 0.12}}},
        // A false start: low, rough and long enough to be heard over the players
        {"FalseStart", 0.4, {{0, 0.5, 110, 1, buzz(110), 0.01, 0.06}}},
        // A runner crosses the finishing post; the winner gets a rising run of bells
        {"Finish", 0.35, {{0, 0.35, g6, 1, kBell, 0.002, 0.05}}},
        {"Win",
         0.4,
         {{0, 0.12, c6, 1, kBell, 0.002, 0.03},
          {0.08, 0.12, e6, 1, kBell, 0.002, 0.03},
          {0.16, 0.12, g6, 1, kBell, 0.002, 0.03},
          {0.24, 0.4, c7, 1, kBell, 0.002, 0.1}}},
        // A new record: ta-ta-ta-taaa, and the chord under the last note
        {"Record",
         0.45,
         {{0, 0.11, c5, 1, brass(c5), 0.01, 0.03},
          {0.13, 0.11, e5, 1, brass(e5), 0.01, 0.03},
          {0.26, 0.11, g5, 1, brass(g5), 0.01, 0.03},
          {0.39, 0.6, c6, 1, brass(c6), 0.01, 0.15},
          {0.39, 0.6, g5, 0.5, brass(g5), 0.01, 0.15},
          {0.39, 0.6, e5, 0.5, brass(e5), 0.01, 0.15}}},
    };
}

// A rise from 0 over `attack`, a fall to exactly 0 over the last `release` of the note (raised
// cosines, so the slope is smooth at both ends)
double envelope(const Note& note, double t)
{
    const auto ease = [](double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(x, 0.0, 1.0)); };
    return ease(t / note.attack) * ease((note.length - t) / note.release);
}

std::vector<double> render(const Cue& cue)
{
    double length = 0;
    for (const Note& note : cue.notes) length = std::max(length, note.start + note.length);
    std::vector<double> wave(std::size_t(std::ceil(length * kRate)) + 1, 0.0);
    for (const Note& note : cue.notes) {
        const auto first = std::size_t(std::round(note.start * kRate));
        for (std::size_t i = first; i < wave.size(); ++i) {
            const double t = double(i - first) / kRate;
            if (t > note.length) break;
            double sample = 0;
            for (const Partial& p : note.timbre)
                sample += p.level * std::exp(-p.decay * t) * std::sin(2 * std::numbers::pi * p.ratio * note.frequency * t);
            wave[i] += note.level * envelope(note, t) * sample;
        }
    }
    const double peak = std::ranges::max(wave, {}, [](double v) { return std::abs(v); });
    for (double& v : wave) v *= cue.peak / std::abs(peak);
    return wave;
}

bool write(const char* path)
{
    FILE* out = std::fopen(path, "w");
    if (!out) return false;
    std::fputs("// Written by tools/make_sounds.cpp at build time: the game's cues, mono 16-bit samples at 48 kHz.\n"
               "#include \"app/cues.h\"\n\nnamespace {\n",
               out);
    const std::vector<Cue> all = cues();
    for (const Cue& cue : all) {
        const std::vector<double> wave = render(cue);
        std::fprintf(out, "const std::int16_t k%s[%zu] = {", cue.name, wave.size());
        for (std::size_t i = 0; i < wave.size(); ++i)
            std::fprintf(out, "%s%d,", i % 16 ? "" : "\n", int(std::lround(wave[i] * 32767)));
        std::fputs("\n};\n", out);
    }
    std::fputs("}  // namespace\n\nsound::Samples cueSamples(Cue cue)\n{\n    switch (cue) {\n", out);
    for (const Cue& cue : all) std::fprintf(out, "    case Cue::%s: return k%s;\n", cue.name, cue.name);
    std::fputs("    }\n    return {};\n}\n", out);
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUT.cpp\n");
        return 2;
    }
    if (!write(argv[1])) {
        std::fprintf(stderr, "make_sounds: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
