// Each hot path of the image library against the tool a user would pick for
// the same job, doing the same work, in one run on two 12-megapixel pictures
// (a 4:4:4 plasma and a photograph-like 4:2:0 picture).
//
//   peer_bench [rounds]                    both tables: one thread, all cores
//   peer_bench --one OP IN OUT TINY TINYOUT  one operation in a fresh process
//   peer_bench --make FOLDER               the test files only, to keep
//   peer_bench --table FOLDER ROUNDS       one table on them (threads from
//                                          MIVO_IMAGE_THREADS, VIPS_CONCURRENCY)
//
// Like with like:
// - every operation reads the same untouched file each round and both sides
//   read and write the same kind of place: a decode reads the JPEG and keeps
//   the pixels (ours in memory, djpeg to /dev/null); the other operations
//   read a file and write one (ours a BMP, vips its .v, cjpeg a JPEG);
// - ours runs warm (in this process, run once just before) and cold (a fresh
//   process, `--one`); every peer runs as a process; start-up is the same
//   operation on an 8 x 6 crop of the picture (ours: in the same process,
//   just before); the headline ratio is processor time net of start-up, raw
//   wall times beside;
// - the peers do the same arithmetic where they can (5-tap Gaussian, 2 x 2
//   area average, the 1/8 decode's fast transform without fancy upsampling);
//   the thumbnail rows differ in method and say how.
//
// Medians and minima of alternating rounds (at least 7). Needs djpeg and
// cjpeg (libjpeg-turbo-progs) and vips (libvips-tools), for benchmarking only.
#include "image/BMPFile.h"
#include "image/ImageFilter.h"
#include "image/ImageObject.h"
#include "image/JPGFile.h"
#include <mivo/paths.h>

#include "BenchPicture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const int kWidth = 4000, kHeight = 3000;
const int kTinyWidth = 8, kTinyHeight = 6;
const int kLeastRounds = 7;

std::string Win(const std::string& posix) { return mivo::FromPosixPath(posix); }

// --- The operations of our side, the same code warm and cold.

const int kGauss[25] = {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1};

bool SaveBmp(const CImageObject* img, const std::string& out)
{
    return img && CBMPFile().SaveBMP(Win(out).c_str(), img->GetImageBuf(), img->GetWidth(), img->GetHeight());
}

double CpuMs(const rusage& u)
{
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

bool RunOurs(const std::string& op, const std::string& in, const std::string& out)
{
    CImageObject img;
    if (op == "decode")
        return img.LoadImageFromFile(Win(in).c_str(), 0) == 1;
    if (op == "eighth") {
        UINT w, h;
        std::unique_ptr<BYTE[]> block(CJPGFile().JpegFileToRGBScaled(Win(in).c_str(), 125, &w, &h, 0));
        return block != nullptr;
    }
    if (op == "thumb") {
        CSize full;
        return img.LoadThumbnail(Win(in).c_str(), Win(out + ".exif").c_str(), CSize(160, 120), &full, 0) > 0 &&
               CJPGFile().RGBToJpegFile(Win(out).c_str(), img.GetImageBuf(), img.GetWidth(), img.GetHeight(), TRUE,
                                        75);
    }
    if (!img.LoadImageFromFile(Win(in).c_str(), 0))
        return false;
    if (op == "encode")
        return CJPGFile().RGBToJpegFile(Win(out).c_str(), img.GetImageBuf(), img.GetWidth(), img.GetHeight(), TRUE,
                                        95);
    if (op == "half")
        return SaveBmp(std::unique_ptr<CImageObject>(img.Resample(img.GetWidth() / 2, img.GetHeight() / 2, 3)).get(),
                       out);
    if (op == "gauss") {
        std::vector<int> kernel(kGauss, kGauss + 25);
        return CImageFilter(&img).Filtering(kernel.data(), 5, 256, 0) && SaveBmp(&img, out);
    }
    if (op == "rotate")
        return SaveBmp(std::unique_ptr<CImageObject>(img.RotateAngle(10)).get(), out);
    return false;
}

// --- Timing.


struct Took {
    double wall = 0, cpu = 0;
};

double Now()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// `--one`: the operation in this fresh process, first on the 8 x 6 crop as
// the peers' start-up is measured (loading, binding the library's symbols,
// its one-time set-up), then on the picture. What the first part took goes
// to descriptor 3 when the caller opened one; the caller takes it off what
// wait4 reports, which leaves the operation with its first-touch costs.
int OneOperation(char** args)
{
    const std::string op = args[0];
    if (!RunOurs(op, args[3], args[4]))
        return 1;
    rusage u;
    getrusage(RUSAGE_SELF, &u);
    if (fcntl(3, F_GETFD) != -1) {
        const std::string text = std::to_string(CpuMs(u));
        if (write(3, text.data(), text.size()) < 0)
            return 1;
        close(3);
    }
    return RunOurs(op, args[1], args[2]) ? 0 : 1;
}

// A process from an argument vector, output discarded; its own processor
// time from wait4 (no shell in between). With `report`, the process gets a
// pipe as descriptor 3 and what it writes there comes back.
Took Spawn(const std::vector<std::string>& args, std::string* report = nullptr)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    int channel[2] = {-1, -1};
    if (report && pipe(channel) == 0) {
        posix_spawn_file_actions_addclose(&actions, channel[0]);  // it may be 3 itself
        posix_spawn_file_actions_adddup2(&actions, channel[1], 3);
    }
    Took took;
    const double start = Now();
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        fprintf(stderr, "cannot start %s\n", argv[0]);
        exit(1);
    }
    if (channel[1] >= 0)
        close(channel[1]);
    int status = 0;
    rusage usage;
    wait4(pid, &status, 0, &usage);
    took.wall = Now() - start;
    took.cpu = CpuMs(usage);
    posix_spawn_file_actions_destroy(&actions);
    if (channel[0] >= 0) {
        char text[64];
        const ssize_t n = read(channel[0], text, sizeof text - 1);
        report->assign(text, size_t(std::max<ssize_t>(0, n)));
        close(channel[0]);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::string line;
        for (const std::string& a : args)
            line += a + " ";
        fprintf(stderr, "failed: %s\n", line.c_str());
        exit(1);
    }
    return took;
}

