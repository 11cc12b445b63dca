// Runs the peer runners in interleaved rounds and prints medians, ratios, the fill
// floor, picture agreement with vela's frame and GL draw calls per 1,000-sprite frame.
// Run it inside one X display (bench/peers/run.sh does): every runner opens its window
// there in turn.
//   peer_driver --bin DIR --out DIR [--rounds 5] [--counts 1000,10000,100000]
//               [--frames 3] [--seconds 1] [--no-fill] [--no-trace]
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "draw_call_count.h"
#include "frame_compare.h"
#include "frame_file.h"
#include "scene.h"
#include "vela/core/command_line.h"

namespace {

struct Runner {
    const char* name;
    const char* program;
    const char* variant;
};

// vela first: the others are compared with it.
const Runner kRunners[] = {
    {"vela", "peer_vela", ""},
    {"SDL_Renderer", "peer_sdl", ""},
    {"SFML_Sprite", "peer_sfml", "sprite"},
    {"SFML_VertexArray", "peer_sfml", "vertexarray"},
    {"Allegro_held", "peer_allegro", ""},
};

struct Case {
    peers::SceneKind scene;
    int count;
};

struct DriverOptions {
    std::string bin;
    std::string out;
    int rounds = 5;
    std::vector<int> counts = {1000, 10000, 100000};
    int frames = 3;
    double seconds = 1.0;
    bool fill = true;
    bool trace = true;
};

bool ParseCounts(const char* text, std::vector<int>& counts) {
    counts.clear();
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        const long n = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || n < 1 || n > 1000000) {
            return false;
        }
        counts.push_back(static_cast<int>(n));
    }
    return !counts.empty();
}

bool ParseDriverOptions(int argc, char** argv, DriverOptions& options) {
    // --frames is the option every program on vela shares; the rest are the driver's own.
    vela::ProgramOptions shared;
    vela::CommandLine line(shared, "peer_driver",
                           "Runs every peer runner in interleaved rounds and reports.");
    for (const char* unused :
         {"--screenshot", "--fixed-step", "--fullscreen", "--window", "--no-vsync"}) {
        line.Drop(unused);
    }
    DriverOptions& o = options;
    auto text = [](std::string& field) {
        return [&field](const std::string& value, std::string&) {
            field = value;
            return true;
        };
    };
    auto flag = [](bool& field) {
        return [&field](const std::string&, std::string&) {
            field = false;
            return true;
        };
    };
    line.Add("--bin", "DIR", "where the runners are", text(o.bin));
    line.Add("--out", "DIR", "where the report goes", text(o.out));
    line.Add("--rounds", "R", "rounds, 1 to 100", [&o](const std::string& value, std::string& e) {
        o.rounds = std::atoi(value.c_str());
        e = "--rounds: '" + value + "' is out of range";
        return o.rounds >= 1 && o.rounds <= 100;
    });
    line.Add("--seconds", "S", "time each case at least this long, 0 to 600",
             [&o](const std::string& value, std::string& e) {
                 o.seconds = std::atof(value.c_str());
                 e = "--seconds: '" + value + "' is out of range";
                 return o.seconds >= 0.0 && o.seconds <= 600.0;
             });
    line.Add("--counts", "N,N,...", "sprite counts",
             [&o](const std::string& value, std::string& e) {
                 e = "--counts: '" + value + "' is out of range";
                 return ParseCounts(value.c_str(), o.counts);
             });
    line.Add("--no-fill", "", "leave out the fill floor", flag(o.fill));
    line.Add("--no-trace", "", "leave out the draw-call count", flag(o.trace));
    int status = 0;
    if (!line.ParseForProgram(argc, argv, status)) {
        return false;
    }
    if (shared.frames > 10000) {
        std::fprintf(stderr, "--frames: at most 10000\n");
        return false;
    }
    if (shared.frames > 0) {
        options.frames = static_cast<int>(shared.frames);
    }
    if (options.bin.empty() || options.out.empty()) {
        std::fprintf(stderr, "peer_driver: --bin and --out are needed (try --help)\n");
        return false;
    }
    return true;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

std::string CaseLabel(const Case& c) {
    if (c.scene == peers::SceneKind::kEmpty) {
        return "empty frame";
    }
    return std::string(c.scene == peers::SceneKind::kFill ? "fill " : "sprites ") +
           std::to_string(c.count);
}

std::string FramePath(const DriverOptions& options, const Runner& runner, const Case& c) {
    return options.out + "/" + runner.name + "_" + peers::SceneKindName(c.scene) + "_" +
           std::to_string(c.count) + ".ppm";
}

std::string Command(const DriverOptions& options, const Runner& runner, const Case& c, int frames,
                    double seconds, int max_frames, const std::string& save) {
    // A runner stuck on its display must not stall the whole run.
    std::string command = "timeout 600 '" + options.bin + "/" + runner.program + "'" + " --scene " +
                          peers::SceneKindName(c.scene) + " --count " + std::to_string(c.count) +
                          " --frames " + std::to_string(frames) + " --seconds " +
                          std::to_string(seconds) + " --max-frames " + std::to_string(max_frames);
    if (runner.variant[0]) {
        command += std::string(" --variant ") + runner.variant;
    }
    if (!save.empty()) {
        command += " --save '" + save + "'";
    }
    return command;
}

// Runs one runner and reads its result line; false when it fails or prints none.
bool RunOnce(const std::string& command, double& wall_ms, double& cpu_ms) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return false;
    }
    char line[512];
    bool found = false;
    while (std::fgets(line, sizeof line, pipe)) {
        const char* wall = std::strstr(line, "median_ms=");
        const char* cpu = std::strstr(line, "cpu_median_ms=");
        if (std::strncmp(line, "result ", 7) == 0 && wall && cpu) {
            wall_ms = std::atof(wall + 10);
            cpu_ms = std::atof(cpu + 14);
            found = true;
        }
    }
    return pclose(pipe) == 0 && found;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

