// The benchmark's tables, from the results file scripts/bench.sh writes as it measures.
//   dravik_bench_report RESULTS
// RESULTS holds "set <name> <words...>" lines (how the run was made) and measurements
// "<build> <key> <value> [round]", build being "now" (this tree) or "was" (the older revision).
// Keys: frame.<size>.<case> and cpu.<size>.<case> (ms per frame, wall and processor),
// instr.<case> and calls.<case> (per frame), startup.<name>, and for the real program shown
// full screen power.<platform>.<size>.<phase>.<cpu|fps|xcpu|helpers>, rate.<platform>.<size>
// (the display mode's refresh rate as the program reads it) and paced (1 when it paces frames);
// the platforms wayland and xwayland are the show in a nested sway (helpers: the desktop's own).
#include <math.h>
#include <stdio.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Sample {
  double value;
  int round;
};
std::map<std::string, std::vector<Sample>> measured;  // by "<build> <key>"
std::map<std::string, std::vector<std::string>> settings;

std::string setting(const std::string& name, size_t i = 0) {
  const std::vector<std::string>& words = settings[name];
  return i < words.size() ? words[i] : "";
}
bool against() { return !setting("against").empty(); }

std::vector<double> values(const std::string& build, const std::string& key) {
  std::vector<double> v;
  for (const Sample& s : measured[build + " " + key]) v.push_back(s.value);
  std::sort(v.begin(), v.end());
  return v;
}

// The middle value, the lower of the two middle ones for an even count.
double median(std::vector<double> v) {
  if (v.empty()) return NAN;
  std::sort(v.begin(), v.end());
  return v[(v.size() - 1) / 2];
}
double median(const std::string& build, const std::string& key) {
  return median(values(build, key));
}

// The median over rounds of a / b, both measured in the same round.
double paired(const std::string& ba, const std::string& ka, const std::string& bb,
              const std::string& kb) {
  std::map<int, double> below;
  for (const Sample& s : measured[bb + " " + kb]) below[s.round] = s.value;
  std::vector<double> ratios;
  for (const Sample& s : measured[ba + " " + ka])
    if (below.count(s.round) && below[s.round] > 0) ratios.push_back(s.value / below[s.round]);
  return median(ratios);
}

// A number in a field of `width`, or "-" when it was not measured.
std::string cell(double x, int width, int decimals) {
  char text[64];
  if (isnan(x) || isinf(x) || x < 0)
    snprintf(text, sizeof text, "%*s", width, "-");
  else
    snprintf(text, sizeof text, "%*.*f", width, decimals, x);
  return text;
}

void frameTable() {
  const std::string size = setting("size");
  const char* cases[] = {"baseline", "desktop", "logo", "stars"};
  const char* titles[] = {"baseline: clear + swap", "phase 0: desktop + scroller",
                          "phase 1: logo zooming in", "phase 2: stars, falling desktop, logo"};
  printf(
      "Frame cost at %s, fixed step 1/60 s, glFinish after each swap; "
      "median of %s rounds x %s frames\n",
      size.c_str(), setting("rounds").c_str(), setting("frames").c_str());
  printf("%-38s %9s %11s %8s %7s %7s %11s %8s", "case", "ms/frame", "(range)", "frames/s", "x base",
         "cpu ms", "own instr", "GL calls");
  if (against())
    printf(" %9s %7s %7s %11s %7s", "was ms", "was/now", "cpu w/n", "was instr", "was/now");
  printf("\n");
  for (int i = 0; i < 4; i++) {
    std::string c = cases[i], frame = "frame." + size + "." + c, cpu = "cpu." + size + "." + c;
    bool base = c == "baseline";
    std::vector<double> ms = values("now", frame);
    char range[32] = "-";
    if (!ms.empty()) snprintf(range, sizeof range, "%.1f-%.1f", ms.front(), ms.back());
    double wall = median(ms), instr = base ? 0 : median("now", "instr." + c);
    printf("%-38s %s %11s %s %s %s %s %s", titles[i], cell(wall, 9, 2).c_str(), range,
           cell(1000 / wall, 8, 1).c_str(),
           cell(paired("now", frame, "now", "frame." + size + ".baseline"), 7, 2).c_str(),
           cell(median("now", cpu), 7, 2).c_str(), cell(instr, 11, 0).c_str(),
           cell(base ? 1 : median("now", "calls." + c), 8, 0).c_str());
    if (against()) {
      double wasInstr = base ? 0 : median("was", "instr." + c);
      printf(" %s %s %s %s %s", cell(median("was", frame), 9, 2).c_str(),
             cell(paired("was", frame, "now", frame), 7, 2).c_str(),
             cell(paired("was", cpu, "now", cpu), 7, 2).c_str(), cell(wasInstr, 11, 0).c_str(),
             cell(base ? -1 : wasInstr / instr, 7, 2).c_str());
    }
    printf("\n");
  }
  printf(
      "ms/frame: median wall time over the rounds, (range) their least and greatest; it follows\n"
      "the load of the machine. x base: median over the rounds of each round's ratio to the\n"
      "baseline of that round. cpu ms: processor time of the benchmark's threads per frame (the\n"
      "renderer's included, the X server's not), steadier than wall time when the machine is "
      "busy.\n");
  if (against())
    printf(
        "was/now of ms and of cpu ms (cpu w/n): like x base, the two builds taking turns within\n"
        "each round.\n");
  printf(
      "own instr (callgrind, %s frames; outside OpenGL, C and maths libraries included) and GL\n"
      "calls per frame are exact and repeat from run to run.\n\n",
      setting("cgframes").c_str());
}