Took InProcess(const std::function<void()>& work)
{
    rusage before, after;
    getrusage(RUSAGE_SELF, &before);
    const double start = Now();
    work();
    Took took;
    took.wall = Now() - start;
    getrusage(RUSAGE_SELF, &after);
    took.cpu = CpuMs(after) - CpuMs(before);
    return took;
}

struct Series {
    std::vector<double> v;
    double Median() const
    {
        std::vector<double> s = v;
        std::sort(s.begin(), s.end());
        const size_t n = s.size();
        return n == 0 ? 0 : n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
    }
    double Min() const { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
};

// What a row measures, both sides.
struct Row {
    const char* name;
    const char* op;      // ours, `--one OP`
    const char* input;   // "jpg", "bmp"; the peer's input kind below
    const char* output;  // file extension of ours, "" for none
    std::string peerName;
    std::function<std::vector<std::string>(const std::string& base, const std::string& out)> peer;
    bool multiThreadedPeer;
};

struct Figures {
    Series warmCpu, warmWall, coldCpu, coldWall, ourStartCpu;
    Series peerCpu, peerWall, peerStartCpu, peerStartWall;
};

// Net processor time: the median less the median start-up, the minimum less
// the minimum start-up.
struct Net {
    double median, min;
};
Net Less(const Series& whole, const Series& start)
{
    return {whole.Median() - start.Median(), whole.Min() - start.Min()};
}

std::string Pair(double median, double min)
{
    char text[48];
    snprintf(text, sizeof text, "%.1f/%.1f", median, min);
    return text;
}

std::string LoadAverage()
{
    char text[64] = "?";
    if (FILE* f = fopen("/proc/loadavg", "r")) {
        double a, b, c;
        if (fscanf(f, "%lf %lf %lf", &a, &b, &c) == 3)
            snprintf(text, sizeof text, "%.2f %.2f %.2f", a, b, c);
        fclose(f);
    }
    return text;
}

std::string Self()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, size_t(n)) : "peer_bench";
}

// The files of one picture: base.jpg, .bmp, .ppm, .v, and the same for the
// 8 x 6 crop as base-tiny.*.
struct Picture {
    std::string name, base, tiny, describe;
};