struct Samples {
    std::vector<double> wall;
    std::vector<double> cpu;
    int failures = 0;
};

// medians[case][runner] in ms, negative where the runner failed.
using Medians = std::vector<std::vector<double>>;

// The fastest peer (runner 1 on) of a case; 0 when none ran.
size_t BestPeer(const std::vector<double>& row) {
    size_t best = 0;
    for (size_t r = 1; r < row.size(); ++r) {
        if (row[r] > 0 && (best == 0 || row[r] < row[best])) {
            best = r;
        }
    }
    return best;
}

// The fill floor of `count` sprites: the fastest library's few large quads; -1 if none.
double FillFloor(const std::vector<Case>& cases, const Medians& medians, int count) {
    double floor = -1;
    for (size_t f = 0; f < cases.size(); ++f) {
        if (cases[f].scene != peers::SceneKind::kFill || cases[f].count != count) {
            continue;
        }
        for (double ms : medians[f]) {
            if (ms > 0 && (floor < 0 || ms < floor)) {
                floor = ms;
            }
        }
    }
    return floor;
}

void PrintSummary(const char* measure, const std::vector<Case>& cases,
                  const std::vector<Runner>& runners, const Medians& medians) {
    std::printf(
        "\nsummary, %s ms per frame: ratio = best peer / vela (1.0 or more: vela ahead); "
        "floor = fastest library's fill of the same pixel area\n\n",
        measure);
    std::printf(
        "| sprites | vela | best peer | peer | ratio | fill floor | vela / floor |\n"
        "|---|---|---|---|---|---|---|\n");
    for (size_t c = 0; c < cases.size(); ++c) {
        if (cases[c].scene != peers::SceneKind::kSprites) {
            continue;
        }
        const double vela = medians[c][0];
        const size_t best = BestPeer(medians[c]);
        const double floor = FillFloor(cases, medians, cases[c].count);
        char floor_text[32] = "-", floor_ratio[32] = "-";
        if (floor > 0) {
            std::snprintf(floor_text, sizeof floor_text, "%.2f", floor);
        }
        if (floor > 0 && vela > 0) {
            std::snprintf(floor_ratio, sizeof floor_ratio, "%.2f", vela / floor);
        }
        if (vela > 0 && best != 0) {
            std::printf("| %d | %.2f | %s | %.2f | %.2f | %s | %s |\n", cases[c].count, vela,
                        runners[best].name, medians[c][best], medians[c][best] / vela, floor_text,
                        floor_ratio);
        } else {
            std::printf("| %d | %s | - | - | - | %s | - |\n", cases[c].count,
                        vela > 0 ? "no peer" : "failed", floor_text);
        }
    }
    const size_t best = BestPeer(medians[0]);
    if (medians[0][0] > 0 && best != 0) {
        std::printf("\nempty frame, %s: vela %.2f ms, best peer %s %.2f ms, vela / peer %.2f\n",
                    measure, medians[0][0], runners[best].name, medians[0][best],
                    medians[0][0] / medians[0][best]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    DriverOptions options;
    if (!ParseDriverOptions(argc, argv, options)) {
        return 2;
    }
    if (mkdir(options.out.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "could not make %s\n", options.out.c_str());
        return 1;
    }

    std::vector<Runner> runners;
    for (const Runner& runner : kRunners) {
        if (Exists(options.bin + "/" + runner.program)) {
            runners.push_back(runner);
        } else {
            std::printf("%s: %s/%s not built, left out\n", runner.name, options.bin.c_str(),
                        runner.program);
        }
    }
    if (runners.empty() || std::strcmp(runners[0].name, "vela") != 0) {
        std::fprintf(stderr, "peer_vela is not in %s\n", options.bin.c_str());
        return 1;
    }

    std::vector<Case> cases = {{peers::SceneKind::kEmpty, 0}};
    for (int n : options.counts) {
        cases.push_back({peers::SceneKind::kSprites, n});
    }
    if (options.fill) {
        for (int n : options.counts) {
            cases.push_back({peers::SceneKind::kFill, n});
        }
    }

    // samples[case][runner]
    std::vector<std::vector<Samples>> samples(cases.size(), std::vector<Samples>(runners.size()));
    for (int round = 0; round < options.rounds; ++round) {
        for (size_t c = 0; c < cases.size(); ++c) {
            for (size_t k = 0; k < runners.size(); ++k) {
                // Each round starts with another library, so drift in the machine's load
                // does not always land on the same one.
                const size_t r = (k + static_cast<size_t>(round)) % runners.size();
                const std::string save = round == 0 ? FramePath(options, runners[r], cases[c]) : "";
                const std::string command = Command(options, runners[r], cases[c], options.frames,
                                                    options.seconds, 1000, save);
                double wall = 0, cpu = 0;
                Samples& s = samples[c][r];
                if (RunOnce(command, wall, cpu)) {
                    s.wall.push_back(wall);
                    s.cpu.push_back(cpu);
                } else {
                    ++s.failures;
                    std::fprintf(stderr, "failed: %s\n", command.c_str());
                }
                std::fprintf(stderr, "round %d/%d  %-14s %-17s %9.2f ms\n", round + 1,
                             options.rounds, CaseLabel(cases[c]).c_str(), runners[r].name, wall);
            }
        }
    }

    std::printf(
        "\nms per frame (clear, draw, present, finish), %d interleaved rounds; median of "
        "the rounds' medians, [lowest..highest round], process CPU ms\n\n",
        options.rounds);
    std::printf("| case | library | wall ms | rounds | CPU ms |\n|---|---|---|---|---|\n");
    Medians wall_medians(cases.size(), std::vector<double>(runners.size(), -1));
    Medians cpu_medians = wall_medians;
    for (size_t c = 0; c < cases.size(); ++c) {
        for (size_t r = 0; r < runners.size(); ++r) {
            const Samples& s = samples[c][r];
            if (s.wall.empty()) {
                std::printf("| %s | %s | failed | | |\n", CaseLabel(cases[c]).c_str(),
                            runners[r].name);
                continue;
            }
            wall_medians[c][r] = Median(s.wall);
            cpu_medians[c][r] = Median(s.cpu);
            std::printf("| %s | %s | %.2f | %.2f..%.2f | %.2f |\n", CaseLabel(cases[c]).c_str(),
                        runners[r].name, wall_medians[c][r],
                        *std::min_element(s.wall.begin(), s.wall.end()),
                        *std::max_element(s.wall.begin(), s.wall.end()), cpu_medians[c][r]);
        }
    }

    PrintSummary("wall", cases, runners, wall_medians);
    PrintSummary("CPU", cases, runners, cpu_medians);

    std::printf(
        "\npicture agreement with vela's frame (RGB; a pixel differs when a channel is "
        "off by more than %d levels; agreement: mean <= %.1f levels and <= %.1f %% of "
        "pixels differing)\n\n| case | library | mean abs | pixels differing | verdict "
        "|\n|---|---|---|---|---|\n",
        peers::kLevelTolerance, peers::kMeanTolerance, peers::kShareTolerance * 100);
    int disagreements = 0;
    for (const Case& c : cases) {
        peers::FrameImage reference;
        if (!Exists(FramePath(options, runners[0], c)) ||
            !peers::LoadFrame(FramePath(options, runners[0], c), reference)) {
            continue;
        }
        for (size_t r = 1; r < runners.size(); ++r) {
            peers::FrameImage frame;
            peers::FrameDifference difference;
            if (!Exists(FramePath(options, runners[r], c)) ||
                !peers::LoadFrame(FramePath(options, runners[r], c), frame) ||
                !peers::CompareFrames(reference, frame, difference)) {
                std::printf("| %s | %s | - | - | no frame |\n", CaseLabel(c).c_str(),
                            runners[r].name);
                continue;
            }
            const bool agree = peers::FramesAgree(difference);
            disagreements += !agree;
            std::printf("| %s | %s | %.4f | %.3f %% | %s |\n", CaseLabel(c).c_str(),
                        runners[r].name, difference.mean_absolute, difference.share_differing * 100,
                        agree ? "agrees" : "DIFFERS");
        }
    }

    if (options.trace) {
        if (!peers::ApitraceAvailable()) {
            std::printf("\napitrace is not installed: no draw-call counts\n");
        } else {
            std::printf(
                "\nGL calls in one 1,000-sprite frame (apitrace, the last of four)\n\n"
                "| library | draw calls | GL calls |\n|---|---|---|\n");
            const Case c{peers::SceneKind::kSprites, 1000};
            for (const Runner& runner : runners) {
                peers::DrawCallCount count;
                const std::string trace = options.out + "/" + runner.name + ".trace";
                if (peers::CountDrawCalls(Command(options, runner, c, 3, 0.0, 3, ""), trace,
                                          count)) {
                    std::printf("| %s | %d | %d |\n", runner.name, count.draws, count.calls);
                } else {
                    std::printf("| %s | failed | |\n", runner.name);
                }
                std::remove(trace.c_str());
            }
        }
    }
    return disagreements == 0 ? 0 : 3;
}