void startupTable() {
  const char* rows[][2] = {
      {"first_frame_ms", "process start to first presented frame, ms"},
      {"context_ms", "  of which: process start to current GL context, ms"},
      {"loading_ms", "  of which: loading the pictures (first open to last upload), ms"},
      {"uploading_ms", "    of which inside glTexImage2D, ms"},
      {"load_instr_m", "    own instructions for loading (callgrind), millions"},
      {"first_draw_ms", "  of which: first frame, last upload to its swap, ms"},
      {"picture_opens", "picture files opened"},
      {"peak_loading_kb", "peak memory to the first frame (start-up, loading), MB"},
      {"peak_running_kb", "peak memory while running, MB"},
      {"running_fps", "frames/s of the real program (phase 0, main loop included)"}};
  printf(
      "Start-up of the real program at %s, median of %s runs (each then runs %s s full screen);\n"
      "times vary by some per cent, the first frame most (it compiles the renderer's shaders)\n",
      setting("size").c_str(), setting("runs").c_str(), setting("seconds").c_str());
  for (auto& row : rows) {
    std::string key = std::string("startup.") + row[0];
    double scale = key.find("_kb") != std::string::npos ? 1024 : 1;
    double now = median("now", key) / scale, was = median("was", key) / scale;
    printf("  %-62s %s", row[1], cell(now, 9, 1).c_str());
    if (against())
      printf("   was %s  was/now %s", cell(was, 9, 1).c_str(), cell(was / now, 5, 2).c_str());
    printf("\n");
  }
  printf("\n");
}