Figures Measure(const Row& row, const Picture& pic, const std::string& folder, int rounds)
{
    const std::string in = pic.base + "." + row.input;
    const std::string out = folder + "/ours." + (row.output[0] ? row.output : "none");
    const std::string peerOut = folder + "/peer", tinyPeerOut = folder + "/peer-tiny";
    const std::string tinyIn = pic.tiny + "." + row.input;
    const std::string tinyOut = folder + "/ours-tiny." + (row.output[0] ? row.output : "none");
    const std::vector<std::string> ours = {Self(), "--one", row.op, in, out, tinyIn, tinyOut};
    const std::vector<std::string> peer = row.peer(pic.base, peerOut), peerTiny = row.peer(pic.tiny, tinyPeerOut);
    Figures f;
    RunOurs(row.op, in, out);  // file cache
    Spawn(peer);
    for (int r = 0; r < rounds; ++r) {
        auto oursSide = [&] {
            RunOurs(row.op, in, out);
            const Took warm = InProcess([&] { RunOurs(row.op, in, out); });
            f.warmCpu.v.push_back(warm.cpu), f.warmWall.v.push_back(warm.wall);
            std::string startup;
            const Took cold = Spawn(ours, &startup);
            const double start = atof(startup.c_str());
            f.coldCpu.v.push_back(cold.cpu - start), f.coldWall.v.push_back(cold.wall);
            f.ourStartCpu.v.push_back(start);
        };
        auto peerSide = [&] {
            const Took whole = Spawn(peer);
            f.peerCpu.v.push_back(whole.cpu), f.peerWall.v.push_back(whole.wall);
            const Took start = Spawn(peerTiny);
            f.peerStartCpu.v.push_back(start.cpu), f.peerStartWall.v.push_back(start.wall);
        };
        if (r % 2) {
            peerSide();
            oursSide();
        } else {
            oursSide();
            peerSide();
        }
    }
    return f;
}

void PrintHeader()
{
    printf("%-16s %-36s | %-29s | %-21s | %-10s %-10s | %-35s | %s\n", "", "",
           "processor ms net of start-up", "ratio, median (min)", "start-up", "", "raw wall ms", "");
    printf("%-16s %-36s | %-9s %-9s %-9s | %-10s %-10s | %-10s %-10s | %-8s %-8s %-8s %-8s | %s\n", "operation", "peer",
           "ours warm", "ours cold", "peer", "warm", "cold", "ours cpu", "peer cpu", "warm", "cold", "peer",
           "peer start", "ratio");
}

void PrintRow(const Row& row, const Figures& f)
{
    const Net cold = {f.coldCpu.Median(), f.coldCpu.Min()}, peer = Less(f.peerCpu, f.peerStartCpu);
    char warmRatio[32], coldRatio[32], wallRatio[32];
    // A peer whose start-up varies more than its work leaves no net minimum.
    auto ratio = [](char* text, size_t size, double median, double peerMedian, double min, double peerMin) {
        if (peerMin > 0)
            snprintf(text, size, "%.2f (%.2f)", median / peerMedian, min / peerMin);
        else
            snprintf(text, size, "%.2f (-)", median / peerMedian);
    };
    ratio(warmRatio, sizeof warmRatio, f.warmCpu.Median(), peer.median, f.warmCpu.Min(), peer.min);
    ratio(coldRatio, sizeof coldRatio, cold.median, peer.median, cold.min, peer.min);
    snprintf(wallRatio, sizeof wallRatio, "%.2f", f.coldWall.Median() / f.peerWall.Median());
    printf("%-16s %-36s | %-9s %-9s %-9s | %-10s %-10s | %-10s %-10s | %-8.1f %-8.1f %-8.1f %-10.1f | %s\n", row.name,
           row.peerName.c_str(), Pair(f.warmCpu.Median(), f.warmCpu.Min()).c_str(),
           Pair(cold.median, cold.min).c_str(), Pair(peer.median, peer.min).c_str(), warmRatio, coldRatio,
           Pair(f.ourStartCpu.Median(), f.ourStartCpu.Min()).c_str(),
           Pair(f.peerStartCpu.Median(), f.peerStartCpu.Min()).c_str(), f.warmWall.Median(), f.coldWall.Median(),
           f.peerWall.Median(), f.peerStartWall.Median(), wallRatio);
    fflush(stdout);
}

std::vector<Row> Rows()
{
    using Args = std::vector<std::string>;
    return {
        {"whole decode", "decode", "jpg", "", "djpeg -rgb (to /dev/null)",
         [](const std::string& b, const std::string&) { return Args{"djpeg", "-rgb", "-outfile", "/dev/null", b + ".jpg"}; },
         false},
        {"1/8 decode", "eighth", "jpg", "", "djpeg -rgb -scale 1/8 -dct fast -nosmooth",
         [](const std::string& b, const std::string&) {
             return Args{"djpeg", "-rgb", "-scale", "1/8", "-dct", "fast", "-nosmooth", "-outfile", "/dev/null",
                         b + ".jpg"};
         },
         false},
        {"encode q95", "encode", "bmp", "jpg", "cjpeg -quality 95 (.ppm to .jpg)",
         [](const std::string& b, const std::string& o) {
             return Args{"cjpeg", "-quality", "95", "-outfile", o + ".jpg", b + ".ppm"};
         },
         false},
        {"thumbnail", "thumb", "jpg", "jpg", "vipsthumbnail -s 160x120 (q75)",
         [](const std::string& b, const std::string& o) {
             return Args{"vipsthumbnail", b + ".jpg", "-s", "160x120", "-o", o + ".jpg[Q=75]"};
         },
         true},
        {"half resample", "half", "bmp", "bmp", "vips shrink 2 2 (.v to .v)",
         [](const std::string& b, const std::string& o) { return Args{"vips", "shrink", b + ".v", o + ".v", "2", "2"}; },
         true},
        {"5 x 5 Gaussian", "gauss", "bmp", "bmp", "vips gaussblur 1 --min-ampl 0.1",
         [](const std::string& b, const std::string& o) {
             return Args{"vips", "gaussblur", b + ".v", o + ".v", "1", "--min-ampl", "0.1"};
         },
         true},
        {"RotateAngle(10)", "rotate", "bmp", "bmp", "vips rotate 10 (bilinear)",
         [](const std::string& b, const std::string& o) { return Args{"vips", "rotate", b + ".v", o + ".v", "10"}; },
         true},
    };
}

CSize JpegSize(const std::string& path)
{
    CSize size(0, 0);
    CJPGFile().GetJPGSize(Win(path).c_str(), &size);
    return size;
}

// One table: every row on both pictures, with the threads set by the caller
// in MIVO_IMAGE_THREADS and VIPS_CONCURRENCY (unset: all cores).
int Table(const std::string& folder, int rounds)
{
    const char* threads = getenv("MIVO_IMAGE_THREADS");
    const bool one = threads && !strcmp(threads, "1");
    const Picture pictures[] = {
        {"plasma", folder + "/plasma", folder + "/plasma-tiny", "plasma, 4:4:4, quality 95"},
        {"photo", folder + "/photo", folder + "/photo-tiny", "photograph-like, 4:2:0, quality 90"},
    };
    for (const Picture& pic : pictures) {
        FILE* f = fopen((pic.base + ".jpg").c_str(), "rb");
        long bytes = 0;
        if (f) {
            fseek(f, 0, SEEK_END);
            bytes = ftell(f);
            fclose(f);
        }
        printf("\n%s: %d x %d %s (%.1f MB JPEG); %s; median/min of %d alternating rounds; load average %s\n",
               pic.name.c_str(), kWidth, kHeight, pic.describe.c_str(), bytes / 1e6,
               one ? "one thread" : "all cores", rounds, LoadAverage().c_str());
        PrintHeader();
        for (const Row& row : Rows()) {
            if (!one && !row.multiThreadedPeer)
                continue;  // single-threaded peers: the one-thread table only
            PrintRow(row, Measure(row, pic, folder, rounds));
        }
        const CSize ours = JpegSize(folder + "/ours.jpg"), theirs = JpegSize(folder + "/peer.jpg");
        printf("thumbnail: ours %ld x %ld (1/8 decode, then nearest neighbour to the box's fit rule); "
               "vipsthumbnail %ld x %ld (shrink-on-load, then lanczos3 to the exact box)\n",
               long(ours.cx), long(ours.cy), long(theirs.cx), long(theirs.cy));
        printf("load average after: %s\n", LoadAverage().c_str());
    }
    return 0;
}