void powerTable() {
  const std::vector<std::string>& sizes = settings["power_sizes"];
  if (sizes.empty()) return;
  const char* platforms[][2] = {{"linux", "Linux"}, {"wine", "Wine"}};
  const char* phases[][2] = {{"desktop", "0 desktop"}, {"stars", "2 stars"}};
  bool paced = median("now", "paced") == 1;
  printf(
      "Power: the real program shown full screen, median of %s runs; windows counted from its\n"
      "first presented frame: phase 0 from %s to %s s, phase 2 from %s to %s s\n",
      setting("power_runs").c_str(), setting("windows", 0).c_str(), setting("windows", 1).c_str(),
      setting("windows", 2).c_str(), setting("windows", 3).c_str());
  printf("%-5s %-9s %-9s %5s %8s %6s %6s %6s %7s %6s", "on", "size", "phase", "paced", "frames/s",
         "CPU/s", "X/s", "Wine/s", "60f CPU", "/60f");
  if (against()) printf(" | %8s %6s %6s %7s %7s", "frames/s", "CPU/s", "X/s", "fps w/n", "CPU w/n");
  printf("\n");
  std::string modes;
  for (auto& platform : platforms) {
    modes += std::string(modes.empty() ? "" : "; ") + platform[1];
    for (const std::string& size : sizes) {
      double rate = median("now", std::string("rate.") + platform[0] + "." + size);
      modes += " " + size + " " + cell(rate, 0, 0) + " Hz";
      double paceHz = rate > 1 ? rate : 60;  // the program's rule: 60 Hz when the mode gives none
      for (auto& phase : phases) {
        std::string key = std::string("power.") + platform[0] + "." + size + "." + phase[0] + ".";
        double cpu = median("now", key + "cpu");
        double sixty = 60 * median("now", "cpu." + size + "." + phase[0]) / 1000;
        printf("%-5s %-9s %-9s %s %s %s %s %s %s %s", platform[1], size.c_str(), phase[1],
               cell(paced ? paceHz : -1, 5, 0).c_str(),
               cell(median("now", key + "fps"), 8, 1).c_str(), cell(cpu, 6, 3).c_str(),
               cell(median("now", key + "xcpu"), 6, 3).c_str(),
               cell(median("now", key + "helpers"), 6, 3).c_str(), cell(sixty, 7, 3).c_str(),
               cell(cpu / sixty, 6, 2).c_str());
        if (against())
          printf(" | %s %s %s %s %s", cell(median("was", key + "fps"), 8, 1).c_str(),
                 cell(median("was", key + "cpu"), 6, 3).c_str(),
                 cell(median("was", key + "xcpu"), 6, 3).c_str(),
                 cell(paired("was", key + "fps", "now", key + "fps"), 7, 2).c_str(),
                 cell(paired("was", key + "cpu", "now", key + "cpu"), 7, 2).c_str());
        printf("\n");
      }
    }
  }
  printf(
      "paced: the rate the program paces its frames to, Hz: the display mode's refresh rate as\n"
      "the program reads it (Linux: RandR; Wine: EnumDisplaySettings), 60 when the mode gives "
      "none\n"
      "(0). Read here: %s.\n"
      "frames/s: frames presented (swaps counted: a preloaded probe on Linux, Wine's OpenGL "
      "trace).\n"
      "CPU/s: processor seconds per second of showing of the program's process (all its threads,\n"
      "the renderer's among them; under Wine the process running Dravik.scr). Not counted in it,\n"
      "shown apart: X/s, the Xvfb server's; Wine/s, Wine's other processes (wineserver, "
      "services).\n"
      "60f CPU: 60 x the frame benchmark's cpu ms per frame of the phase at that size, the cost "
      "of\n"
      "drawing exactly 60 frames a second. /60f: CPU/s over it; about 1 when the program draws 60\n"
      "frames a second and costs nothing while it waits, below 1 when it cannot keep up.\n"
      "Phase 1, the logo zooming in, lasts under half a second (from 15 s after the first frame)\n"
      "and is not measured apart.\n",
      modes.c_str());
  if (against())
    printf(
        "Right of |: the older revision's program (%s), the two\n"
        "taking turns run by run; fps w/n and CPU w/n: median over the runs of was/now.\n",
        median("was", "paced") == 1 ? "it paces its frames too" : "it does not pace its frames");
}

// The same show natively on Wayland and through Xwayland, in one nested sway, this tree's build.
void waylandTable() {
  const std::string size = setting("wayland_size");
  if (size.empty()) return;
  const char* ways[][2] = {{"wayland", "native"}, {"xwayland", "Xwayland"}};
  const char* phases[][2] = {{"desktop", "0 desktop"}, {"stars", "2 stars"}};
  printf(
      "\nOn a Wayland desktop: the show full screen in a nested sway (its output %s, scale 1),\n"
      "as a native Wayland program and through Xwayland (DRAVIK_BACKEND=x11), taking turns; "
      "median\nof %s runs, the same phase windows\n",
      size.c_str(), setting("power_runs").c_str());
  printf("%-9s %-9s %8s %6s %9s %6s %9s\n", "as", "phase", "frames/s", "CPU/s", "desktop/s", "X/s",
         "CPU n/x");
  for (auto& phase : phases)
    for (auto& way : ways) {
      std::string key = std::string("power.") + way[0] + "." + size + "." + phase[0] + ".";
      std::string xkey = std::string("power.xwayland.") + size + "." + phase[0] + ".cpu";
      printf("%-9s %-9s %s %s %s %s %s\n", way[1], phase[1],
             cell(median("now", key + "fps"), 8, 1).c_str(),
             cell(median("now", key + "cpu"), 6, 3).c_str(),
             cell(median("now", key + "helpers"), 9, 3).c_str(),
             cell(median("now", key + "xcpu"), 6, 3).c_str(),
             cell(paired("now", key + "cpu", "now", xkey), 9, 2).c_str());
    }
  printf(
      "CPU/s: the program's processor seconds per second of showing. desktop/s: the nested\n"
      "desktop's (sway, and its Xwayland). X/s: the outer Xvfb's, which shows sway's output.\n"
      "CPU n/x: native over Xwayland, median over runs of the ratio (below 1: native costs "
      "less).\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s RESULTS\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 1;
  }
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string build, key, word;
    if (!(words >> build >> key)) continue;
    if (build == "set") {
      settings[key].clear();
      while (words >> word) settings[key].push_back(word);
      continue;
    }
    Sample s{NAN, 0};
    if (words >> s.value) {
      words >> s.round;
      measured[build + " " + key].push_back(s);
    }
  }
  frameTable();
  startupTable();
  powerTable();
  waylandTable();
  return 0;
}