void WritePpm(const std::string& path, const BYTE* bgr, int w, int h)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return;
    fprintf(f, "P6\n%d %d\n255\n", w, h);
    const size_t rowBytes = bench::PictureRowBytes(w);
    std::vector<BYTE> rgb(size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
        const BYTE* src = bgr + size_t(h - 1 - y) * rowBytes;
        for (int x = 0; x < w; ++x) {
            rgb[3 * x] = src[3 * x + 2];
            rgb[3 * x + 1] = src[3 * x + 1];
            rgb[3 * x + 2] = src[3 * x];
        }
        fwrite(rgb.data(), 1, rgb.size(), f);
    }
    fclose(f);
}

// base.bmp, .ppm, .jpg (cjpeg at the quality and sampling given) and .v.
void WriteFiles(const std::string& base, const std::vector<BYTE>& px, int w, int h, const char* quality,
                const char* sampling)
{
    CBMPFile().SaveBMP(Win(base + ".bmp").c_str(), const_cast<BYTE*>(px.data()), w, h);
    WritePpm(base + ".ppm", px.data(), w, h);
    Spawn({"cjpeg", "-quality", quality, "-sample", sampling, "-outfile", base + ".jpg", base + ".ppm"});
    Spawn({"vips", "copy", base + ".ppm", base + ".v"});
}

void MakePictures(const std::string& folder)
{
    struct {
        const char* name;
        std::vector<BYTE> (*make)(int, int);
        const char* quality;
        const char* sampling;
    } kinds[] = {{"plasma", bench::MakePlasma, "95", "1x1"}, {"photo", bench::MakePhotoLike, "90", "2x2"}};
    for (const auto& k : kinds) {
        const std::vector<BYTE> px = k.make(kWidth, kHeight);
        WriteFiles(folder + "/" + k.name, px, kWidth, kHeight, k.quality, k.sampling);
        // The crop for start-up: the top-left corner, the rows at the end of
        // the bottom-up block.
        const size_t rowBytes = bench::PictureRowBytes(kWidth), tinyRowBytes = bench::PictureRowBytes(kTinyWidth);
        std::vector<BYTE> tiny(tinyRowBytes * kTinyHeight);
        for (int y = 0; y < kTinyHeight; ++y)
            memcpy(&tiny[size_t(y) * tinyRowBytes], &px[size_t(kHeight - kTinyHeight + y) * rowBytes], 3 * kTinyWidth);
        WriteFiles(folder + "/" + k.name + "-tiny", tiny, kTinyWidth, kTinyHeight, k.quality, k.sampling);
    }
}

bool Installed(const char* tool)
{
    return system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 7 && !strcmp(argv[1], "--one"))
        return OneOperation(argv + 2);
    if (argc == 3 && !strcmp(argv[1], "--make")) {
        MakePictures(argv[2]);
        return 0;
    }
    if (argc == 4 && !strcmp(argv[1], "--table"))
        return Table(argv[2], std::max(1, atoi(argv[3])));
    const int rounds = std::max(kLeastRounds, argc > 1 ? atoi(argv[1]) : kLeastRounds);
    for (const char* tool : {"djpeg", "cjpeg", "vips", "vipsthumbnail"})
        if (!Installed(tool)) {
            printf("%s is needed: apt-get install -y libjpeg-turbo-progs libvips-tools\n", tool);
            return 1;
        }
    char folder[] = "/tmp/mivo-peers-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    MakePictures(folder);
    printf("ours warm: in this process, run once just before; cold: a fresh process (`peer_bench --one`) less\n"
           "its start-up, measured in it: loading, then the operation on an 8 x 6 crop. Peer start-up: the same\n"
           "command on the 8 x 6 crop; peer net = median less median start-up (min less min).\n"
           "ratio = ours / peer on processor time net of start-up; wall ratio = raw ours cold / raw peer.\n");
    // The library reads its thread count once a process: one child a table.
    for (const char* threads : {"1", ""}) {
        if (*threads) {
            setenv("MIVO_IMAGE_THREADS", threads, 1);
            setenv("VIPS_CONCURRENCY", threads, 1);
        } else {
            unsetenv("MIVO_IMAGE_THREADS");
            unsetenv("VIPS_CONCURRENCY");
        }
        fflush(stdout);
        const pid_t pid = fork();
        if (pid == 0) {
            execl(Self().c_str(), "peer_bench", "--table", folder, std::to_string(rounds).c_str(), (char*)nullptr);
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
    }
    Spawn({"rm", "-rf", folder});
    return 0;
}
